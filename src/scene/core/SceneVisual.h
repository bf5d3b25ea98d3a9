// Visual objects: a shared drawable (a mesh, in practice) placed with a
// position, a rotation and a scale, and lists that draw one drawable at
// every item's place. Particle lists and the aquarium's fish and bubbles
// build on them.
#pragma once

#include <cstdint>
#include <string>

#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"

// Which parts of a visual object's transform apply: a set of Position,
// Rotation and Scale in one byte.
using TVisualOptions = uint8_t;
constexpr TVisualOptions voPosition = 0x1;
constexpr TVisualOptions voRotation = 0x2;
constexpr TVisualOptions voScale = 0x4;

// "[" + the member words "Position", "Rotation", "Scale" joined by "," +
// "]" ("[]" when empty); reading sets every member whose word occurs
// anywhere in the text (case-sensitive).
std::string VisualOptionsToStr(TVisualOptions options);
TVisualOptions StrToVisualOptions(const std::string& text);

class TMainVisualObject : public TMainSceneObject {
public:
    // At the origin, unrotated, scale 1, [Position,Rotation], no visual.
    TMainVisualObject() = default;

    std::string ClassName() const override { return "TMainVisualObject"; }

    // Visual.Animate: a visual shared by several objects advances once per
    // object per frame.
    void Animate(float deltaTime) override;
    // Nothing for []; else glPushMatrix, then with Position glTranslatef,
    // with Rotation glRotatef about y, then x, then z, with Scale glScalef.
    void BeginRender() override;
    // glPopMatrix unless [].
    void EndRender() override;
    // When Visible: the opaque pass and, with Alpha, the transparent pass,
    // each wrapped once in the transform.
    void Render() override;
    // With a visual: BeginRender, the visual's same pass, EndRender.
    void RenderOpaque() override;
    void RenderAlpha() override;

    // The TMainObject keys, "VisualOptions", "Position", "Scale", "Angles"
    // and "Visual" (a reference).
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    TGLVector Position{0, 0, 0};
    TGLVector Scale{1, 1, 1};
    // Degrees about x, y and z.
    TGLVector Angles{0, 0, 0};
    TVisualOptions VisualOptions = voPosition | voRotation;
    // The drawn object; not owned.
    TMainObject* Visual = nullptr;
};

// A resource whose items are transforms: it draws its Visual at each of
// them, visible or not. The items are not drawn or animated themselves.
class TMainVisualObjectList : public TResource {
public:
    // Visible, no visual.
    TMainVisualObjectList();

    std::string ClassName() const override { return "TMainVisualObjectList"; }

    // Visual.Animate once, when there is a visual and at least one item.
    void Animate(float deltaTime) override;
    // Alpha := the visual has a transparent pass; then, when Visible:
    // BeginRender, RenderOpaque, RenderAlpha (with Alpha), EndRender.
    void Render() override;
    // With a visual: for every item in list order, the item's BeginRender,
    // the visual's opaque pass, the item's EndRender.
    void RenderOpaque() override;
    // The same with the visual's transparent pass, when it has one.
    void RenderAlpha() override;
    // Sorts the name index by name or keeps it in insertion order.
    void SetSorted(bool value) override;

    // The TResource keys and "Visual" (a reference).
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // The drawn object; not owned.
    TMainObject* Visual = nullptr;
};
