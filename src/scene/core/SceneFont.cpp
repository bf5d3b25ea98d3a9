#include "scene/core/SceneFont.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/StringList.h"
#include "classlib/core/SysUtils.h"
#include "gl/core/CustomOpenGL.h"
#include "gl/core/GLDisplayList.h"
#include "gl/core/GLTexture.h"
#include "scene/core/MainScene.h"
#include "scene/core/SceneLoader.h"
#include "scene/core/SceneLoaderResources.h"
#include "scene/core/SceneRegistry.h"
#include "scene/core/SceneRenderState.h"

namespace {

struct TSetWord {
    uint8_t Member;
    const char* Word;
};

constexpr TSetWord FontOptionWords[] = {
    {foFixedSize, "FixedSize"}, {foSoften, "Soften"}, {foBuildFromFont, "BuildFromFont"},
    {foFixedView, "FixedView"}, {foScaled, "Scaled"}, {fo3DView, "3DView"},
};
constexpr TSetWord FontStyleWords[] = {
    {sfsBold, "Bold"}, {sfsItalic, "Italic"}, {sfsUnderline, "Underline"}, {sfsStrikeOut, "StrikeOut"},
};

template <size_t N>
std::string SetToStr(uint8_t set, const TSetWord (&words)[N])
{
    std::string text;
    for (const TSetWord& word : words) {
        if ((set & word.Member) == 0)
            continue;
        if (!text.empty())
            text += ",";
        text += word.Word;
    }
    return "[" + text + "]";
}

template <size_t N>
uint8_t StrToSet(const std::string& text, const TSetWord (&words)[N])
{
    const std::string lower = LowerCase(text);
    uint8_t set = 0;
    for (const TSetWord& word : words)
        if (lower.find(LowerCase(word.Word)) != std::string::npos)
            set |= word.Member;
    return set;
}

// Writes one pixel in the layout of the texture's format and type, so the
// glyphs come out right whichever RGBA8 layout the texture list chose.
void PutPixel(uint8_t* target, const TGLTexture& texture, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    const bool bgra = texture.Format() == GL_BGRA;
    const uint8_t c0 = bgra ? b : r;
    const uint8_t c1 = g;
    const uint8_t c2 = bgra ? r : b;
    const uint8_t c3 = a;
    uint32_t packed;
    switch (texture.Type()) {
    case GL_UNSIGNED_INT_8_8_8_8:
        packed = uint32_t{c0} << 24 | uint32_t{c1} << 16 | uint32_t{c2} << 8 | c3;
        std::memcpy(target, &packed, 4);
        break;
    case GL_UNSIGNED_INT_8_8_8_8_REV:
        packed = uint32_t{c3} << 24 | uint32_t{c2} << 16 | uint32_t{c1} << 8 | c0;
        std::memcpy(target, &packed, 4);
        break;
    default:
        target[0] = c0;
        target[1] = c1;
        target[2] = c2;
        target[3] = c3;
        break;
    }
}

// Each pixel of the half-size picture is the average (sum div 4) of the
// matching 2 x 2 block, channel by channel. Both pictures are 24-bit,
// square, top row first.
std::vector<uint8_t> Soften(const std::vector<uint8_t>& picture, int size)
{
    const int source = size * 2;
    std::vector<uint8_t> result(static_cast<size_t>(size) * size * 3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            for (int c = 0; c < 3; ++c) {
                const auto at = [&](int sx, int sy) {
                    return int{picture[(static_cast<size_t>(sy) * source + sx) * 3 + c]};
                };
                const int sum = at(2 * x, 2 * y) + at(2 * x + 1, 2 * y) + at(2 * x, 2 * y + 1) +
                                at(2 * x + 1, 2 * y + 1);
                result[(static_cast<size_t>(y) * size + x) * 3 + c] = static_cast<uint8_t>(sum / 4);
            }
    return result;
}

// Splits a metrics line into its blank-separated integers; false when an
// item is not an integer.
bool ParseIntegers(const std::string& line, std::vector<int>& values)
{
    values.clear();
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        const size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t')
            ++pos;
        if (pos > start) {
            int value;
            if (!TryStrToInt(line.substr(start, pos - start), value))
                return false;
            values.push_back(value);
        }
    }
    return true;
}

}  // namespace

std::string FontOptionsToStr(TFontOptions options)
{
    return SetToStr(options, FontOptionWords);
}

TFontOptions StrToFontOptions(const std::string& text)
{
    return StrToSet(text, FontOptionWords);
}

std::string FontStyleToStr(TSceneFontStyles style)
{
    return SetToStr(style, FontStyleWords);
}

