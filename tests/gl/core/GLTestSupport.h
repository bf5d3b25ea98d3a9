#pragma once  // shared helpers of the platform-free GL tests

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "support/GLRecorder.h"
#include "support/GLStubPlatform.h"
#include "../../support/ExceptionMessage.h"

namespace gltest {

// Every recorded call's text, or only those whose name is one of `names`.
inline std::vector<std::string> Texts(const GLRecorder& gl, std::initializer_list<std::string> names = {})
{
    std::vector<std::string> texts;
    for (const GLCall& call : gl.Calls())
        if (names.size() == 0 || std::find(names.begin(), names.end(), call.Name) != names.end())
            texts.push_back(call.Text());
    return texts;
}

using testsupport::MessageOf;

}  // namespace gltest
