#include "aquarium/core/UnderWater.h"

#include <cmath>

#include "app/core/MathPro.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/DefViewport.h"
#include "gl/core/GLPrimitive.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLight.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneRenderState.h"
#include "scene/core/SceneTexture.h"

namespace {

uint8_t ColorByte(float value)
{
    return static_cast<uint8_t>(RoundInt64(static_cast<long double>(value) * 255));
}

uint8_t Channel(TGLColor color, int shift)
{
    return static_cast<uint8_t>(color >> shift);
}

}  // namespace

TUnderWater::~TUnderWater()
{
    FreeGeometry();
}

void TUnderWater::SetVisible(bool value)
{
    TMainSceneObject::SetVisible(value);
    if (Light == nullptr)
        return;
    if (value)
        Light->Apply();
    else
        Light->Restore();
}

void TUnderWater::Scroll(TGLPrimitive* layer, const TGLPrimitive* grid, float du, float dv,
                         TGLTextureCoord& scroll)
{
    if (layer == nullptr || grid == nullptr)
        return;
    scroll.s += du;
    scroll.t += dv;
    scroll.s -= std::trunc(scroll.s);
    scroll.t -= std::trunc(scroll.t);
    const TGLTextureCoordDArray& base = const_cast<TGLPrimitive*>(grid)->GetTextureCoords(0);
    TGLTextureCoordDArray& coords = layer->GetTextureCoords(0);
    for (int i = 0; i < coords.Count() && i < base.Count(); ++i) {
        const TGLTextureCoord c = base.GetCoord(i);
        coords.SetCoord(i, c.s + scroll.s, c.t + scroll.t);
    }
}

void TUnderWater::Animate(float deltaTime)
{
    TMainSceneObject::Animate(deltaTime);
    Scroll(FSurfaceLight, FSurface, -0.1f * deltaTime, 0.1f * deltaTime, FSurfaceScroll);
    Scroll(FBottomLight, FBottom, 0.1f * deltaTime, 0.1f * deltaTime, FBottomScroll);
}

void TUnderWater::SetFog(TGLColor color)
{
    if (EmulateDepth)
        return;
    const TGLColorFloat c = ColorByteToFloat(color);
    const GLfloat values[4] = {c.x, c.y, c.z, c.w};
    glFogfv(GL_FOG_COLOR, values);
}

void TUnderWater::DrawAt(TGLPrimitive* primitive, float y)
{
    if (primitive == nullptr)
        return;
    glPushMatrix();
    glTranslatef(0, y, 0);
    primitive->Render();
    glPopMatrix();
}

