#include "scene/core/SceneSprite.h"

#include <algorithm>

#include "classlib/core/Exceptions.h"
#include "gl/core/GLPrimitive.h"
#include "gl/core/GLTexture.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

namespace {

// A picture size less one, as the divisor of pixel coordinates; at least 1.
float CoordinateSpan(int size)
{
    return static_cast<float>(std::max(size - 1, 1));
}

void SetSingleColor(TMeshGroup* group, TGLColor color)
{
    if (group == nullptr)
        return;
    group->Primitive->Colors().SetCount(1);
    group->Primitive->Colors().SetColor(0, color);
}

}  // namespace

void TSceneSprite::UpdateSpriteMesh()
{
    if (!MeshBuilt) {
        if (Texture == nullptr)
            throw Exception("TSceneSprite.UpdateSpriteMesh error: Texture=nil!");
        ClearGroups();
        SetCurrentTexture(Texture);  // loads the texture
        TMeshGroup* group = AddGroup(0, 0, Texture);
        TGLPrimitive& quad = *group->Primitive;
        quad.Mode = GL_QUADS;
        const float x0 = static_cast<float>(OriginX);
        const float y0 = static_cast<float>(OriginY);
        const float x1 = static_cast<float>(static_cast<double>(OriginX) + Width - 1);
        const float y1 = static_cast<float>(static_cast<double>(OriginY) + Height - 1);
        quad.Vertices().SetCount(4);
        quad.Vertices().SetVector(0, x0, y1, 0);
        quad.Vertices().SetVector(1, x0, y0, 0);
        quad.Vertices().SetVector(2, x1, y0, 0);
        quad.Vertices().SetVector(3, x1, y1, 0);
        quad.BuildNormals();

        // Rectangles are in pixels of the picture as stored, whatever step
        // the texture list sampled it with.
        const TGLTexture* glTexture = Texture->GLTexture();
        const int step = std::max(Texture->PixelStep, 1);
        const float tw = CoordinateSpan(glTexture != nullptr ? glTexture->Width() * step : 0);
        const float th = CoordinateSpan(glTexture != nullptr ? glTexture->Height() * step : 0);
        const float u0 = static_cast<float>(StartU) / tw;
        const float v0 = static_cast<float>(static_cast<double>(th) - StartV - Height + 1) / th;
        const float u1 = static_cast<float>(static_cast<double>(Width) - 1) / tw + u0;
        const float v1 = static_cast<float>(static_cast<double>(Height) - 1) / th + v0;
        TGLTextureCoordDArray& coords = quad.GetTextureCoords(0);
        coords.SetCount(4);
        coords.SetCoord(0, u0, v1);
        coords.SetCoord(1, u0, v0);
        coords.SetCoord(2, u1, v0);
        coords.SetCoord(3, u1, v1);
        MeshBuilt = true;
    }
    SetSingleColor(OpaqueGroups.Items(0), Color);
    SetSingleColor(AlphaGroups.Items(0), Color);
}

void TSceneSprite::RenderOpaque()
{
    UpdateSpriteMesh();
    TSceneMesh::RenderOpaque();
}

void TSceneSprite::RenderAlpha()
{
    UpdateSpriteMesh();
    TSceneMesh::RenderAlpha();
}

void TSceneSprite::LoadOptions(TResourceLoader& reader)
{
    TSceneMesh::LoadOptions(reader);
    Texture = dynamic_cast<TSceneTexture*>(reader.ReadReference("Texture", Texture));
    OriginX = reader.ReadInteger("OriginX", OriginX);
    OriginY = reader.ReadInteger("OriginY", OriginY);
    Width = reader.ReadInteger("Width", Width);
    Height = reader.ReadInteger("Height", Height);
    StartU = reader.ReadInteger("StartU", StartU);
    StartV = reader.ReadInteger("StartV", StartV);
    MeshBuilt = false;
}

void TSceneSprite::SaveOptions(TResourceLoader& writer)
{
    TSceneMesh::SaveOptions(writer);
    writer.WriteReference("Texture", Texture);
    writer.WriteInteger("OriginX", OriginX);
    writer.WriteInteger("OriginY", OriginY);
    writer.WriteInteger("Width", Width);
    writer.WriteInteger("Height", Height);
    writer.WriteInteger("StartU", StartU);
    writer.WriteInteger("StartV", StartV);
}
