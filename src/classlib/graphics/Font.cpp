#include "classlib/graphics/Font.h"

#include <cstring>

TFont::TFont() = default;

int TFont::PixelsPerInch()
{
    static const int pixelsPerInch = [] {
        const TScreenDC screen;
        const int value = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return pixelsPerInch;
}

void TFont::Changed(bool fontChanged)
{
    if (fontChanged)
        FHandle.Reset();
    if (OnChange)
        OnChange(this);
}

void TFont::SetName(const std::string& name)
{
    if (name.empty() || name == FName)
        return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == FHeight)
        return;
    FHeight = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, PixelsPerInch());
}

void TFont::SetSize(int size)
{
    SetHeight(-MulDiv(size, PixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    Changed(false);
}

void TFont::SetCharset(TFontCharset charset)
{
    if (charset == FCharset)
        return;
    FCharset = charset;
    Changed();
}

void TFont::Assign(TPersistent* source)
{
    auto* font = dynamic_cast<TFont*>(source);
    if (font == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (font == this)
        return;
    const bool fontChanged = font->FName != FName || font->FHeight != FHeight || font->FStyle != FStyle ||
                             font->FCharset != FCharset;
    FName = font->FName;
    FHeight = font->FHeight;
    FStyle = font->FStyle;
    FColor = font->FColor;
    FCharset = font->FCharset;
    Changed(fontChanged);
}

HFONT TFont::Handle()
{
    if (!FHandle) {
        LOGFONTA logFont{};
        logFont.lfHeight = FHeight;
        logFont.lfWeight = (FStyle & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = (FStyle & fsItalic) != 0;
        logFont.lfUnderline = (FStyle & fsUnderline) != 0;
        logFont.lfStrikeOut = (FStyle & fsStrikeOut) != 0;
        logFont.lfCharSet = FCharset;
        logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
        logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        logFont.lfQuality = DEFAULT_QUALITY;
        logFont.lfPitchAndFamily = DEFAULT_PITCH;
        std::strncpy(logFont.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
        FHandle = TGdiObject(CreateFontIndirectA(&logFont));
        if (!FHandle)
            throw EOutOfResources("Out of system resources");
    }
    return static_cast<HFONT>(FHandle.Get());
}
