// The program's entry.
//
// Until the aquarium and its settings dialog exist, the program shows the
// saver's test form in whatever role the command line gives it: full-screen
// saver, preview in a host window, dialog, password change or program.
#include <windows.h>

#include "aquarium/AquariumStartup.h"
#include "classlib/ui/Application.h"
#include "settings/SaverTestForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        Application->Initialize();
        InitializeAquarium();
        TSaverTestForm* form = nullptr;
        Application->CreateForm(form);
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