TSceneFontStyles StrToFontStyle(const std::string& text)
{
    return StrToSet(text, FontStyleWords);
}

// --- TSceneFont ---

TSceneFont::TSceneFont()
{
    SetVisible(false);
    for (TSceneGlyph& glyph : FGlyphs)
        glyph.Enabled = true;
    Renumber();
}

TSceneFont::~TSceneFont()
{
    Release();
}

int TSceneFont::CellsPerRow() const
{
    if (FontCellSize <= 0)
        return 1;
    return std::max(1, TextureSize / FontCellSize);
}

// --- The glyph set ---

void TSceneFont::SetGlyphEnabled(int code, bool enabled)
{
    if (code < 0 || code > 255)
        return;
    TSceneGlyph& glyph = FGlyphs[code];
    glyph.Enabled = enabled;
    if (!enabled)
        glyph = TSceneGlyph{};
}

void TSceneFont::Renumber()
{
    int cell = 0;
    for (TSceneGlyph& glyph : FGlyphs)
        if (glyph.Enabled)
            glyph.Cell = static_cast<uint8_t>(cell++);
    FEnabledCount = cell;
}

void TSceneFont::DisableAll()
{
    for (int code = 0; code < 256; ++code)
        SetGlyphEnabled(code, false);
    Renumber();
}

void TSceneFont::EnableChar(char c)
{
    EnableCode(static_cast<uint8_t>(c));
}

void TSceneFont::EnableCharRange(char first, char last)
{
    EnableCodeRange(static_cast<uint8_t>(first), static_cast<uint8_t>(last));
}

void TSceneFont::EnableCode(int code)
{
    SetGlyphEnabled(code, true);
    Renumber();
}

void TSceneFont::EnableCodeRange(int first, int last)
{
    for (int code = std::max(first, 0); code <= std::min(last, 255); ++code)
        SetGlyphEnabled(code, true);
    Renumber();
}

void TSceneFont::EnableString(const std::string& text)
{
    for (char c : text)
        SetGlyphEnabled(static_cast<uint8_t>(c), true);
    Renumber();
}

// --- Building ---

void TSceneFont::Build()
{
    if (FBuilt)
        return;
    if (Scene == nullptr)
        throw Exception("TSceneFont.Build error: MainScene is NIL!");
    if (Scene->GL == nullptr)
        throw Exception("TSceneFont.Build error: MainScene.GL is NIL!");
    if (FontCellSize <= 0 || FontCellSize > TextureSize)
        throw Exception("TSceneFont.Build error: FontCellSize is out of range!");
    TCustomOpenGL& gl = *Scene->GL;

    if (FDisplayLists == nullptr)
        FDisplayLists.reset(gl.DisplayLists().Add());
    FDisplayLists->Delete();
    FDisplayLists->OnBuild = [this](TObject*) { CompileGlyphLists(); };
    FDisplayLists->Range = 256;

    if (FontOptions & foBuildFromFont) {
        // One texture for the font's whole life: a rebuild after Release
        // (every time the context is made again) redraws it in place.
        if (FGLTexture == nullptr)
            FGLTexture.reset(gl.Textures().AddRGBA8(0, 0));
        FGLTexture->Release();
        FGLTexture->FreePixels();
        FGLTexture->SetSize(TextureSize, TextureSize);
        FGLTexture->AllocPixels();
        DrawGlyphs();
    } else {
        ReadMetrics();
    }
    FDisplayLists->Build();
    FBuilt = true;
}

void TSceneFont::Release()
{
    if (!FBuilt)
        return;
    FDisplayLists->Delete();
    if (FGLTexture != nullptr) {
        FGLTexture->FreePixels();
        FGLTexture->Release();
    }
    FBuilt = false;
}

