#include "skin/SkinStandIns.h"

#include "classlib/ui/FormResources.h"

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
    RegisterDynamicSkinFormClasses(classes);
    RegisterSkinControlClasses(classes);
    RegisterSkinButtonClasses(classes);
    RegisterSkinPanelClasses(classes);
    RegisterSkinMainMenuClasses(classes);
    RegisterTrayIconClasses(classes);
}
