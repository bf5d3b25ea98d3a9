// TSceneSprite: a mesh of one textured rectangle cut out of a texture, in
// pixels, for the orthographic pass of a sprite list (SceneLayer.h).
//
// The rectangle spans the pixels OriginX .. OriginX + Width - 1 across and
// OriginY .. OriginY + Height - 1 up, at z 0. Its texture coordinates
// select the Width x Height pixels of the picture whose top-left corner is
// (StartU, StartV), counted from the picture's top-left (pictures are
// stored top-down, textures bottom-up). The quad is built on the first draw
// and again after LoadOptions; the sprite's Material (sub-material 0) must
// be set.
#pragma once

#include <cstdint>

#include "gl/core/VectorTypes.h"
#include "scene/core/SceneMesh.h"

class TSceneSprite : public TSceneMesh {
public:
    TSceneSprite() = default;

    std::string ClassName() const override { return "TSceneSprite"; }

    // UpdateSpriteMesh, then the mesh's pass.
    void RenderOpaque() override;
    void RenderAlpha() override;

    // The mesh keys, "Texture" (reference), "OriginX", "OriginY", "Width",
    // "Height", "StartU", "StartV"; then clears MeshBuilt.
    void LoadOptions(TResourceLoader& reader) override;
    void SaveOptions(TResourceLoader& writer) override;

    // When not MeshBuilt: a null Texture raises Exception
    // "TSceneSprite.UpdateSpriteMesh error: Texture=nil!"; the groups are
    // freed, the texture made current (which loads it) and one GL_QUADS
    // group added for sub-material 0 with corners (OriginX, Y1),
    // (OriginX, OriginY), (X1, OriginY), (X1, Y1), normals built and texture
    // coordinates (U0, V1), (U0, V0), (U1, V0), (U1, V1) where, with TW and
    // TH the picture's width and height - 1 (at least 1):
    //   U0 = StartU / TW, V0 = (TH - StartV - Height + 1) / TH,
    //   U1 = (Width - 1) / TW + U0, V1 = (Height - 1) / TH + V0.
    // Then, every time, the first opaque and the first transparent group
    // get Color as their single colour.
    void UpdateSpriteMesh();

    int Width = 256;
    int Height = 256;
    int OriginX = 0;
    int OriginY = 0;
    int StartU = 0;
    int StartV = 0;
    // Not owned.
    TSceneTexture* Texture = nullptr;
    // The quad is built for the current keys.
    bool MeshBuilt = false;
    TGLColor Color = MakeColorRGBA(255, 255, 255, 255);
};
