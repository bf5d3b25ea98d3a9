// Test support: the message of the exception an action raises.
#pragma once

#include <string>

#include "classlib/core/Exceptions.h"

namespace testsupport {

// The Message of the E (by default any Exception) that `action` raises, or
// "(no exception)" when it raises none; an exception of another class goes
// on to the test.
template <class E = Exception, class Action>
std::string MessageOf(Action&& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message;
    }
    return "(no exception)";
}

}  // namespace testsupport
