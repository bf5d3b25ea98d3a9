// Registry of the classes that form descriptions may name.
//
// Each streamable class registers, under its class name (the name its
// ClassName() returns), a factory (for components that a description
// creates) and its published properties. A class registered with a parent
// has its parent's properties too, its own taking precedence; the parent
// must be registered first. Class and property names compare without
// regard to case. A registry is filled once (at start-up for the program's
// own registry, ClassRegistry()); registering a name twice is an error.
//
// A property is a setter taking the parsed value, a getter of a sub-object
// (for nested paths such as "Font.Height": the sub-object's properties are
// those of the class registered under its ClassName()), or both. The typed
// helpers of TClassRegistration build setters; each takes the target as a
// callable invoked as f(object, value) (a setter method such as
// &TControl::SetWidth, or a lambda) or as a pointer to a data member, which
// is assigned. Values that do not fit raise EFormValueError, which the
// reader reports with the form, line and property:
//
//   Int      integer in 32-bit range; with a name table also an identifier
//            from it (colour names)
//   Real     integer or real number, passed as double
//   Bool     True or False
//   String   a string
//   Enum     an identifier from a name table
//   Set      "[a, b]" with names from a table, passed as the OR of their bits
//   Strings  a list of strings, passed as const TStrings& (callables only)
//   Component  a component name, "Name" or "OtherForm.Name"; assigned after
//            every component of the description exists (see TFormFixups),
//            raising an error when the component is not a C
//   Event<Fn>  a handler name; bound after the references, from the form's
//            handler table (FormHandlers.h), to a handler of type Fn. With a
//            pointer to a std::function data member, Fn is that member's type
//   Object   the getter of a sub-object (a pointer or a reference to a
//            TPersistent descendant) for nested property paths
//   Binary   "{ hex }" data, passed as a TStream& positioned at its start
//            (the stream's own EReadError on reading past the end is
//            reported as a form error); it plays the part of a class's own
//            defined properties such as a stored skin's "Pictures"
//   Value    the raw TFormValue, for anything else
//
// Besides properties, a class may register a parent setter (how a created
// component attaches to the object it is nested in, e.g. a control to its
// parent control) and, for a form class, fields that receive the form's
// components by name as they are created (the form's published fields).
//
// Example:
//     ClassRegistry().Register<TButton>("TButton", "TWinControl")
//         .Int("Width", &TButton::SetWidth)
//         .Enum("Align", &TButton::SetAlign, AlignNames)
//         .Object("Font", &TButton::Font)
//         .Event("OnClick", &TButton::OnClick);
//     ClassRegistry().Register<TAboutBox>("TAboutBox", "TForm")
//         .Factory(nullptr)
//         .Field("ButtonOk", &TAboutBox::ButtonOk);
#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "classlib/core/Components.h"
#include "classlib/core/FormTree.h"
#include "classlib/core/Streams.h"
#include "classlib/core/StringList.h"

// Work a setter leaves for later, kept by the reader.
class TFormFixups {
public:
    // After every component of the description has been created and has
    // its values, the component called `name` ("Name" within the form or
    // the form itself, "OtherForm.Name" in another form) is handed to
    // `assign`; an unknown name is an error.
    virtual void AddReference(const std::string& name, std::function<void(TComponent*)> assign) = 0;
    // After the references, the form's handler called `handlerName` (a
    // std::any holding its std::function) is handed to `bind`; an unknown
    // handler is an error.
    virtual void AddEvent(const std::string& handlerName, std::function<void(const std::any&)> bind) = 0;

protected:
    ~TFormFixups() = default;
};

using TFormSetter = std::function<void(TPersistent* object, const TFormValue& value, TFormFixups& fixups)>;
using TFormGetter = std::function<TPersistent*(TPersistent* object)>;
using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
using TParentSetter = std::function<void(TComponent* child, TComponent* parent)>;
using TFieldSetter = std::function<void(TPersistent* root, TComponent* component)>;

struct TFormPropertyInfo {
    TFormSetter Setter;
    TFormGetter Getter;
};

class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* parent) : FName(std::move(name)), FParent(parent) {}

    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    // Creates an instance owned by `owner`. Empty for classes a description
    // cannot create (abstract ones, forms read into an existing instance).
    // Not inherited.
    const TComponentFactory& Factory() const { return FFactory; }
    // The class's own property of that name, else its nearest ancestor's.
    const TFormPropertyInfo* FindProperty(const std::string& name) const;
    // The nearest parent setter: how a created component is attached to the
    // object it is nested in (a control to its parent control), before its
    // properties are read. Nullptr when no class in the chain has one.
    const TParentSetter* FindParentSetter() const;
    // The root's field (own or inherited) that receives the component of
    // that name as soon as it is created; nullptr when there is none.
    const TFieldSetter* FindField(const std::string& name) const;

