// The scene object model: the class tree every scene object belongs to.
//
//  TMainItem          visibility, a transparent pass, its scene and its owner
//   TMainObject       a name; loads and saves its own keys
//    TMainSceneObject process options, storable, position in the scene
//     TMainList       abstract list of items (forwards the frame to them)
//      TMainItemList  unnamed, insertion order, never owns its items
//      TMainObjectList  named: a sorted, case-sensitive name index
//       TResource     an object list built from a scene description; owns
//                     its children
//
// The per-frame and list operations are virtual and keep their order across
// the tree, so subclasses (the engine's and the aquarium's) override them in
// place. The virtual constructor of the object model is the plain C++
// constructor; CreateSceneObject (SceneRegistry.h) creates by class name.
//
// Ownership: only a TResource sets an item's Owner, and it owns what it
// holds - clearing it, deleting its last items or freeing it frees them.
// Removing an object only takes it out of its list (it then has no owner).
// Freeing an object that has an owner first takes it out of that owner.
// Item lists and plain object lists are views: Clear and DeleteLast free
// their items, but they never become an item's owner and their destructors
// free nothing.
//
// Names: an object list holds a name once. Adding an object whose name the
// list holds for another object raises, and the object stays with the
// caller, who frees it. Removing or renaming such an object never touches
// the entry of the object that holds the name.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/Lists.h"
#include "classlib/core/StringList.h"

class TMainList;
class TMainScene;
class TResourceLoader;

// Which per-frame operations the scene calls for an object: a set of
// Render, Animation and Events in one byte.
using TProcessOptions = uint8_t;
constexpr TProcessOptions poRender = 0x1;
constexpr TProcessOptions poAnimation = 0x2;
constexpr TProcessOptions poEvents = 0x4;

// Where a resource's description comes from: a set of File and Resource.
using TSourceLocations = uint8_t;
constexpr TSourceLocations slFile = 0x1;
constexpr TSourceLocations slResource = 0x2;

class TMainItem : public TObject {
public:
    // Visible, not transparent, in no scene and no list.
    TMainItem() = default;
    ~TMainItem() override = default;
    TMainItem(const TMainItem&) = delete;
    TMainItem& operator=(const TMainItem&) = delete;

    std::string ClassName() const override { return "TMainItem"; }

    bool Visible() const { return FVisible; }
    // The list that holds the item and owns it; null while it is in none.
    TMainList* Owner() const { return FOwner; }

    // --- Virtual operations, in slot order ---
    virtual void SetVisible(bool value);
    // Called every frame for objects that process events; nothing here.
    virtual void DoEvents(float deltaTime);
    // Advances the object by deltaTime seconds; nothing here.
    virtual void Animate(float deltaTime);
    // Sets up the object's transform for drawing; nothing here.
    virtual void BeginRender();
    // Undoes BeginRender; nothing here.
    virtual void EndRender();
    // When Visible: BeginRender, RenderOpaque, RenderAlpha (only with
    // Alpha), EndRender.
    virtual void Render();
    // The opaque pass; nothing here.
    virtual void RenderOpaque();
    // The transparent pass; nothing here.
    virtual void RenderAlpha();

    // The object has a transparent pass.
    bool Alpha = false;
    // The scene the object belongs to (not owned).
    TMainScene* Scene = nullptr;

private:
    friend class TMainList;
    bool FVisible = true;
    TMainList* FOwner = nullptr;
};

class TMainObject : public TMainItem {
public:
    TMainObject() = default;
    // Leaves the owner first (Owner()->Remove), so that freeing an object
    // from outside takes it out of its resource. This runs here rather than
    // in TMainItem's destructor because the owner finds the object by its
    // name, which is gone by then.
    ~TMainObject() override;

    std::string ClassName() const override { return "TMainObject"; }

    const std::string& Name() const { return FName; }
    // With an owner the owner renames the object (and may refuse: see
    // TMainObjectList::Rename); without one the name is stored.
    void SetName(const std::string& value);

    // Writes the object's own keys: "Visible" only when false, "Alpha" only
    // when true. Subclasses write their keys after their parent's.
    virtual void SaveOptions(TResourceLoader& writer);
    // Reads "Visible" (through SetVisible) and "Alpha", each with the
    // current value as the default. Subclasses read after their parent's.
    virtual void LoadOptions(TResourceLoader& reader);

private:
    friend class TMainObjectList;
    std::string FName;
};

class TMainSceneObject : public TMainObject {
public:
    TMainSceneObject() = default;

    std::string ClassName() const override { return "TMainSceneObject"; }

    // The scene's process lists this object joins when it is added.
    TProcessOptions ProcessOptions = 0;
    // Loading and saving of a resource do nothing without it; always set.
    bool Storable = true;
    // The object's position in its scene's flat object list.
    int SceneIndex = -1;
};

// A list of items. The frame operations go to every child in list order;
// the storage operations are supplied by the two kinds of list.
class TMainList : public TMainSceneObject {
public:
    TMainList() = default;

    std::string ClassName() const override { return "TMainList"; }

    // Nothing, then DoEvents / Animate of every child, visible or not.
    void DoEvents(float deltaTime) override;
    void Animate(float deltaTime) override;
    // When Visible: BeginRender, Render of every visible child, EndRender.
    void Render() override;
    // The same pass on every visible child.
    void RenderOpaque() override;
    void RenderAlpha() override;

