// Test skins built in test code: pictures of solid-colour rectangles and a
// skin data component loaded from a description text and those pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Streams.h"
#include "classlib/core/StringList.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/Controls.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"

namespace skintest {

inline void Fill(TDibImage& image, int l, int t, int r, int b, COLORREF c)
{
    for (int y = t; y < b; ++y)
        for (int x = l; x < r; ++x) {
            uint8_t* p = image.ScanLine(y) + x * 3;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
}

inline TDibImage Blank(int width, int height)
{
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.Allocate();
    return image;
}

inline bool Near(COLORREF a, COLORREF b, int tolerance = 2)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The control painted on a bitmap of its size (WM_PAINT with the bitmap's
// device context); the colour at (x, y).
inline COLORREF Painted(TControl* control, int x, int y)
{
    TBitmap bitmap;
    bitmap.SetSize(control->Width(), control->Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
    return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
}

// A skin data component loaded from `text` and `pictures`.
struct TTestSkin {
    std::unique_ptr<TspStoredSkin> Stored = std::make_unique<TspStoredSkin>(nullptr);
    std::unique_ptr<TspSkinData> Data = std::make_unique<TspSkinData>(nullptr);

    TTestSkin(const std::string& text, std::vector<TDibImage> pictures)
    {
        TStringList lines;
        lines.SetText(text);
        Stored->SetIniStrings(lines);
        TspSkinPictures stored;
        stored.ActivePictures = std::move(pictures);
        TMemoryStream stream;
        WriteSkinPictures(stream, stored);
        stream.SetPosition(0);
        Stored->ReadPictures(stream);
        Data->SetStoredSkin(Stored.get());
    }
};

}  // namespace skintest