void TUnderWater::RenderOpaque()
{
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    SetAlphaBlend(false);
    if (EmulateDepth) {
        glDisable(GL_FOG);
    } else {
        // One linear fog for every textured pass; only its colour changes
        // between the surface and the sea bed.
        glEnable(GL_FOG);
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glHint(GL_FOG_HINT, GL_FASTEST);
        glFogf(GL_FOG_START, FogStart);
        glFogf(GL_FOG_END, FogEnd);
    }

    SetFog(UpColor);
    SetCurrentTexture(UpTexture);
    DrawAt(FSurface, UpY);
    SetFog(BottomColor);
    SetCurrentTexture(BottomTexture);
    DrawAt(FBottom, BottomY);

    SetAlphaBlend(true);
    SetCurrentTexture(LightMapTexture);
    if (UpAlpha > 0) {
        SetFog(UpColor);
        DrawAt(FSurfaceLight, UpY);
    }
    if (BottomAlpha > 0) {
        SetFog(BottomColor);
        DrawAt(FBottomLight, BottomY);
    }

    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    if (EmulateDepth) {
        DrawAt(FSurfaceFade, UpY);
        DrawAt(FBottomFade, BottomY);
    }

    SetAlphaBlend(false);
    if (FBackPlane != nullptr)
        FBackPlane->Render();

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

void TUnderWater::RenderAlpha()
{
    TMainSceneObject::RenderAlpha();
    if (Light != nullptr) {
        glEnable(GL_LIGHTING);
        Light->Apply();
    }
}

void TUnderWater::SaveOptions(TResourceLoader& writer)
{
    TMainSceneObject::SaveOptions(writer);
    writer.WriteFloat("FarPlane", FarPlane);
    writer.WriteFloat("FogStart", FogStart);
    writer.WriteFloat("FogEnd", FogEnd);
    writer.WriteBool("EmulateDepth", EmulateDepth);
    writer.WriteByteColor("FogColor", FogColor);
    writer.WriteFloat("UpY", UpY);
    writer.WriteFloat("BottomY", BottomY);
    writer.WriteByteColor("UpColor", UpColor);
    writer.WriteByteColor("BottomColor", BottomColor);
    writer.WriteFloat("UpAlpha", UpAlpha);
    writer.WriteFloat("BottomAlpha", BottomAlpha);
    writer.WriteReference("BottomTexture", BottomTexture);
    writer.WriteReference("UpTexture", UpTexture);
    writer.WriteReference("LightMapTexture", LightMapTexture);
    writer.WriteReference("Light", Light);
}

void TUnderWater::LoadOptions(TResourceLoader& reader)
{
    TMainSceneObject::LoadOptions(reader);
    FarPlane = reader.ReadFloat("FarPlane", FarPlane);
    FogStart = reader.ReadFloat("FogStart", FogStart);
    FogEnd = reader.ReadFloat("FogEnd", FogEnd);
    FogColor = reader.ReadByteColor("FogColor", FogColor);
    EmulateDepth = reader.ReadBool("EmulateDepth", EmulateDepth);
    UpY = reader.ReadFloat("UpY", UpY);
    BottomY = reader.ReadFloat("BottomY", BottomY);
    UpColor = reader.ReadByteColor("UpColor", UpColor);
    BottomColor = reader.ReadByteColor("BottomColor", BottomColor);
    UpAlpha = reader.ReadFloat("UpAlpha", UpAlpha);
    BottomAlpha = reader.ReadFloat("BottomAlpha", BottomAlpha);
    BottomTexture = dynamic_cast<TSceneTexture*>(reader.ReadReference("BottomTexture", BottomTexture));
    UpTexture = dynamic_cast<TSceneTexture*>(reader.ReadReference("UpTexture", UpTexture));
    LightMapTexture = dynamic_cast<TSceneTexture*>(reader.ReadReference("LightMapTexture", LightMapTexture));
    Light = dynamic_cast<TMainLight*>(reader.ReadReference("Light", Light));
    BuildGeometry();
}

void TUnderWater::FreeGeometry()
{
    for (TGLPrimitive** primitive :
         {&FSurface, &FBottom, &FSurfaceLight, &FBottomLight, &FSurfaceFade, &FBottomFade, &FBackPlane}) {
        delete *primitive;
        *primitive = nullptr;
    }
    FSurfaceScroll = TGLTextureCoord{0, 0};
    FBottomScroll = TGLTextureCoord{0, 0};
}

void TUnderWater::BuildGrid(TGLPrimitive& grid, int cols, int rows, float width, float depth, float x0, float y0,
                            float z0, float uScale, float vScale)
{
    grid.Mode = GL_TRIANGLES;
    grid.Colors().SetCount(1);
    grid.Colors().SetColor(0, 255, 255, 255, 255);
    grid.Normals().SetCount(1);
    grid.Normals().SetVector(0, 0, 1, 0);
    const int columnCount = cols + 1;
    TGLVectorDArray& vertices = grid.Vertices();
    TGLTextureCoordDArray& coords = grid.GetTextureCoords(0);
    vertices.SetCount(columnCount * (rows + 1));
    coords.SetCount(columnCount * (rows + 1));
    for (int i = 0; i <= rows; ++i)
        for (int j = 0; j <= cols; ++j) {
            const int v = columnCount * i + j;
            vertices.SetVector(v, x0 + static_cast<float>(j) * width / static_cast<float>(cols), y0,
                               z0 + static_cast<float>(i) * depth / static_cast<float>(rows));
            coords.SetCoord(v, static_cast<float>(j) * uScale / static_cast<float>(cols),
                            (1 - static_cast<float>(i) / static_cast<float>(rows)) * vScale);
        }
    TGLIndexDArray& indices = grid.Indices();
    indices.SetCount(6 * cols * rows);
    int n = 0;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j) {
            const int a = columnCount * i + j;
            const int b = a + columnCount;
            for (int index : {a, b, b + 1, a, b + 1, a + 1})
                indices.SetIndex(n++, index);
        }
    grid.BuildNormals();
}

