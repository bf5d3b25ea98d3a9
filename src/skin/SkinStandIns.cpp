#include "skin/SkinStandIns.h"

#include "classlib/ui/FormResources.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSplitterBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinViews.h"

namespace {

template <class T>
void RegisterLinked(TClassRegistry& classes, const std::string& name, const std::string& parent)
{
    classes.Register<T>(name, parent)
        .template Component<TspSkinData>("SkinData", &T::SetSkinData)
        .String("SkinDataName", &T::SkinDataName);
}

}  // namespace

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
    RegisterLinked<TspDynamicSkinForm>(classes, "TspDynamicSkinForm", "TComponent");
    RegisterSkinControlClasses(classes);
    RegisterSkinButtonClasses(classes);
    RegisterSkinPanelClasses(classes);
    RegisterSkinScrollBarClasses(classes);
    RegisterSkinLabelClasses(classes);
    RegisterSkinSplitterBarClasses(classes);
    RegisterSkinEditClasses(classes);
    RegisterSkinViewClasses(classes);
    RegisterSkinTabClasses(classes);
}
