#include "gl/core/GLItemList.h"

#include <memory>

TGLItem::~TGLItem()
{
    if (FOwnerList)
        FOwnerList->FItems.Remove(this);
}

TGLItemList::TGLItemList(TCustomOpenGL* owner, int capacity) : FOwner(owner)
{
    if (capacity > 0)
        FItems.SetCapacity(capacity);
}

TGLItemList::~TGLItemList()
{
    for (int i = 0; i < FItems.Count(); ++i)
        Items(i)->FOwnerList = nullptr;
    FItems.Clear();
}

TGLItem* TGLItemList::Add()
{
    std::unique_ptr<TGLItem> item(NewItem());
    FItems.Add(item.get());
    return item.release();
}

TGLItem* TGLItemList::NewItem() { return new TGLItem(this); }
