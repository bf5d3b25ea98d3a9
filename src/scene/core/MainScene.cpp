#include "scene/core/MainScene.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "gl/core/CustomOpenGL.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneRenderState.h"

TMainScene::TMainScene()
    : FEventList(std::make_unique<TMainItemList>()),
      FAnimationList(std::make_unique<TMainItemList>()),
      FRenderList(std::make_unique<TMainItemList>())
{
    SetName("MainScene");
    Alpha = true;
    SetVisible(true);
    Scene = this;
    FEventList->Scene = this;
    FAnimationList->Scene = this;
    FRenderList->Scene = this;
    FRenderList->Alpha = true;
}

TMainScene::~TMainScene()
{
    GL = nullptr;
    Clear();
}

void TMainScene::DoFrame(float deltaTime)
{
    DoEvents(deltaTime);
    Animate(deltaTime);
    Render();
}

TMainSceneObject* TMainScene::AddObject(TMainSceneObject* object, TProcessOptions options)
{
    if (object != nullptr)
        object->ProcessOptions = options;
    Add(object);
    return object;
}

void TMainScene::SetObjectVisible(const std::string& path, bool value)
{
    if (TMainObject* object = StrToReference(this, path))
        object->SetVisible(value);
}

void TMainScene::DoEvents(float deltaTime)
{
    FEventList->DoEvents(deltaTime);
}

void TMainScene::Animate(float deltaTime)
{
    FAnimationList->Animate(deltaTime);
}

void TMainScene::Render()
{
    if (!Visible())
        return;
    if (GL != nullptr)
        GL->SetCullFace(true);
    ResetTextureCache();
    ResetMaterialCache();
    for (int i = 0; i < FRenderList->GetCount(); ++i)
        if (TMainItem* item = FRenderList->GetItem(i))
            item->Render();
}

TMainItem* TMainScene::GetItem(int index) const
{
    return static_cast<TMainItem*>(FObjects.Items(index));
}

TMainItem* TMainScene::Add(TMainItem* item)
{
    auto* object = dynamic_cast<TMainSceneObject*>(item);
    if (item != nullptr && object == nullptr)
        throw EInvalidCast("Invalid class typecast");
    if (object != nullptr && object->Owner() == this)
        return item;  // a child already
    TResource::Add(item);
    object->SceneIndex = FObjects.Add(item);
    if (object->ProcessOptions & poRender)
        FRenderList->Add(item);
    if (object->ProcessOptions & poAnimation)
        FAnimationList->Add(item);
    if (object->ProcessOptions & poEvents)
        FEventList->Add(item);
    return item;
}

void TMainScene::Remove(TMainItem* item)
{
    if (item == nullptr)
        return;
    TResource::Remove(item);
    // Found by the object itself: while it is being freed its SceneIndex is
    // already gone.
    const int index = FObjects.IndexOf(item);
    if (index >= 0)
        FObjects.SetItem(index, nullptr);
    FRenderList->Remove(item);
    FAnimationList->Remove(item);
    FEventList->Remove(item);
}

void TMainScene::FreeObject(TMainItem* object)
{
    Remove(object);
    delete object;
}

void TMainScene::DeleteLast(int n)
{
    n = std::min(n, GetCount());
    for (int i = FObjects.Count() - 1; i >= 0 && n > 0; --i) {
        if (auto* object = static_cast<TMainItem*>(FObjects.Items(i))) {
            FreeObject(object);
            --n;
        }
    }
}

void TMainScene::Clear()
{
    for (int i = FObjects.Count() - 1; i >= 0; --i)
        if (auto* object = static_cast<TMainItem*>(FObjects.Items(i)))
            FreeObject(object);
    TMainObjectList::ClearItems();
    FEventList->ClearItems();
    FAnimationList->ClearItems();
    FRenderList->ClearItems();
    FObjects.Clear();
}