// Draws every enabled glyph into its cell of a black picture - at twice
// the size with Soften, averaged down afterwards - and fills the texture
// from it bottom-up (texture row 0 is the picture's last row): the colour
// as drawn, alpha 255 where the pixel is not black, else AlphaBackground.
void TSceneFont::DrawGlyphs()
{
    const int scale = (FontOptions & foSoften) ? 2 : 1;
    const int cellsPerRow = CellsPerRow();
    const int size = TextureSize * scale;
    const int cell = FontCellSize * scale;

    TGlyphRasterizer& rasterizer = SceneGlyphRasterizer();
    rasterizer.Begin(size, FontName, FontStyle, cell);
    WideWidth = rasterizer.Measure("W").Width / scale;
    for (int code = 0; code < 256; ++code) {
        TSceneGlyph& glyph = FGlyphs[code];
        if (!glyph.Enabled)
            continue;
        const std::string text(1, static_cast<char>(code));
        const TGlyphExtent extent = rasterizer.Measure(text);
        glyph.Width = extent.Width / scale;
        glyph.Height = extent.Height / scale;
        rasterizer.Draw(glyph.Cell % cellsPerRow * cell, glyph.Cell / cellsPerRow * cell, text);
    }
    std::vector<uint8_t> picture = rasterizer.End();
    if (picture.size() != static_cast<size_t>(size) * size * 3)
        throw Exception("TSceneFont.Build error: the glyph picture has a wrong size!");
    if (scale == 2)
        picture = Soften(picture, TextureSize);

    const TGLTexture& texture = *FGLTexture;
    for (int row = 0; row < TextureSize; ++row) {
        const uint8_t* source = &picture[static_cast<size_t>(TextureSize - 1 - row) * TextureSize * 3];
        uint8_t* target = texture.GetScanLine(row);
        for (int x = 0; x < TextureSize; ++x, source += 3, target += 4) {
            const uint8_t b = source[0], g = source[1], r = source[2];
            const uint8_t a = (r | g | b) != 0 ? 255 : AlphaBackground;
            PutPixel(target, texture, r, g, b, a);
        }
    }
}

// A header line, then one line per code: enabled (0 or 1), width, height.
// The file is checked whole before any glyph changes.
void TSceneFont::ReadMetrics()
{
    TStringList lines;
    if (Scene->SourceLocation & slResource)
        lines.SetText(SceneResources().ReadResource(ResourceNameOf(FileName)));
    else
        lines.LoadFromFile(JoinSourcePath(Scene->Path, FileName));

    std::array<TSceneGlyph, 256> glyphs{};
    std::vector<int> values;
    for (int code = 0; code < 256; ++code) {
        const int line = code + 1;
        if (line >= lines.Count() || !ParseIntegers(lines.Strings(line), values) || values.size() != 3)
            throw Exception("TSceneFont.Build error: bad font metrics in " + FileName + " at line " +
                            IntToStr(line + 1) + "!");
        if (values[0] != 0)
            glyphs[code] = TSceneGlyph{values[1], values[2], true, 0};
    }
    FGlyphs = glyphs;
    Renumber();
    WideWidth = FGlyphs['W'].Width;
}

void TSceneFont::CompileGlyphLists()
{
    const int t = std::max(1, TextureSize - 1);
    const auto coord = [t](int pixels) { return static_cast<float>(pixels) / static_cast<float>(t); };
    const int cellsPerRow = CellsPerRow();
    for (int code = 0; code < 256; ++code) {
        const TSceneGlyph& glyph = FGlyphs[code];
        const int x0 = glyph.Cell % cellsPerRow * FontCellSize;
        const int y0 = t - glyph.Cell / cellsPerRow * FontCellSize;
        const float u0 = coord(x0);
        const float v0 = coord(y0);
        const float u1 = coord(x0 + glyph.Width - 1);
        const float v1 = coord(y0 - glyph.Height + 1);
        FDisplayLists->BeginList(code);
        glBegin(GL_QUADS);
        glTexCoord2f(u0, v0);
        glVertex2i(0, FontCellSize);
        glTexCoord2f(u0, v1);
        glVertex2i(0, 0);
        glTexCoord2f(u1, v1);
        glVertex2i(glyph.Width, 0);
        glTexCoord2f(u1, v0);
        glVertex2i(glyph.Width, FontCellSize);
        glEnd();
        glTranslatef(static_cast<float>((FontOptions & foFixedSize) ? WideWidth : glyph.Width), 0, 0);
        FDisplayLists->EndList();
    }
}

// --- Drawing ---

void TSceneFont::BeginText()
{
    Build();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    if (FontOptions & foBuildFromFont) {
        if (FGLTexture != nullptr)
            FGLTexture->Apply();
    } else if (auto* picture = dynamic_cast<TRenderTexture*>(Texture)) {
        picture->Bind();
    }
    // The texture went to GL behind the cache: whatever the cache holds is
    // no longer bound, so the next object's texture must be bound again.
    ResetTextureCache();
    SetAlphaBlend(true);
    if (FontOptions & fo3DView)
        return;
    const bool fixed = (FontOptions & foFixedView) != 0;
    const int width = fixed ? ViewWidth : Scene->ViewWidth;
    const int height = fixed ? ViewHeight : Scene->ViewHeight;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -100, 100);
    glMatrixMode(GL_MODELVIEW);
}

void TSceneFont::DrawText(int x, int y, const std::string& text)
{
    Build();
    GLubyte color[4];
    std::memcpy(color, &Color, sizeof color);
    glColor4ubv(color);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(x, y, 0);
    if (FontOptions & foScaled)
        glScalef(ScaleX, ScaleY, 0);
    FDisplayLists->CallString(text);
    glPopMatrix();
}

