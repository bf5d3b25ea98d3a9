// TSceneFont: a texture font for the scene's text overlays.
//
// Each enabled character code has a glyph: a cell of FontCellSize square
// pixels in a texture of TextureSize square, the cells numbered in code
// order among the enabled glyphs and laid out in rows from the top left.
// The glyphs are either drawn from a system font into the font's own
// texture (BuildFromFont; through SceneGlyphRasterizer()), or taken from
// the picture of a scene texture with a metrics file giving each code's
// enabled flag and size. Each of the 256 codes gets one display list that
// draws its quad and moves right by its width, so a text is drawn by
// calling the lists of its characters.
//
// The font draws in a pixel projection of the view (0, 0 at the bottom
// left) between BeginText and EndText. Its GL texture and display lists
// come from the scene's context and are owned by the font: the host
// releases the font when the rendering context goes and it is built again
// on next use. The font and the context object may be freed in either
// order; a font must not be built after its scene's context is gone.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gl/core/VectorTypes.h"
#include "scene/core/SceneFontRasterizer.h"
#include "scene/core/SceneObjects.h"

// <windows.h> makes DrawText a macro for DrawTextA, which would rename
// TSceneFont::DrawText in Win32 code; that code calls DrawTextA by name.
#ifdef DrawText
#undef DrawText
#endif

class TGLDisplayList;
class TGLTexture;

// How a font is built and drawn: a set in one byte.
using TFontOptions = uint8_t;
constexpr TFontOptions foFixedSize = 0x1;      // every glyph advances by WideWidth
constexpr TFontOptions foSoften = 0x2;         // drawn at twice the size and averaged down
constexpr TFontOptions foBuildFromFont = 0x4;  // drawn from a system font, not a picture
constexpr TFontOptions foFixedView = 0x8;      // the font's ViewWidth / ViewHeight, not the scene's
constexpr TFontOptions foScaled = 0x10;        // texts scaled by ScaleX / ScaleY
constexpr TFontOptions fo3DView = 0x20;        // drawn in the current projection

// "[" + the member words joined by "," + "]" ("[]" when empty): "FixedSize",
// "Soften", "BuildFromFont", "FixedView", "Scaled", "3DView". Reading looks
// for each word in the lower-cased text ("fixedsize", ...).
std::string FontOptionsToStr(TFontOptions options);
TFontOptions StrToFontOptions(const std::string& text);
// The same for "Bold", "Italic", "Underline", "StrikeOut".
std::string FontStyleToStr(TSceneFontStyles style);
TSceneFontStyles StrToFontStyle(const std::string& text);

// One character code's glyph: its size in pixels and its cell, the number
// of enabled glyphs before it. A disabled glyph has size and cell 0.
struct TSceneGlyph {
    int Width = 0;
    int Height = 0;
    bool Enabled = false;
    uint8_t Cell = 0;
};

class TSceneFont : public TMainSceneObject {
public:
    // Every code enabled; Arial Bold, 16-pixel cells in a 256 texture,
    // white, built from the font; invisible, no transparent pass.
    TSceneFont();
    // Releases the font and frees its display lists and texture.
    ~TSceneFont() override;

    std::string ClassName() const override { return "TSceneFont"; }

    // Nothing when built. Raises Exception "TSceneFont.Build error:
    // MainScene is NIL!" without a scene ("... MainScene.GL is NIL!" when
    // the scene has no context, "... FontCellSize is out of range!" unless
    // 0 < FontCellSize <= TextureSize). Takes the display lists from the
    // context when missing. BuildFromFont: the glyph texture - the font's
    // own, made once and kept across Release - is sized TextureSize square
    // and drawn (see the .cpp). Else the glyph metrics are read from
    // FileName: the RCDATA resource ResourceNameOf(FileName) when the
    // scene's SourceLocation holds Resource, else the file (joined to the
    // scene's Path). Then the 256 display lists are compiled.
    void Build();
    // When built: deletes the display lists, frees the texture's pixels and
    // its GL texture; the next Build draws them again.
    void Release();

