#include "app/AppRegistration.h"

#include "app/ExecutePro.h"

namespace {

const TFormEnumTable<TExecWindowStyle> ExecWindowStyleNames = {
    {"ewShow", ewShow}, {"ewHide", ewHide}, {"ewMaximize", ewMaximize}, {"ewMinimize", ewMinimize}};
const TFormEnumTable<TExecPriority> ExecPriorityNames = {
    {"epNormal", epNormal}, {"epHigh", epHigh}, {"epIdle", epIdle}, {"epRealTime", epRealTime}};
const TFormEnumTable<TExecMode> ExecModeNames = {{"emAuto", emAuto}, {"emProcess", emProcess}, {"emShell", emShell}};

}  // namespace

void RegisterAppClasses(TClassRegistry& classes)
{
    // A description names DefaultDirectory after CommandLine: a directory
    // it gives replaces the one the command line brought.
    classes.Register<TExecutePro>("TExecutePro", "TComponent")
        .String("CommandLine", &TExecutePro::SetCommandLine)
        .String("DefaultDirectory", &TExecutePro::DefaultDirectory)
        .Enum("WindowStyle", &TExecutePro::WindowStyle, ExecWindowStyleNames)
        .Enum("Priority", &TExecutePro::Priority, ExecPriorityNames)
        .Enum("Mode", &TExecutePro::Mode, ExecModeNames)
        .Bool("Wait", &TExecutePro::Wait);
}
