// A font description and the GDI font made from it.
//
// `Height` is the character height in pixels as LOGFONT takes it (negative:
// without the internal leading); `Size` is the same in points at the
// screen's vertical resolution. `Handle` creates the HFONT on first use and
// keeps it until a property other than Color changes (the colour is not part
// of a GDI font, and a handle selected into a DC cannot be deleted); the font
// deletes every handle it made.
// Each change fires OnChange once (Assign too, however much it changes).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/Types.h"
#include "classlib/graphics/Colors.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/Graphics.h"

using TFontCharset = BYTE;

class TFont : public TPersistent {
public:
    TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    std::string ClassName() const override { return "TFont"; }

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points, rounded; setting it sets Height = -Size * PixelsPerInch / 72.
    int Size() const;
    void SetSize(int size);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);
    // The screen's vertical resolution, read once.
    static int PixelsPerInch();

    // Copies every property from another TFont; other sources as TPersistent.
    void Assign(TPersistent* source) override;

    // The GDI font; made on first use after each change. Raises
    // EOutOfResources "Out of system resources" when GDI refuses.
    HFONT Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }

    std::function<void(TObject* sender)> OnChange;

private:
    // Fires OnChange; the GDI font is made again unless only the colour,
    // which the font handle does not hold, changed.
    void Changed(bool fontChanged = true);

    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle = 0;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TGdiObject FHandle;
};
