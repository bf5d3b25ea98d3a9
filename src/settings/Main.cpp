// The program's entry.
//
// Until the aquarium and its settings dialog exist, the program shows the
// demonstration form: the class library's controls built from a form
// description, with the application component in charge of the idle loop
// (frames per second in the caption, one copy at a time).
#include <windows.h>

#include "classlib/ui/Application.h"
#include "settings/DemoForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        Application->Initialize();
        TDemoForm* demoForm = nullptr;
        Application->CreateForm(demoForm);
        Application->Run();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return 0;
}
