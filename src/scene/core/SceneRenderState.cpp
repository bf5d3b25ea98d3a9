#include "scene/core/SceneRenderState.h"

#include "gl/core/GLBinding.h"

TGLColorFloat CurrentColor{1, 1, 1, 1};

namespace {

bool FAlphaBlend = false;
TRenderTexture* FCurrentTexture = nullptr;
TRenderMaterial* FCurrentMaterial = nullptr;

}  // namespace

void SetAlphaBlend(bool value)
{
    if (value == FAlphaBlend)
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
}

bool AlphaBlend()
{
    return FAlphaBlend;
}

void SetCurrentTexture(TRenderTexture* texture)
{
    if (texture == FCurrentTexture)
        return;
    if (texture == nullptr) {
        glDisable(GL_TEXTURE_2D);
    } else {
        if (FCurrentTexture == nullptr)
            glEnable(GL_TEXTURE_2D);
        texture->Bind();
    }
    FCurrentTexture = texture;
}

TRenderTexture* CurrentTexture()
{
    return FCurrentTexture;
}

void SetCurrentMaterial(TRenderMaterial* material)
{
    if (material == FCurrentMaterial)
        return;
    if (material != nullptr) {
        material->Apply();
        CurrentColor.w = material->DiffuseAlpha();
    } else {
        CurrentColor.w = 1.0f;
    }
    glColor4fv(&CurrentColor.x);
    FCurrentMaterial = material;
}

TRenderMaterial* CurrentMaterial()
{
    return FCurrentMaterial;
}

void ResetTextureCache()
{
    FCurrentTexture = nullptr;
}

void ResetMaterialCache()
{
    FCurrentMaterial = nullptr;
}
