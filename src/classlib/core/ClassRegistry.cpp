#include "classlib/core/ClassRegistry.h"

#include "classlib/core/SysUtils.h"

const TFormPropertyInfo* TClassInfo::FindProperty(const std::string& name) const
{
    const std::string key = UpperCase(name);
    for (const TClassInfo* info = this; info != nullptr; info = info->FParent) {
        const auto it = info->FProperties.find(key);
        if (it != info->FProperties.end())
            return &it->second;
    }
    return nullptr;
}

const TParentSetter* TClassInfo::FindParentSetter() const
{
    for (const TClassInfo* info = this; info != nullptr; info = info->FParent)
        if (info->FParentSetter)
            return &info->FParentSetter;
    return nullptr;
}

const TFieldSetter* TClassInfo::FindField(const std::string& name) const
{
    const std::string key = UpperCase(name);
    for (const TClassInfo* info = this; info != nullptr; info = info->FParent) {
        const auto it = info->FFields.find(key);
        if (it != info->FFields.end())
            return &it->second;
    }
    return nullptr;
}

void FormWrongComponent(const std::string& reference, const TComponent* component)
{
    throw EFormValueError("component '" + reference + "' (" +
                          (component != nullptr ? component->ClassName() : std::string("nil")) +
                          ") has the wrong class");
}

void FormReadBinary(const TFormValue& value, const std::function<void(TStream&)>& reader)
{
    if (value.Kind != TFormValueKind::Binary)
        throw EFormValueError("binary data expected, found " + FormValueKindName(value.Kind));
    TMemoryStream stream;
    stream.WriteBuffer(value.Text.data(), static_cast<int64_t>(value.Text.size()));
    stream.SetPosition(0);
    reader(stream);
}

const TClassInfo* TClassRegistry::Find(const std::string& name) const
{
    const auto it = FClasses.find(UpperCase(name));
    return it == FClasses.end() ? nullptr : it->second.get();
}

TClassInfo& TClassRegistry::Add(const std::string& name, const std::string& parentName)
{
    if (Find(name) != nullptr)
        throw Exception("Class " + name + " is already registered");
    const TClassInfo* parent = nullptr;
    if (!parentName.empty()) {
        parent = Find(parentName);
        if (parent == nullptr)
            throw Exception("Parent class " + parentName + " of " + name + " is not registered");
    }
    auto& slot = FClasses[UpperCase(name)];
    slot = std::make_unique<TClassInfo>(name, parent);
    return *slot;
}

void RegisterCoreClasses(TClassRegistry& classes)
{
    classes.Register<TPersistent>("TPersistent");
    classes.Register<TComponent>("TComponent", "TPersistent").Int("Tag", &TComponent::Tag);
    classes.Register<TStrings>("TStrings", "TPersistent")
        .Strings("Strings", [](TStrings* strings, const TStrings& items) { strings->Assign(items); });
    classes.Register<TStringList>("TStringList", "TStrings");
}

TClassRegistry& ClassRegistry()
{
    static TClassRegistry registry;
    static const bool registered = (RegisterCoreClasses(registry), true);
    (void)registered;
    return registry;
}
