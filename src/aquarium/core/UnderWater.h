// TUnderWater: one water background.
//
// A textured water surface above and a textured sea bed below, both grids
// reaching from the viewer to FarPlane, each with a scrolling caustic
// light-map blended over it; the far parts fade into the water colour, by
// OpenGL fog or (EmulateDepth) by blended depth-fade layers; a back plane
// with a vertical colour gradient closes the view. The scene holds several
// backgrounds; the world controller shows one of them.
//
// The seven primitives are built after every LoadOptions in the primitive
// list of the scene's context and belong to the background: a rebuild and
// the destructor free them. Nothing is built without a scene context and
// viewport, or while FarPlane <= 0. The light layers are drawn from their
// arrays every frame (never compiled), so that their scrolling shows;
// their texture coordinates are kept within one unit of 0 (the pattern
// repeats), so hours of scrolling lose no precision.
//
// Drawing sets every piece of state it relies on - lighting, texturing,
// depth test, blending (through the scene's cache), fog - and binds its
// textures through the scene's texture cache.
#pragma once

#include <string>

#include "gl/core/VectorTypes.h"
#include "scene/core/SceneObjects.h"

class TGLPrimitive;
class TMainLight;
class TSceneTexture;

class TUnderWater : public TMainSceneObject {
public:
    TUnderWater() = default;
    // Frees the built primitives.
    ~TUnderWater() override;

    std::string ClassName() const override { return "TUnderWater"; }

    // The inherited; then, with a Light, the light applied (on) or restored.
    void SetVisible(bool value) override;
    // Scrolls the light layers: surface by (-0.1, +0.1) * deltaTime, sea bed
    // by (+0.1, +0.1) * deltaTime.
    void Animate(float deltaTime) override;
    // Surface and sea bed (fogged unless EmulateDepth), their light layers
    // (blended; each only with an alpha > 0), the depth fades (only with
    // EmulateDepth), the back plane; leaves texturing, depth test and
    // lighting on, fog and blending off.
    void RenderOpaque() override;
    // The inherited; then, with a Light, lighting on and the light applied.
    void RenderAlpha() override;

    // Reads "FarPlane", "FogStart", "FogEnd", "FogColor", "EmulateDepth",
    // "UpY", "BottomY", "UpColor", "BottomColor", "UpAlpha", "BottomAlpha",
    // "BottomTexture", "UpTexture", "LightMapTexture", "Light", then builds
    // the geometry. Writes the same keys with "EmulateDepth" before
    // "FogColor".
    void SaveOptions(TResourceLoader& writer) override;
    void LoadOptions(TResourceLoader& reader) override;

    // Frees the primitives built before and builds the seven anew from the
    // scene viewport's frustum (see the file comment for when it does not).
    void BuildGeometry();
    // Frees the built primitives.
    void FreeGeometry();

    // Fills grid with a cols x rows triangle grid in the plane y = y0 (see
    // the source for the layout), normals +y.
    static void BuildGrid(TGLPrimitive& grid, int cols, int rows, float width, float depth, float x0, float y0,
                          float z0, float uScale, float vScale);
    // One colour per vertex fading from color with alpha 0 at -fogStart to
    // color with alpha 1 at -fogEnd; every vertex transparent (all zero)
    // when the two are closer than 0.01.
    static void SetFadeColors(TGLPrimitive& layer, TGLColor color, float fogStart, float fogEnd);

    // Built primitives; null until built.
    TGLPrimitive* Surface() const { return FSurface; }
    TGLPrimitive* Bottom() const { return FBottom; }
    TGLPrimitive* SurfaceLight() const { return FSurfaceLight; }
    TGLPrimitive* BottomLight() const { return FBottomLight; }
    TGLPrimitive* SurfaceFade() const { return FSurfaceFade; }
    TGLPrimitive* BottomFade() const { return FBottomFade; }
    TGLPrimitive* BackPlane() const { return FBackPlane; }

    float UpY = 0;
    float FogStart = 0;
    float FogEnd = 0;
    float BottomY = 0;
    float FarPlane = 0;
    // Read and written; not used for drawing.
    TGLColor FogColor = MakeColorRGBA(0, 0, 0, 0);
    TGLColor BottomColor = MakeColorRGBA(0, 0, 0, 0);
    TGLColor UpColor = MakeColorRGBA(0, 0, 0, 0);
    float UpAlpha = 0;
    float BottomAlpha = 0;
    // Not owned.
    TSceneTexture* LightMapTexture = nullptr;
    TSceneTexture* UpTexture = nullptr;
    TSceneTexture* BottomTexture = nullptr;
    TMainLight* Light = nullptr;
    // Fade by blended layers instead of OpenGL fog.
    bool EmulateDepth = false;

private:
    void BuildLayers(TGLPrimitive* grid, TGLColor color, float alpha, TGLPrimitive*& light, TGLPrimitive*& fade);
    void DrawAt(TGLPrimitive* primitive, float y);
    void SetFog(TGLColor color);
    // Adds (du, dv) to scroll, less any whole units (the pattern repeats),
    // and sets every texture coordinate of layer to grid's plus scroll, so
    // that rounding never accumulates in the coordinates.
    static void Scroll(TGLPrimitive* layer, const TGLPrimitive* grid, float du, float dv, TGLTextureCoord& scroll);

    TGLPrimitive* FSurface = nullptr;
    TGLPrimitive* FBottom = nullptr;
    TGLPrimitive* FSurfaceLight = nullptr;
    TGLPrimitive* FBottomLight = nullptr;
    TGLPrimitive* FSurfaceFade = nullptr;
    TGLPrimitive* FBottomFade = nullptr;
    TGLPrimitive* FBackPlane = nullptr;
    TGLTextureCoord FSurfaceScroll{0, 0};
    TGLTextureCoord FBottomScroll{0, 0};
};
