// The render-state caches shared by every scene object that draws.
//
// Drawing code asks for the alpha-blend state, the current texture and the
// current material through these calls; each one changes OpenGL state only
// when the wanted value differs from the cached one. There is one of each
// per program, shared by every scene, and what they know belongs to the
// context current when they learnt it: once another context has been made
// current (CurrentContextSerial changed) every cache is "unknown" and the
// current colour is white again, so the next Set call sends its state
// whatever it is. The scene also forgets the texture and the material at
// the start of each frame (the alpha-blend state carries over).
//
// The caches know textures and materials only through the two small
// interfaces below, which the scene's texture and sub-material classes
// implement.
#pragma once

#include "gl/core/VectorTypes.h"

// What the texture cache needs of a scene texture.
class TRenderTexture {
public:
    virtual ~TRenderTexture() = default;
    // Makes sure the texture's GL texture exists and holds its pixels, then
    // binds it.
    virtual void Bind() = 0;
};

// What the material cache needs of a sub-material.
class TRenderMaterial {
public:
    virtual ~TRenderMaterial() = default;
    // Sends the whole GL material.
    virtual void Apply() = 0;
    // The alpha of the GL material's diffuse colour.
    virtual float DiffuseAlpha() const = 0;
};

// Off: glDisable(GL_ALPHA_TEST), glDisable(GL_BLEND). On: glEnable of both,
// glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), glAlphaFunc(GL_GREATER,
// 0.05). Initially off.
void SetAlphaBlend(bool value);
bool AlphaBlend();

// Null: glDisable(GL_TEXTURE_2D). Else glEnable(GL_TEXTURE_2D) when no
// texture was current, then texture->Bind().
void SetCurrentTexture(TRenderTexture* texture);
TRenderTexture* CurrentTexture();

// With a material: material->Apply() and the current colour's alpha := its
// diffuse alpha; null: alpha 1. Then glColor4fv(current colour) - its red,
// green and blue stay as they are.
void SetCurrentMaterial(TRenderMaterial* material);
TRenderMaterial* CurrentMaterial();

// Every cache unknown and the current colour (1, 1, 1, 1), without any GL
// call; what a new context starts with.
void ResetRenderState();

// Forget the current texture / material without any GL call, so that the
// next Set call sends its state again, null included (a null texture after a
// reset disables texturing even though the cache held none). Used at the
// start of each frame and by code that binds a texture or sends a material
// behind the caches' back.
void ResetTextureCache();
void ResetMaterialCache();

// The colour last sent with glColor4fv; (1, 1, 1, 1) at program start and
// for a new context. The material cache writes its alpha, lights write it
// whole.
extern TGLColorFloat CurrentColor;