void TUnderWater::SetFadeColors(TGLPrimitive& layer, TGLColor color, float fogStart, float fogEnd)
{
    const TGLVectorDArray& vertices = layer.Vertices();
    TGLColorDArray& colors = layer.Colors();
    colors.SetCount(vertices.Count());
    for (int i = 0; i < colors.Count(); ++i)
        colors.SetColor(i, 0);
    const float s = -fogStart;
    const float e = -fogEnd;
    if (std::fabs(s - e) < 0.01f)
        return;
    const uint8_t r = Channel(color, 0);
    const uint8_t g = Channel(color, 8);
    const uint8_t b = Channel(color, 16);
    for (int i = 0; i < vertices.Count(); ++i) {
        const float z = vertices.GetVector(i).z;
        // How far the vertex lies from the clear end towards the full one.
        float t;
        if (s >= e)
            t = z > s ? 0 : z <= e ? 1 : std::fabs((z - s) / (e - s));
        else
            t = z < s ? 0 : z >= e ? 1 : std::fabs((z - s) / (e - s));
        if (t > 1)
            t = 1;
        else if (t < 0.001f)
            t = 0;
        colors.SetColor(i, r, g, b, ColorByte(t));
    }
}

void TUnderWater::BuildLayers(TGLPrimitive* grid, TGLColor color, float alpha, TGLPrimitive*& light,
                              TGLPrimitive*& fade)
{
    light = grid->CopyTo(nullptr);
    const float lightAlpha = alpha < 0 ? 0 : alpha > 1 ? 1 : alpha;
    light->Colors().SetCount(1);
    light->Colors().SetColor(0, 255, 255, 255, ColorByte(lightAlpha));
    fade = grid->CopyTo(nullptr);
    SetFadeColors(*fade, color, FogStart, FogEnd);
}

void TUnderWater::BuildGeometry()
{
    FreeGeometry();
    TCustomOpenGL* context = Scene != nullptr ? static_cast<TCustomOpenGL*>(Scene->GL) : nullptr;
    TDefViewport* viewport = Scene != nullptr ? Scene->Viewport : nullptr;
    if (context == nullptr || viewport == nullptr || !(FarPlane > 0))
        return;
    const TGLViewBox frustum = viewport->GetFrustum();
    // Twice the frustum's width at the far plane.
    const float width = static_cast<float>(4 * FarPlane * frustum.Right / frustum.Near);

    FBottom = context->Primitives().Add();
    BuildGrid(*FBottom, 6, 4, width, FarPlane, -width / 2, 0, -FarPlane, 3.5f * width / FarPlane, 3.5f);
    BuildLayers(FBottom, BottomColor, BottomAlpha, FBottomLight, FBottomFade);

    FSurface = FBottom->CopyTo(nullptr);
    FSurface->RotateZ(180);
    FSurface->BuildNormals();
    BuildLayers(FSurface, UpColor, UpAlpha, FSurfaceLight, FSurfaceFade);

    FBackPlane = context->Primitives().Add();
    FBackPlane->Mode = GL_TRIANGLES;
    TGLVectorDArray& vertices = FBackPlane->Vertices();
    vertices.SetCount(4);
    vertices.SetVector(0, -width / 2, UpY, -FarPlane);
    vertices.SetVector(1, -width / 2, BottomY, -FarPlane);
    vertices.SetVector(2, width / 2, BottomY, -FarPlane);
    vertices.SetVector(3, width / 2, UpY, -FarPlane);
    TGLColorDArray& colors = FBackPlane->Colors();
    colors.SetCount(4);
    colors.SetColor(0, UpColor);
    colors.SetColor(1, BottomColor);
    colors.SetColor(2, BottomColor);
    colors.SetColor(3, UpColor);
    TGLIndexDArray& indices = FBackPlane->Indices();
    indices.SetCount(6);
    int n = 0;
    for (int index : {0, 1, 2, 0, 2, 3})
        indices.SetIndex(n++, index);
    TGLTextureCoordDArray& coords = FBackPlane->GetTextureCoords(0);
    coords.SetCount(4);
    coords.SetCoord(0, 0, 0);
    coords.SetCoord(1, 0, 1);
    coords.SetCoord(2, 1, 1);
    coords.SetCoord(3, 1, 0);
    FBackPlane->Normals().SetCount(1);
    FBackPlane->Normals().SetVector(0, 0, 1, 0);
}
