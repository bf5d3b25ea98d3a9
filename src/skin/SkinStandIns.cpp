#include "skin/SkinStandIns.h"

#include "classlib/ui/FormResources.h"
#include "skin/SkinHint.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSplitterBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinViews.h"
#include "skin/forms/SkinPopupMenu.h"

void RegisterSkinClasses(TClassRegistry& classes)
{
    if (&classes == &ClassRegistry()) {
        static bool registered = false;
        if (registered)
            return;
        registered = true;
        RegisterClassLibraryClasses();
    }
    RegisterStoredSkinClasses(classes);
    RegisterSkinDataClasses(classes);
    RegisterSkinHintClasses(classes);
    RegisterDynamicSkinFormClasses(classes);
    RegisterSkinControlClasses(classes);
    RegisterSkinButtonClasses(classes);
    RegisterSkinPanelClasses(classes);
    RegisterSkinScrollBarClasses(classes);
    RegisterSkinLabelClasses(classes);
    RegisterSkinSplitterBarClasses(classes);
    RegisterSkinEditClasses(classes);
    RegisterSkinViewClasses(classes);
    RegisterSkinTabClasses(classes);
    RegisterSkinMainMenuClasses(classes);
    RegisterSkinPopupMenuClasses(classes);
    RegisterTrayIconClasses(classes);
}
