#include "classlib/core/FormReader.h"

#include <memory>
#include <vector>

#include "classlib/core/FormDescriptionError.h"
#include "classlib/core/FormParser.h"
#include "classlib/core/SysUtils.h"

namespace {

// Where a property assignment stands, for messages.
struct TFormLocation {
    int Line = 0;
    std::string Path;    // "Font.Height"
    std::string Object;  // "Button1 (TButton)"

    std::string PropertyText() const { return "property '" + Path + "' of " + Object; }
};

struct TDeferred {
    TFormLocation Where;
    std::string Name;
    std::function<void(TComponent*)> Assign;
    std::function<void(const std::any&)> Bind;
};

std::string ObjectText(const TFormObject& object)
{
    return object.Name + " (" + object.ClassName + ")";
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = path.find('.', start);
        parts.push_back(path.substr(start, dot - start));
        if (dot == std::string::npos)
            return parts;
        start = dot + 1;
    }
}

// One reading of one description into one root.
class TFormLoad final : public TFormFixups {
public:
    TFormLoad(const TFormReader& reader, const TClassRegistry& registry, const TFormObject& description,
              TComponent& root)
        : FReader(reader), FRegistry(registry), FDescription(description), FRoot(root),
          FForm(description.ClassName)
    {
    }

    // `created`: the root was made from the description's class just now,
    // so it need not show that class's name.
    void Run(bool created)
    {
        const TClassInfo& info = FindClass(FDescription);
        FRootInfo = &info;
        if (!created && !SameText(FRoot.ClassName(), FDescription.ClassName))
            Fail(FDescription.Line, "a " + FDescription.ClassName + " description cannot be read into a " +
                                        FRoot.ClassName());
        FCreated.push_back(&FRoot);
        FRoot.Loading();
        ReadValues(FDescription, FRoot, info, nullptr);
        for (const TFormObject& child : FDescription.Children)
            ReadChild(child, FRoot, 2);
        ResolveReferences();
        BindEvents();
        for (TComponent* component : FCreated)
            component->Loaded();
    }

    void AddReference(const std::string& name, std::function<void(TComponent*)> assign) override
    {
        FReferences.push_back({FWhere, name, std::move(assign), {}});
    }

    void AddEvent(const std::string& handlerName, std::function<void(const std::any&)> bind) override
    {
        FEvents.push_back({FWhere, handlerName, {}, std::move(bind)});
    }

private:
    [[noreturn]] void Fail(int line, const std::string& detail) const
    {
        throw EFormDescriptionError(FForm, line, detail);
    }

    // Runs a step for an object as a whole (creating, naming, attaching it).
    template <class F>
    void GuardObject(const TFormObject& object, F step) const
    {
        try {
            step();
        } catch (EFormDescriptionError&) {
            throw;
        } catch (Exception& e) {
            Fail(object.Line, ObjectText(object) + ": " + e.Message);
        }
    }

    // Runs a step of one property; a value that does not fit and any other
    // failure of the component's setter are reported with the property.
    template <class F>
    void GuardProperty(const TFormLocation& where, F step) const
    {
        try {
            step();
        } catch (EFormDescriptionError&) {
            throw;
        } catch (EFormValueError& e) {
            Fail(where.Line, e.Message + " for " + where.PropertyText());
        } catch (Exception& e) {
            Fail(where.Line, where.PropertyText() + ": " + e.Message);
        }
    }

    const TClassInfo& FindClass(const TFormObject& object) const
    {
        const TClassInfo* info = FRegistry.Find(object.ClassName);
        if (info == nullptr)
            Fail(object.Line, "unknown class " + object.ClassName + " of " + object.Name);
        return *info;
    }

    void ReadChild(const TFormObject& object, TComponent& parent, int depth)
    {
        if (depth > FormMaxNesting)
            Fail(object.Line, "objects nested too deeply");
        const TClassInfo& info = FindClass(object);
        if (!info.Factory())
            Fail(object.Line, "class " + object.ClassName + " of " + object.Name + " cannot be created");
        TComponent* component = nullptr;
        GuardObject(object, [&] { component = info.Factory()(&FRoot); });
        if (component == nullptr)
            Fail(object.Line, ObjectText(object) + " was not created");
        FCreated.push_back(component);
        component->Loading();
        ReadValues(object, *component, info, &parent);
        for (const TFormObject& child : object.Children)
            ReadChild(child, *component, depth + 1);
    }

    // Names the component, attaches it to its parent object (none for the
    // root) and sets its properties.
    void ReadValues(const TFormObject& object, TComponent& component, const TClassInfo& info,
                    TComponent* parent)
    {
        component.SetReading(true);
        GuardObject(object, [&] { component.SetName(object.Name); });
        if (parent != nullptr)
            SetField(object, component);
        if (const TParentSetter* setParent = info.FindParentSetter(); setParent != nullptr && parent != nullptr)
            GuardObject(object, [&] { (*setParent)(&component, parent); });
        for (const TFormProperty& property : object.Properties)
            SetProperty(object, property, component, info);
        component.SetReading(false);
    }

