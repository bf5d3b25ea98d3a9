// Forms described by form resources.
//
// A form class's description (FormDescription.h) is stored in the program
// as an RCDATA resource named after the class in upper case: the class
// TFormSettings reads the resource TFORMSETTINGS. A form reads it from its
// most derived constructor, once its handler table is filled:
//
//     TFormSettings::TFormSettings(TComponent* owner) : TForm(owner)
//     {
//         TFormHandlers handlers;
//         handlers.Add("ButtonOkClick", this, &TFormSettings::ButtonOkClick);
//         ReadFormResource(*this, handlers);
//     }
//
// The form's class must be registered (below "TForm", with its fields) in
// ClassRegistry() before; the class library's own classes are registered by
// RegisterClassLibraryClasses, which ReadFormResource calls itself.
// References to another form's components ("FormMain.Button1") find that
// form among Screen's forms by its name.
#pragma once

#include <windows.h>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/FormHandlers.h"
#include "classlib/ui/Forms.h"

// Registers the class library's streamable classes (ControlsRegistration.h)
// in ClassRegistry(); only the first call does anything.
void RegisterClassLibraryClasses();

// Reads the form's description from the RCDATA resource named
// UpperCase(form.ClassName()) of `instance` (nullptr: the program) into the
// form. A missing resource raises EResNotFound "Resource <NAME> not found";
// a faulty description raises EFormDescriptionError naming the form, the
// line and the item (the components read so far stay owned by the form).
void ReadFormResource(TCustomForm& form, const TFormHandlers& handlers, HINSTANCE instance = nullptr);