    // Builds when needed; lighting, culling, depth test and fog off,
    // texturing on; binds the glyph texture (or the picture font's
    // Texture) - behind the scene's texture cache, which is therefore
    // forgotten - and switches alpha blending on. Unless 3DView, pushes the
    // projection and replaces it by glOrtho(0, W, 0, H, -100, 100): the
    // font's ViewWidth x ViewHeight with FixedView, else the scene's.
    void BeginText();
    // Draws text with its first glyph's bottom-left corner at (x, y), in
    // Color, scaled by ScaleX / ScaleY with Scaled.
    void DrawText(int x, int y, const std::string& text);
    // Unless 3DView, pops the projection pushed by BeginText.
    void EndText();

    // The glyph set. Every change renumbers the cells in code order.
    void DisableAll();
    void EnableChar(char c);
    void EnableCharRange(char first, char last);
    // Codes outside 0..255 are ignored.
    void EnableCode(int code);
    void EnableCodeRange(int first, int last);
    void EnableString(const std::string& text);

    // The TMainObject keys, "Color", "AlphaBackground", "TextureSize",
    // "FontCellSize", "ScaleX", "ScaleY", "ViewWidth", "ViewHeight",
    // "FontName", "FileName", "FontOptions", "FontStyle", "Texture", then
    // the glyph set as "StartCode"i / "EndCode"i runs, so that a saved font
    // draws the same text when it is read again.
    void SaveOptions(TResourceLoader& writer) override;
    // The same keys ("Texture" must name a scene texture: EInvalidCast
    // otherwise); then the glyph set is emptied and read from the keys
    // "Char"i (the value's first character), "StartChar"i / "EndChar"i,
    // "Code"i (-1 ends), "StartCode"i / "EndCode"i and "Str"i (every
    // character), each family numbered from 1 up to its first missing one.
    void LoadOptions(TResourceLoader& reader) override;

    bool Built() const { return FBuilt; }
    // The glyph texture (BuildFromFont); null until first built. Owned.
    TGLTexture* GLTexture() const { return FGLTexture.get(); }
    // The 256 lists; null until first built. Owned.
    TGLDisplayList* DisplayLists() const { return FDisplayLists.get(); }
    const TSceneGlyph& Glyphs(uint8_t code) const { return FGlyphs[code]; }
    int EnabledCount() const { return FEnabledCount; }
    // Cells in one row of the texture.
    int CellsPerRow() const;

    int TextureSize = 256;
    // The largest TextureSize a description may set (a larger or
    // non-positive one, or one that is not a power of two, keeps the
    // current size): its picture, drawn at twice the size with Soften,
    // stays within 48 MiB.
    static constexpr int MaxTextureSize = 2048;
    int FontCellSize = 16;
    // The colour DrawText draws in (the texts set it).
    TGLColor Color = MakeColorRGBA(255, 255, 255, 255);
    std::string FontName = "Arial";
    // The metrics of a picture font.
    std::string FileName;
    TSceneFontStyles FontStyle = sfsBold;
    // The width of "W": the advance of every glyph with FixedSize.
    int WideWidth = 0;
    int ViewWidth = 1024;
    int ViewHeight = 768;
    float ScaleY = 1.0f;
    float ScaleX = 1.0f;
    // The alpha of the black texture pixels.
    uint8_t AlphaBackground = 0;
    TFontOptions FontOptions = foBuildFromFont;
    // The picture of a picture font: a scene texture; not owned.
    TMainObject* Texture = nullptr;

private:
    void SetGlyphEnabled(int code, bool enabled);
    // EnabledCount and every enabled glyph's Cell from the enabled flags.
    void Renumber();
    void DrawGlyphs();
    void ReadMetrics();
    // The display lists' build callback: one quad and advance per code.
    void CompileGlyphLists();

    bool FBuilt = false;
    std::unique_ptr<TGLTexture> FGLTexture;
    std::unique_ptr<TGLDisplayList> FDisplayLists;
    std::array<TSceneGlyph, 256> FGlyphs{};
    int FEnabledCount = 0;
};
