// The skin classes the settings dialog and the about box name, registered
// for form descriptions: the stored skin, the skin data component, the
// skinned button, panel and group box, and the skinned form; beside them
// the skinned main menu, menu bar, popup menu, hint and tray icon, which no
// form places.
#pragma once

#include "classlib/core/ClassRegistry.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMainMenu.h"
#include "skin/forms/TrayIcon.h"

// Registers the stored skins, the skin data component, the skinned hint,
// controls, the skinned form, main menu, menu bar and popup menu and the
// tray icon
// (after the class library's own); only the first call on the program's
// registry does anything.
void RegisterSkinClasses(TClassRegistry& classes = ClassRegistry());
