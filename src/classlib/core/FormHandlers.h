// The event handlers a form offers to its description, by name.
//
// A form fills one table with its handler methods before it reads its
// description; an event property "OnClick = ButtonClick" is bound to the
// handler named ButtonClick, which must have the event's exact type (the
// std::function type of the event property, e.g. TNotifyEvent). Names
// compare without regard to case; adding a name again replaces the handler.
//
//     Handlers.Add("ButtonClick", this, &TFormSettings::ButtonClick);
//     Handlers.Add<TCloseQueryEvent>("FormCloseQuery", [this](TObject* s, bool& c) { ... });
#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>

#include "classlib/core/SysUtils.h"

class TFormHandlers {
public:
    // Adds a handler of event type Fn (a std::function type).
    template <class Fn>
    void Add(const std::string& name, std::type_identity_t<Fn> handler)
    {
        FHandlers[UpperCase(name)] = std::move(handler);
    }

    // Adds a method of `object`; its event type is std::function<R(A...)>.
    template <class C, class R, class... A>
    void Add(const std::string& name, C* object, R (C::*method)(A...))
    {
        Add<std::function<R(A...)>>(name, [object, method](A... args) -> R {
            return (object->*method)(std::forward<A>(args)...);
        });
    }

    // The handler (a std::any holding its std::function), or nullptr.
    const std::any* Find(const std::string& name) const
    {
        const auto it = FHandlers.find(UpperCase(name));
        return it == FHandlers.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, std::any> FHandlers;
};