private:
    template <class T>
    friend class TClassRegistration;
    friend class TClassRegistry;

    std::string FName;
    const TClassInfo* FParent;
    TComponentFactory FFactory;
    TParentSetter FParentSetter;
    std::map<std::string, TFieldSetter> FFields;  // upper-case names
    std::map<std::string, TFormPropertyInfo> FProperties;  // upper-case names
};

// Raises the EFormValueError of a reference to a component of the wrong class.
[[noreturn]] void FormWrongComponent(const std::string& reference, const TComponent* component);

// Hands the bytes of a Binary value to `reader` as a stream at position 0.
void FormReadBinary(const TFormValue& value, const std::function<void(TStream&)>& reader);

template <class F, class = void>
struct TFormMemberType {
    using type = void;
};
template <class M, class C>
struct TFormMemberType<M C::*> {
    using type = M;
};

template <class T>
class TClassRegistration {
public:
    explicit TClassRegistration(TClassInfo& info) : FInfo(info) {}

    TClassRegistration& Factory(TComponentFactory factory)
    {
        FInfo.FFactory = std::move(factory);
        return *this;
    }
    // f(T* child, TComponent* parent)
    template <class F>
    TClassRegistration& ParentSetter(F f)
    {
        FInfo.FParentSetter = [f](TComponent* child, TComponent* parent) { std::invoke(f, Cast(child), parent); };
        return *this;
    }

    // A field of a root class (a form) that holds its component `name`:
    // assigned as soon as that component is created and named, before its
    // properties are read, so Loaded and handlers find it set. A component
    // of another class than the field's is an error. f is a pointer to a
    // data member of type C* (C deduced) or a callable f(T*, C*).
    template <class C = void, class F>
    TClassRegistration& Field(const std::string& name, F f)
    {
        using Target =
            std::conditional_t<std::is_void_v<C>, std::remove_pointer_t<typename TFormMemberType<F>::type>, C>;
        static_assert(std::is_base_of_v<TComponent, Target>, "name the component class: Field<TButton>(name, f)");
        FInfo.FFields[UpperCase(name)] = [f, name](TPersistent* root, TComponent* component) {
            Target* typed = dynamic_cast<Target*>(component);
            if (typed == nullptr)
                FormWrongComponent(name, component);
            Store(f, Cast(root), typed);
        };
        return *this;
    }

