// TMainScene: the root of one scene.
//
// The scene is a resource that owns every top-level scene object, keeps a
// flat list of them (positions never move: a removed object leaves a hole)
// and three process lists that say which objects get events, animation and
// drawing each frame. The host points it at the GL context and its
// viewport, loads it, and calls DoFrame once per frame.
//
// Only direct children enter the process lists; the children of a child
// list are reached through that list's own frame operations.
#pragma once

#include <memory>
#include <string>

#include "classlib/core/Lists.h"
#include "gl/core/GLContextLink.h"
#include "scene/core/SceneObjects.h"

class TCustomOpenGL;
class TDefViewport;

class TMainScene : public TResource {
public:
    // Named "MainScene", visible, with a transparent pass, its own Scene.
    TMainScene();
    // Forgets the GL context, frees every object, then the lists.
    ~TMainScene() override;

    std::string ClassName() const override { return "TMainScene"; }

    // DoEvents, Animate, Render.
    void DoFrame(float deltaTime);
    // Sets the object's ProcessOptions to options, then Add; returns it.
    TMainSceneObject* AddObject(TMainSceneObject* object, TProcessOptions options);
    // SetVisible(value) on the object that path names from the scene;
    // nothing when there is none.
    void SetObjectVisible(const std::string& path, bool value);

    // Events / animation of the process lists, visible or not.
    void DoEvents(float deltaTime) override;
    void Animate(float deltaTime) override;
    // When Visible: face culling on (through GL, when set), the texture and
    // material caches forgotten, then Render of every item of RenderList in
    // the order of addition (each item tests its own Visible and draws its
    // transparent pass right after its opaque one).
    void Render() override;
    // Entry index of the flat list (null for a removed object); GetCount
    // stays the name index's count.
    TMainItem* GetItem(int index) const override;
    // A TMainSceneObject (EInvalidCast otherwise) is taken as a resource
    // takes it (a name held by another object raises and the object stays
    // the caller's); the object is then appended to the flat list (its position
    // becomes SceneIndex) and joins RenderList, AnimationList and EventList
    // as its ProcessOptions say, in this order.
    TMainItem* Add(TMainItem* item) override;
    // Takes the object out of the name index, the flat list (leaving a
    // hole) and all three process lists, whatever its ProcessOptions say now.
    void Remove(TMainItem* item) override;
    // Frees the last n objects of the flat list, last first, each taken out
    // of every list before it is freed; holes are skipped.
    void DeleteLast(int n) override;
    // Frees every object of the flat list once, then empties the index, the
    // process lists and the flat list.
    void Clear() override;

    TMainItemList* EventList() const { return FEventList.get(); }
    TMainItemList* AnimationList() const { return FAnimationList.get(); }
    TMainItemList* RenderList() const { return FRenderList.get(); }
    // Every object added, in order of addition; removed ones leave null.
    const TList& Objects() const { return FObjects; }

    // The rendering context (not owned), set by the host; null again once
    // that context object is freed.
    TGLContextLink GL;
    // The host's viewport and camera (not owned), set by the host.
    TDefViewport* Viewport = nullptr;
    // The drawing area in pixels, set by the host on every resize.
    int ViewWidth = 0;
    int ViewHeight = 0;

private:
    // Takes object out of every list, then frees it.
    void FreeObject(TMainItem* object);

    std::unique_ptr<TMainItemList> FEventList;
    std::unique_ptr<TMainItemList> FAnimationList;
    std::unique_ptr<TMainItemList> FRenderList;
    TList FObjects;
};
