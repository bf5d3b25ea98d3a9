// The program's entry: the settings form is the program's one form, in
// every role the command line gives it (full-screen saver, preview in a
// host window, settings dialog, password change, program).
#include <windows.h>

#include "aquarium/AquariumStartup.h"
#include "classlib/ui/Application.h"
#include "settings/FormSettings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        InitializeAquarium();
        Application->Initialize();
        Application->CreateForm(FormSettings);
        Application->Run();
        // The forms go now, while everything they use is alive: after
        // WinMain, static objects of other modules (the OpenGL binding among
        // them) end in an order nothing controls.
        Application->DestroyComponents();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return 0;
}