void TSceneFont::EndText()
{
    if (FontOptions & fo3DView)
        return;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// --- Description ---

void TSceneFont::SaveOptions(TResourceLoader& writer)
{
    TMainSceneObject::SaveOptions(writer);
    writer.WriteByteColor("Color", Color);
    writer.WriteInteger("AlphaBackground", AlphaBackground);
    writer.WriteInteger("TextureSize", TextureSize);
    writer.WriteInteger("FontCellSize", FontCellSize);
    writer.WriteFloat("ScaleX", ScaleX);
    writer.WriteFloat("ScaleY", ScaleY);
    writer.WriteInteger("ViewWidth", ViewWidth);
    writer.WriteInteger("ViewHeight", ViewHeight);
    writer.WriteString("FontName", FontName);
    // An empty value would read back as a blank: no picture font, no key.
    if (!FileName.empty())
        writer.WriteString("FileName", FileName);
    writer.WriteString("FontOptions", FontOptionsToStr(FontOptions));
    writer.WriteString("FontStyle", FontStyleToStr(FontStyle));
    writer.WriteReference("Texture", Texture);
    // The glyph set, as runs of codes, so that a saved font draws the same
    // text when it is read again.
    int run = 0;
    for (int code = 0; code < 256;) {
        if (!FGlyphs[code].Enabled) {
            ++code;
            continue;
        }
        const int first = code;
        while (code < 256 && FGlyphs[code].Enabled)
            ++code;
        ++run;
        writer.WriteInteger("StartCode" + IntToStr(run), first);
        writer.WriteInteger("EndCode" + IntToStr(run), code - 1);
    }
}

void TSceneFont::LoadOptions(TResourceLoader& reader)
{
    TMainSceneObject::LoadOptions(reader);
    Color = reader.ReadByteColor("Color", Color);
    AlphaBackground = static_cast<uint8_t>(std::clamp(reader.ReadInteger("AlphaBackground", AlphaBackground), 0, 255));
    const int textureSize = reader.ReadInteger("TextureSize", TextureSize);
    // The glyph texture takes only a power of two.
    if (textureSize >= 1 && textureSize <= MaxTextureSize && (textureSize & (textureSize - 1)) == 0)
        TextureSize = textureSize;
    FontCellSize = reader.ReadInteger("FontCellSize", FontCellSize);
    ScaleX = reader.ReadFloat("ScaleX", ScaleX);
    ScaleY = reader.ReadFloat("ScaleY", ScaleY);
    ViewWidth = reader.ReadInteger("ViewWidth", ViewWidth);
    ViewHeight = reader.ReadInteger("ViewHeight", ViewHeight);
    FontName = reader.ReadString("FontName", FontName);
    FileName = reader.ReadString("FileName", FileName);
    FontOptions = StrToFontOptions(reader.ReadString("FontOptions", FontOptionsToStr(FontOptions)));
    FontStyle = StrToFontStyle(reader.ReadString("FontStyle", FontStyleToStr(FontStyle)));
    TMainObject* texture = reader.ReadReference("Texture", Texture);
    if (texture != nullptr && dynamic_cast<TRenderTexture*>(texture) == nullptr)
        throw EInvalidCast("Invalid class typecast");
    Texture = texture;

    DisableAll();
    // A missing key reads as "" (a present, empty one as " ").
    for (int i = 1;; ++i) {
        const std::string value = reader.ReadString("Char" + IntToStr(i), "");
        if (value.empty())
            break;
        EnableChar(value[0]);
    }
    for (int i = 1;; ++i) {
        const std::string first = reader.ReadString("StartChar" + IntToStr(i), "");
        const std::string last = reader.ReadString("EndChar" + IntToStr(i), "");
        if (first.empty() || last.empty())
            break;
        EnableCharRange(first[0], last[0]);
    }
    for (int i = 1;; ++i) {
        const int code = reader.ReadInteger("Code" + IntToStr(i), -1);
        if (code == -1)
            break;
        EnableCode(code);
    }
    for (int i = 1;; ++i) {
        const int first = reader.ReadInteger("StartCode" + IntToStr(i), -1);
        const int last = reader.ReadInteger("EndCode" + IntToStr(i), -1);
        if (first == -1 || last == -1)
            break;
        EnableCodeRange(first, last);
    }
    for (int i = 1;; ++i) {
        const std::string value = reader.ReadString("Str" + IntToStr(i), "");
        if (value.empty())
            break;
        EnableString(value);
    }
}