    // Hands a created component to the root's field of its name, if any.
    void SetField(const TFormObject& object, TComponent& component)
    {
        const TFieldSetter* field = FRootInfo->FindField(object.Name);
        if (field == nullptr)
            return;
        try {
            (*field)(&FRoot, &component);
        } catch (EFormValueError& e) {
            Fail(object.Line, e.Message + " for field '" + object.Name + "' of " + FForm);
        }
    }

    void SetProperty(const TFormObject& object, const TFormProperty& property, TComponent& component,
                     const TClassInfo& info)
    {
        FWhere = {property.Line, property.Name, ObjectText(object)};
        const std::vector<std::string> parts = SplitPath(property.Name);
        TPersistent* target = &component;
        const TClassInfo* targetClass = &info;
        std::string walked;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            const TFormPropertyInfo* sub = targetClass->FindProperty(parts[i]);
            if (sub == nullptr || !sub->Getter)
                Fail(property.Line, "unknown " + FWhere.PropertyText());
            walked += (i == 0 ? "" : ".") + parts[i];
            GuardProperty(FWhere, [&] { target = sub->Getter(target); });
            if (target == nullptr)
                Fail(property.Line, "no object in property '" + walked + "' of " + FWhere.Object);
            targetClass = FRegistry.Find(target->ClassName());
            if (targetClass == nullptr)
                Fail(property.Line, "unknown class " + target->ClassName() + " of property '" + walked +
                                        "' of " + FWhere.Object);
        }
        const TFormPropertyInfo* last = targetClass->FindProperty(parts.back());
        if (last == nullptr || !last->Setter)
            Fail(property.Line, "unknown " + FWhere.PropertyText());
        GuardProperty(FWhere, [&] { last->Setter(target, property.Value, *this); });
    }

    TComponent* FindRootNamed(const std::string& name) const
    {
        if (SameText(FRoot.Name(), name))
            return &FRoot;
        return FReader.FindRoot ? FReader.FindRoot(name) : nullptr;
    }

    TComponent* FindReference(const std::string& name) const
    {
        const size_t dot = name.find('.');
        if (dot == std::string::npos) {
            if (TComponent* component = FRoot.FindComponent(name))
                return component;
            return FindRootNamed(name);
        }
        TComponent* root = FindRootNamed(name.substr(0, dot));
        return root == nullptr ? nullptr : root->FindComponent(name.substr(dot + 1));
    }

    void ResolveReferences()
    {
        for (const TDeferred& reference : FReferences) {
            TComponent* component = FindReference(reference.Name);
            if (component == nullptr)
                Fail(reference.Where.Line,
                     "unknown component '" + reference.Name + "' for " + reference.Where.PropertyText());
            GuardProperty(reference.Where, [&] { reference.Assign(component); });
        }
    }

    void BindEvents()
    {
        for (const TDeferred& event : FEvents) {
            const std::any* handler = FReader.Handlers ? FReader.Handlers->Find(event.Name) : nullptr;
            if (handler == nullptr)
                Fail(event.Where.Line, "unknown handler '" + event.Name + "' for " + event.Where.PropertyText());
            GuardProperty(event.Where, [&] { event.Bind(*handler); });
        }
    }

    const TFormReader& FReader;
    const TClassRegistry& FRegistry;
    const TFormObject& FDescription;
    TComponent& FRoot;
    std::string FForm;
    const TClassInfo* FRootInfo = nullptr;
    TFormLocation FWhere;
    std::vector<TComponent*> FCreated;
    std::vector<TDeferred> FReferences;
    std::vector<TDeferred> FEvents;
};

}  // namespace

void TFormReader::ReadInto(std::string_view text, TComponent& root) const
{
    ReadInto(ParseFormDescription(text, root.ClassName()), root);
}

void TFormReader::ReadInto(const TFormObject& description, TComponent& root) const
{
    TFormLoad(*this, FRegistry, description, root).Run(false);
}

TComponent* TFormReader::Create(std::string_view text, TComponent* owner) const
{
    return Create(ParseFormDescription(text), owner);
}

TComponent* TFormReader::Create(const TFormObject& description, TComponent* owner) const
{
    const TClassInfo* info = FRegistry.Find(description.ClassName);
    const std::string& form = description.ClassName;
    if (info == nullptr)
        throw EFormDescriptionError(form, description.Line, "unknown class " + form + " of " + description.Name);
    if (!info->Factory())
        throw EFormDescriptionError(form, description.Line,
                                    "class " + form + " of " + description.Name + " cannot be created");
    std::unique_ptr<TComponent> root;
    try {
        root.reset(info->Factory()(owner));
    } catch (EFormDescriptionError&) {
        throw;
    } catch (Exception& e) {
        throw EFormDescriptionError(form, description.Line, ObjectText(description) + ": " + e.Message);
    }
    if (!root)
        throw EFormDescriptionError(form, description.Line, ObjectText(description) + " was not created");
    TFormLoad(*this, FRegistry, description, *root).Run(true);
    return root.release();
}
