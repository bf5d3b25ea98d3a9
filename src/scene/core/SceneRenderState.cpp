#include "scene/core/SceneRenderState.h"

#include <cstdint>

#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLBinding.h"

TGLColorFloat CurrentColor{1, 1, 1, 1};

namespace {

// After a reset the GL state is unknown (a texture may have been bound or a
// colour sent behind the caches' back, or the context is a new one): the
// next Set call sends its state whatever it is, null included.
bool FAlphaBlend = false;
bool FAlphaBlendKnown = true;
TRenderTexture* FCurrentTexture = nullptr;
bool FTextureKnown = true;
TRenderMaterial* FCurrentMaterial = nullptr;
bool FMaterialKnown = true;
uint32_t FContextSerial = 0;

// Forgets everything learnt under another context.
void FollowContext()
{
    if (FContextSerial == CurrentContextSerial())
        return;
    FContextSerial = CurrentContextSerial();
    ResetRenderState();
}

}  // namespace

void SetAlphaBlend(bool value)
{
    FollowContext();
    if (FAlphaBlendKnown && value == FAlphaBlend)
        return;
    if (value) {
        glEnable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glAlphaFunc(GL_GREATER, 0.05f);
    } else {
        glDisable(GL_ALPHA_TEST);
        glDisable(GL_BLEND);
    }
    FAlphaBlend = value;
    FAlphaBlendKnown = true;
}

bool AlphaBlend()
{
    return FAlphaBlend;
}

void SetCurrentTexture(TRenderTexture* texture)
{
    FollowContext();
    if (FTextureKnown && texture == FCurrentTexture)
        return;
    if (texture == nullptr) {
        glDisable(GL_TEXTURE_2D);
    } else {
        if (!FTextureKnown || FCurrentTexture == nullptr)
            glEnable(GL_TEXTURE_2D);
        texture->Bind();
    }
    FCurrentTexture = texture;
    FTextureKnown = true;
}

TRenderTexture* CurrentTexture()
{
    return FCurrentTexture;
}

void SetCurrentMaterial(TRenderMaterial* material)
{
    FollowContext();
    if (FMaterialKnown && material == FCurrentMaterial)
        return;
    if (material != nullptr) {
        material->Apply();
        CurrentColor.w = material->DiffuseAlpha();
    } else {
        CurrentColor.w = 1.0f;
    }
    glColor4fv(&CurrentColor.x);
    FCurrentMaterial = material;
    FMaterialKnown = true;
}

TRenderMaterial* CurrentMaterial()
{
    return FCurrentMaterial;
}

void ResetRenderState()
{
    FAlphaBlend = false;
    FAlphaBlendKnown = false;
    FCurrentTexture = nullptr;
    FTextureKnown = false;
    FCurrentMaterial = nullptr;
    FMaterialKnown = false;
    CurrentColor = TGLColorFloat{1, 1, 1, 1};
}

void ResetTextureCache()
{
    FollowContext();
    FCurrentTexture = nullptr;
    FTextureKnown = false;
}

void ResetMaterialCache()
{
    FollowContext();
    FCurrentMaterial = nullptr;
    FMaterialKnown = false;
}
