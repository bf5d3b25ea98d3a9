// The skin classes the settings dialog and the about box name, registered
// for form descriptions: the stored skin, the skin data component, the
// skinned button, panel and group box, and the skinned form.
#pragma once

#include "classlib/core/ClassRegistry.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/forms/DynamicSkinForm.h"

// Registers the stored skins, the skin data component, the skinned
// controls and the skinned form (after the class library's own); only the
// first call on the program's registry does anything.
void RegisterSkinClasses(TClassRegistry& classes = ClassRegistry());
