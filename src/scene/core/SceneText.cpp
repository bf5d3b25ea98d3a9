#include "scene/core/SceneText.h"

#include <cmath>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"
#include "scene/core/SceneFont.h"
#include "scene/core/SceneLoader.h"

// --- TSceneBaseText ---

TSceneBaseText::TSceneBaseText()
{
    Alpha = true;
    SetVisible(true);
}

void TSceneBaseText::SetPosition(int x, int y)
{
    X = x;
    Y = y;
}

void TSceneBaseText::SaveOptions(TResourceLoader& writer)
{
    TMainSceneObject::SaveOptions(writer);
    writer.WriteByteColor("Color", Color);
    writer.WriteInteger("X", X);
    writer.WriteInteger("Y", Y);
    writer.WriteReference("Font", Font);
    writer.WriteBool("Enable3D", Enable3D);
}

void TSceneBaseText::LoadOptions(TResourceLoader& reader)
{
    TMainSceneObject::LoadOptions(reader);
    Color = reader.ReadByteColor("Color", Color);
    X = reader.ReadInteger("X", X);
    Y = reader.ReadInteger("Y", Y);
    TMainObject* font = reader.ReadReference("Font", Font);
    if (font != nullptr && dynamic_cast<TSceneFont*>(font) == nullptr)
        throw EInvalidCast("Invalid class typecast");
    Font = static_cast<TSceneFont*>(font);
    Enable3D = reader.ReadBool("Enable3D", Enable3D);
}

// --- TSceneString ---

void TSceneString::RenderAlpha()
{
    if (Font == nullptr)
        return;
    Font->BeginText();
    Font->Color = Color;
    Font->DrawText(X, Y, Text);
    Font->EndText();
}

void TSceneString::SaveOptions(TResourceLoader& writer)
{
    TSceneBaseText::SaveOptions(writer);
    writer.WriteString("Text", Text);
}

void TSceneString::LoadOptions(TResourceLoader& reader)
{
    TSceneBaseText::LoadOptions(reader);
    Text = reader.ReadString("Text", Text);
}

// --- TSceneText ---

TGLColor BlinkColor(TGLColor color, float phase)
{
    const double p = phase;
    TGLColor result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double c = (color >> shift) & 0xFF;
        const double value = p < 0.5 ? c * 0.4 * p + c * 0.8 : c - c * 0.4 * (p - 0.5);
        result |= static_cast<TGLColor>(static_cast<int>(value)) << shift;
    }
    return result;
}

TSceneText::TSceneText() : StringColor(Color) {}

void TSceneText::Animate(float deltaTime)
{
    BlinkPhase += deltaTime;
    if (BlinkPhase >= 1.0f)
        BlinkPhase -= std::floor(BlinkPhase);
}

void TSceneText::RenderAlpha()
{
    if (Font == nullptr)
        return;
    Font->BeginText();
    const int lineHeight = (Font->FontOptions & foScaled)
                               ? static_cast<int>(Round(Font->FontCellSize * static_cast<double>(Font->ScaleY)))
                               : Font->FontCellSize;
    int offset = 0;
    for (int i = 0; i < Lines.Count(); ++i) {
        Font->Color = i == StringIndex ? BlinkColor(StringColor, BlinkPhase) : Color;
        Font->DrawText(X, Y - offset, Lines.Strings(i));
        offset += lineHeight;
    }
    Font->EndText();
}

void TSceneText::SaveOptions(TResourceLoader& writer)
{
    TSceneBaseText::SaveOptions(writer);
    writer.WriteByteColor("StringColor", StringColor);
    writer.WriteInteger("StringIndex", StringIndex);
    for (int i = 0; i < Lines.Count(); ++i)
        writer.WriteString("Text" + IntToStr(i + 1), Lines.Strings(i));
}

void TSceneText::LoadOptions(TResourceLoader& reader)
{
    TSceneBaseText::LoadOptions(reader);
    Lines.Clear();
    StringColor = reader.ReadByteColor("StringColor", StringColor);
    StringIndex = reader.ReadInteger("StringIndex", StringIndex);
    // A missing key reads as "" (a present, empty one as " ").
    for (int i = 1;; ++i) {
        const std::string line = reader.ReadString("Text" + IntToStr(i), "");
        if (line.empty())
            break;
        Lines.Add(line);
    }
}
