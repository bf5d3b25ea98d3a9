// TGLItem and TGLItemList: the GL objects a rendering context keeps.
//
// Every OpenGL object the program keeps - primitive, light, texture,
// material, viewport, display list - is a TGLItem registered in a typed
// TGLItemList, and the context (TCustomOpenGL) owns one list of each kind.
// A list creates its items (Add), lets the context reach all of them (to
// release their GL objects when it goes) and prepares its per-context state
// when a context has been made (InitContext).
//
// Ownership: whoever calls Add owns the item and frees it (a scene texture
// its GL texture, a default viewport its GL viewport); the list only
// registers it. Freeing an item takes it out of its list. Freeing the list
// first (the context goes before the scene) only cuts every item's link to
// it: the items live on with their owners, unlinked, and send nothing to a
// GL that is gone. So either order of destruction is safe and every item is
// freed exactly once.
#pragma once

#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/Lists.h"

class TCustomOpenGL;
class TGLItemList;

class TGLItem : public TObject {
public:
    // An item of ownerList; the list's Add creates items and appends them.
    explicit TGLItem(TGLItemList* ownerList) : FOwnerList(ownerList) {}
    // Takes the item out of its owner list, if it still has one.
    ~TGLItem() override;
    TGLItem(const TGLItem&) = delete;
    TGLItem& operator=(const TGLItem&) = delete;

    std::string ClassName() const override { return "TGLItem"; }

    TGLItemList* OwnerList() const { return FOwnerList; }

private:
    friend class TGLItemList;
    TGLItemList* FOwnerList;
};

class TGLItemList : public TObject {
public:
    // A list of the context owner (null for a list on its own), with room
    // reserved for capacity items.
    explicit TGLItemList(TCustomOpenGL* owner, int capacity = 0);
    // Cuts every item's link to the list; the items stay with their owners.
    ~TGLItemList() override;
    TGLItemList(const TGLItemList&) = delete;
    TGLItemList& operator=(const TGLItemList&) = delete;

    std::string ClassName() const override { return "TGLItemList"; }

    // Prepares the list's state for a context that has just been made
    // current. Nothing in the base class.
    virtual void InitContext() {}

    // Creates an item of the list's kind (NewItem) and appends it; the
    // caller owns it.
    TGLItem* Add();
    int Count() const { return FItems.Count(); }
    TGLItem* Items(int index) const { return static_cast<TGLItem*>(FItems.Items(index)); }
    int IndexOf(const TGLItem* item) const { return FItems.IndexOf(const_cast<TGLItem*>(item)); }
    int Capacity() const { return FItems.Capacity(); }
    void SetCapacity(int capacity) { FItems.SetCapacity(capacity); }

    TCustomOpenGL* Owner() const { return FOwner; }

protected:
    // A new item of the list's kind, linked to this list (the item classes'
    // virtual constructor). The base list makes plain TGLItems.
    virtual TGLItem* NewItem();

private:
    friend class TGLItem;
    TCustomOpenGL* FOwner;
    TList FItems;
};
