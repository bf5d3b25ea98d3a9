// Reader of form descriptions: builds a component tree from a description
// (text or parsed tree) with the classes of a registry.
//
// Order of reading, which components rely on:
//  1. The root (the form) is marked csLoading, named and given its
//     properties in the order written.
//  2. Each nested object, depth first in the order written: created by its
//     class's factory with the root as owner, marked csLoading, named,
//     stored in the root's field of that name (if the root's class
//     registered one), attached to the object it is nested in (the class's
//     parent setter, if any), given its properties in order; then its own
//     nested objects.
//     csReading is set while a component's own properties are set.
//  3. Component references are resolved, in the order written: a name
//     within the root (or the root's own name), or "OtherForm.Name" in a
//     root that FindRoot supplies (a plain name not found in the root is
//     also tried as another root).
//  4. Event properties are bound to the handlers of the form's table, in
//     the order written. No handler can run while properties are set, so a
//     setter that fires an event (Checked = True) fires nothing then.
//  5. Loaded is called on every component in creation order, the root
//     first; TComponent::Loaded clears csLoading.
// Any failure in steps 1 to 4 is an EFormDescriptionError naming the form,
// the line and the item; Loaded is then not called and the components
// created so far stay owned by the root (Create frees the root it made).
// An exception out of a Loaded override passes unchanged.
//
// A form reads itself while it is constructed, from its most derived
// constructor (in a base constructor the object is not yet of its final
// class, so neither its ClassName() nor its registered setters fit):
//     TFormHandlers handlers;
//     handlers.Add("ButtonClick", this, &TFormSettings::ButtonClick);
//     TFormReader reader;
//     reader.Handlers = &handlers;
//     reader.ReadInto(descriptionText, *this);
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/Components.h"
#include "classlib/core/FormHandlers.h"
#include "classlib/core/FormTree.h"

class TFormReader {
public:
    explicit TFormReader(const TClassRegistry& registry = ClassRegistry()) : FRegistry(registry) {}

    // The form's event handlers; without a table every event property is an
    // unknown handler. Must outlive the reading.
    const TFormHandlers* Handlers = nullptr;
    // Finds another form by its name, for references into it; may return
    // nullptr. Without it such references are unknown components.
    std::function<TComponent*(const std::string& name)> FindRoot;

    // Reads a description into an existing root whose ClassName() is the
    // description's root class.
    void ReadInto(std::string_view text, TComponent& root) const;
    void ReadInto(const TFormObject& description, TComponent& root) const;
    // Creates the root with its class's factory (owned by `owner`, which may
    // be nullptr: the caller then owns it) and reads the description into it.
    TComponent* Create(std::string_view text, TComponent* owner) const;
    TComponent* Create(const TFormObject& description, TComponent* owner) const;

private:
    const TClassRegistry& FRegistry;
};
