// The published properties of the application framework's components, as
// form descriptions name them: the process launcher (TExecutePro).
#pragma once

#include "classlib/core/ClassRegistry.h"

// Registers TExecutePro (after TComponent, which the class library's
// registration gives).
void RegisterAppClasses(TClassRegistry& classes = ClassRegistry());