    template <class F>
    TClassRegistration& Int(const std::string& name, F f)
    {
        return Scalar(name, f, [](const TFormValue& v) { return FormValueToInt(v); });
    }
    template <class F, class E>
    TClassRegistration& Int(const std::string& name, F f, const TFormEnumTable<E>& names)
    {
        return Scalar(name, f, [names](const TFormValue& v) { return FormValueToInt(v, names); });
    }
    template <class F>
    TClassRegistration& Real(const std::string& name, F f)
    {
        return Scalar(name, f, [](const TFormValue& v) { return FormValueToReal(v); });
    }
    template <class F>
    TClassRegistration& Bool(const std::string& name, F f)
    {
        return Scalar(name, f, [](const TFormValue& v) { return FormValueToBool(v); });
    }
    template <class F>
    TClassRegistration& String(const std::string& name, F f)
    {
        return Scalar(name, f, [](const TFormValue& v) { return FormValueToString(v); });
    }
    template <class F, class E>
    TClassRegistration& Enum(const std::string& name, F f, const TFormEnumTable<E>& names)
    {
        return Scalar(name, f, [names](const TFormValue& v) { return FormValueToEnum(v, names); });
    }
    template <class F, class E>
    TClassRegistration& Set(const std::string& name, F f, const TFormEnumTable<E>& names)
    {
        return Scalar(name, f, [names](const TFormValue& v) { return FormValueToSet(v, names); });
    }
    // f(T*, const TStrings&)
    template <class F>
    TClassRegistration& Strings(const std::string& name, F f)
    {
        return Setter(name, [f](TPersistent* object, const TFormValue& value, TFormFixups&) {
            T* target = Cast(object);
            TStringList strings;
            FormValueToStrings(value, strings);
            std::invoke(f, target, static_cast<const TStrings&>(strings));
        });
    }
    template <class C = TComponent, class F>
    TClassRegistration& Component(const std::string& name, F f)
    {
        return Setter(name, [f](TPersistent* object, const TFormValue& value, TFormFixups& fixups) {
            T* target = Cast(object);
            const std::string reference = FormValueToReference(value);
            fixups.AddReference(reference, [f, target, reference](TComponent* component) {
                C* typed = dynamic_cast<C*>(component);
                if (typed == nullptr)
                    FormWrongComponent(reference, component);
                Store(f, target, typed);
            });
        });
    }
    template <class Fn = void, class F>
    TClassRegistration& Event(const std::string& name, F f)
    {
        using Handler = std::conditional_t<std::is_void_v<Fn>, typename TFormMemberType<F>::type, Fn>;
        static_assert(!std::is_void_v<Handler> && !std::is_function_v<Handler>,
                      "name the event type: Event<TNotifyEvent>(name, setter)");
        return Setter(name, [f](TPersistent* object, const TFormValue& value, TFormFixups& fixups) {
            T* target = Cast(object);
            const std::string handlerName = FormValueToIdentifier(value);
            fixups.AddEvent(handlerName, [f, target, handlerName](const std::any& handler) {
                const Handler* typed = std::any_cast<Handler>(&handler);
                if (typed == nullptr)
                    throw EFormValueError("handler '" + handlerName + "' has the wrong type");
                Store(f, target, *typed);
            });
        });
    }
    template <class F>
    TClassRegistration& Object(const std::string& name, F f)
    {
        FInfo.FProperties[UpperCase(name)].Getter = [f](TPersistent* object) -> TPersistent* {
            decltype(auto) sub = std::invoke(f, Cast(object));
            if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(sub)>>)
                return sub;
            else
                return std::addressof(sub);
        };
        return *this;
    }
    // f(T*, TStream&)
    template <class F>
    TClassRegistration& Binary(const std::string& name, F f)
    {
        return Setter(name, [f](TPersistent* object, const TFormValue& value, TFormFixups&) {
            T* target = Cast(object);
            FormReadBinary(value, [&](TStream& stream) { std::invoke(f, target, stream); });
        });
    }
    // f(T*, const TFormValue&)
    template <class F>
    TClassRegistration& Value(const std::string& name, F f)
    {
        return Setter(name, [f](TPersistent* object, const TFormValue& value, TFormFixups&) {
            std::invoke(f, Cast(object), value);
        });
    }
    // A setter written by hand.
    TClassRegistration& Setter(const std::string& name, TFormSetter setter)
    {
        FInfo.FProperties[UpperCase(name)].Setter = std::move(setter);
        return *this;
    }

private:
    template <class Object>
    static T* Cast(Object* object)
    {
        T* result = dynamic_cast<T*>(object);
        if (result == nullptr)
            throw EFormValueError("the object is not of the class the property was registered for");
        return result;
    }

    template <class F, class V>
    static void Store(const F& f, T* target, V&& value)
    {
        if constexpr (std::is_member_object_pointer_v<F>)
            std::invoke(f, target) = std::forward<V>(value);
        else
            std::invoke(f, target, std::forward<V>(value));
    }

    template <class F, class Convert>
    TClassRegistration& Scalar(const std::string& name, F f, Convert convert)
    {
        return Setter(name, [f, convert](TPersistent* object, const TFormValue& value, TFormFixups&) {
            T* target = Cast(object);
            Store(f, target, convert(value));
        });
    }

    TClassInfo& FInfo;
};

class TClassRegistry {
public:
    TClassRegistry() = default;
    TClassRegistry(const TClassRegistry&) = delete;
    TClassRegistry& operator=(const TClassRegistry&) = delete;

    // Registers T under `name`, below `parentName` (empty for a root class).
    // Components constructible from their owner get a factory `new T(owner)`.
    // Raises Exception "Class <name> is already registered" or "Parent class
    // <parentName> of <name> is not registered".
    template <class T>
    TClassRegistration<T> Register(const std::string& name, const std::string& parentName = "")
    {
        static_assert(std::is_base_of_v<TPersistent, T>, "only persistent classes can be registered");
        TClassInfo& info = Add(name, parentName);
        if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>)
            info.FFactory = [](TComponent* owner) -> TComponent* { return new T(owner); };
        return TClassRegistration<T>(info);
    }

    const TClassInfo* Find(const std::string& name) const;

private:
    TClassInfo& Add(const std::string& name, const std::string& parentName);

    std::map<std::string, std::unique_ptr<TClassInfo>> FClasses;  // upper-case names
};

// Registers TPersistent, TComponent (Tag), TStrings (the list property
// "Strings", so that "Items.Strings = ( ... )" fills a string-list
// sub-object) and TStringList.
void RegisterCoreClasses(TClassRegistry& classes);

// The program's registry, starting with the core classes.
TClassRegistry& ClassRegistry();
