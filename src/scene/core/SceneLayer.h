// Layers: resources whose children are drawn as one unit.
//
// TSceneLayer draws the opaque parts of all its visible children before
// any transparent part, so that transparent children blend over every
// opaque one of the layer. TMainSpriteList is a layer drawn in pixels: an
// orthographic pass of ViewWidth x ViewHeight with face culling, depth test
// and fog off, so that its sprites lie on top of the scene.
#pragma once

#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"

class TSceneLayer : public TResource {
public:
    // Visible.
    TSceneLayer();

    std::string ClassName() const override { return "TSceneLayer"; }

    // When Visible: BeginRender, RenderOpaque (by default the opaque pass of
    // every visible child), then - only when the layer's Alpha is set -
    // RenderAlpha (by default the transparent pass of every visible child),
    // then EndRender. Layers that draw their children in an order of their
    // own override the two passes.
    void Render() override;
};

class TMainSpriteList : public TSceneLayer {
public:
    TMainSpriteList() = default;

    std::string ClassName() const override { return "TMainSpriteList"; }

    // When Visible: lighting on or off by Lighting; face culling, depth test
    // and fog off; the projection pushed and set to glOrtho(0, ViewWidth,
    // 0, ViewHeight, -100, 100); the modelview pushed, reset and translated
    // to (Position.x, Position.y, 0); the layer's render; both matrices
    // popped (the modelview current again); depth test and face culling on.
    // Lighting and fog stay as the pass set them.
    void Render() override;

    // The resource keys, "Position" (vector), "ViewWidth", "ViewHeight"
    // (reals), "Lighting" (bool).
    void LoadOptions(TResourceLoader& reader) override;
    void SaveOptions(TResourceLoader& writer) override;

    float ViewWidth = 1024;
    float ViewHeight = 768;
    TGLVector Position{0, 0, 0};
    bool Lighting = false;
};
