// Drawing steps shared by the standard controls that paint themselves
// (label, group box, panel, check list box). They draw with plain GDI on the
// device context they are given and leave it as they found it.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/graphics/Font.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/Graphics.h"

// Saves a device context's state (selections, colours, modes, clipping) and
// restores it.
class TSavedDCState {
public:
    explicit TSavedDCState(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDCState()
    {
        if (FSaved != 0)
            RestoreDC(FDC, FSaved);
    }
    TSavedDCState(const TSavedDCState&) = delete;
    TSavedDCState& operator=(const TSavedDCState&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// Writes `text` with DrawTextA's `format` into `rect` in `font` and `color`,
// leaving the background as it is. With DT_CALCRECT it only measures, into
// `rect`.
inline void DrawControlText(HDC dc, const std::string& text, RECT& rect, UINT format, TFont* font, TColor color)
{
    const TSavedDCState state(dc);
    SelectObject(dc, font->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(color));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

// The same in the font's own colour.
inline void DrawControlText(HDC dc, const std::string& text, RECT& rect, UINT format, TFont* font)
{
    DrawControlText(dc, text, rect, format, font, font->Color());
}

// The height of a line of text in `font` (tmHeight), measured on the screen.
inline int FontLineHeight(TFont* font)
{
    const TScreenDC screen;
    const TSavedDCState state(screen.Get());
    SelectObject(screen.Get(), font->Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    return metrics.tmHeight;
}
