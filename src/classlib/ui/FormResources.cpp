#include "classlib/ui/FormResources.h"

#include <string_view>

#include "classlib/core/FormReader.h"
#include "classlib/core/SysUtils.h"
#include "classlib/system/ResourceStream.h"
#include "classlib/ui/ActnList.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/Screen.h"

namespace {

TComponent* FindFormNamed(const std::string& name)
{
    if (Screen == nullptr)
        return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (SameText(Screen->Forms(i)->Name(), name))
            return Screen->Forms(i);
    return nullptr;
}

}  // namespace

void RegisterClassLibraryClasses()
{
    static const bool registered = [] {
        RegisterControlsClasses(ClassRegistry());
        RegisterStdCtrlsClasses(ClassRegistry());
        RegisterComCtrlsClasses(ClassRegistry());
        RegisterMenusClasses(ClassRegistry());
        RegisterActnListClasses(ClassRegistry());
        return true;
    }();
    (void)registered;
}

void ReadFormResource(TCustomForm& form, const TFormHandlers& handlers, HINSTANCE instance)
{
    RegisterClassLibraryClasses();
    TResourceStream stream(instance, UpperCase(form.ClassName()), RT_RCDATA);
    const std::string_view text(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
    TFormReader reader;
    reader.Handlers = &handlers;
    reader.FindRoot = &FindFormNamed;
    reader.ReadInto(text, form);
}