    // --- Virtual operations, in slot order ---
    virtual TMainItem* GetItem(int index) const = 0;
    virtual int GetCount() const = 0;
    virtual int GetCapacity() const = 0;
    virtual void SetCapacity(int value) = 0;
    // Takes entry index out of the store; the item is not freed.
    virtual void Delete(int index) = 0;
    // Sets the item's Scene to the list's; returns the item.
    virtual TMainItem* Add(TMainItem* item);
    // Frees the last n items (n clipped to the count; nothing for n <= 0),
    // last first: each entry is taken out, then the item is freed - after
    // losing its owner when that is this list, so that it does not call back;
    // an item owned elsewhere leaves its owner as it is freed.
    virtual void DeleteLast(int n);
    // Takes the item out of the store without freeing it.
    virtual void Remove(TMainItem* item) = 0;
    // Gives the item a new name, as far as the list allows.
    virtual void Rename(TMainItem* item, const std::string& newName) = 0;
    // Empties the store without freeing the items.
    virtual void ClearItems() = 0;
    // Frees every item: DeleteLast(GetCount()).
    virtual void Clear();
    // Nothing here; lists with an order of their own override it.
    virtual void SetSorted(bool value);

    // Plain accessors of GetItem and GetCount.
    TMainItem* GetItems(int index) const { return GetItem(index); }
    int Count() const { return GetCount(); }

    // The description reader and writer handle the list's children.
    bool StoreItems = false;

protected:
    // Only resources own items; the list kinds set and clear Owner here.
    static void SetOwnerOf(TMainItem* item, TMainList* owner) { item->FOwner = owner; }
};

// An unnamed list over a TList, in insertion order. The scene's process
// lists are of this kind.
class TMainItemList : public TMainList {
public:
    TMainItemList();

    std::string ClassName() const override { return "TMainItemList"; }

    TMainItem* GetItem(int index) const override;
    int GetCount() const override;
    int GetCapacity() const override;
    void SetCapacity(int value) override;
    void Delete(int index) override;
    // Sets Scene, then appends.
    TMainItem* Add(TMainItem* item) override;
    // Takes out the first entry that is item, if any.
    void Remove(TMainItem* item) override;
    // Nothing: items of an item list are not indexed by name.
    void Rename(TMainItem* item, const std::string& newName) override;
    void ClearItems() override;

private:
    TList FList;
};

// A named object list whose only store is its name index: (Name, object)
// pairs, sorted, one entry per name, compared case-sensitively (byte by
// byte, so the index order is also the order in which layers draw their
// children).
class TMainObjectList : public TMainList {
public:
    TMainObjectList();

    std::string ClassName() const override { return "TMainObjectList"; }

    // The index's object at index, its count and capacity.
    TMainItem* GetItem(int index) const override;
    int GetCount() const override;
    int GetCapacity() const override;
    void SetCapacity(int value) override;
    // Deletes index entry index.
    void Delete(int index) override;
    // Takes a named TMainObject (reported as AddItem): an item of another
    // class raises EInvalidCast; a null item raises Exception
    // "TMainObjectList.AddItem error: Add NIL Object failed"; an empty name
    // "TMainObjectList.AddItem error: Add empty Object.Name failed" (nothing
    // is added in either case); a name that the list holds for another
    // object "TMainObjectList.AddItem error: Object.Name <name> is taken"
    // (nothing is added). An item the list holds already is left as it is.
    // Then Scene is set and the (Name, object) pair is indexed. Returns the
    // item.
    TMainItem* Add(TMainItem* item) override;
    // Deletes the entry that holds item (found by its name, or by the
    // object when the name does not lead to it); an owned item loses its
    // owner. Nothing when the list does not hold item.
    void Remove(TMainItem* item) override;
    // Nothing when newName is held already or the list does not hold item;
    // else the entry moves to newName and the item takes the name.
    void Rename(TMainItem* item, const std::string& newName) override;
    void ClearItems() override;

    // The child named exactly name (case-sensitive), or null.
    TMainObject* FindObject(const std::string& name) const;

protected:
    // The index position of item, or -1 when the list does not hold it.
    int IndexOfItem(const TMainItem* item) const;

    // Sorted, duplicates ignored, case-sensitive. Lists with an order of
    // their own (particles) switch sorting off.
    TStringList FNameIndex;
};

// An object list that loads and saves itself and its children from a scene
// description, and owns its children.
class TResource : public TMainObjectList {
public:
    // Invisible, [File], path ".\", no source name, not scrambled.
    TResource();
    // Frees every child.
    ~TResource() override;

    std::string ClassName() const override { return "TResource"; }

    // Takes the item as TMainObjectList::Add does (raising as it does) and
    // becomes its owner (an item that had another owner leaves it first).
    TMainItem* Add(TMainItem* item) override;
    // Clearing a resource frees its children: calls Clear.
    void ClearItems() override;
    // Frees every child (TMainList::Clear), then empties the index.
    void Clear() override;

    // Keys "SourceLocation" and "Path", after the inherited ones.
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // --- Virtual operations, in slot order ---
    // Appends one resource-script line per file the resource reads, so
    // that a scene's files can be compiled into the program; nothing here.
    virtual void AddResourceLines(TStrings& lines);
    // Builds the resource and its children from its description.
    virtual void Load();
    // Writes the resource and its children to its description file.
    virtual void Save();

    // Folder that relative file names of the resource are joined to.
    std::string Path = ".\\";
    TSourceLocations SourceLocation = slFile;
    // The description's file (or resource) name; empty: none of its own.
    std::string SourceName;
    // The description is stored line-scrambled.
    bool Scrambled = false;
};
