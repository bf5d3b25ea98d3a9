// `TBitmap`: a picture held in a DIB section, with direct access to its rows,
// its colour table and a canvas to draw on, stored as BMP files.
//
// The picture always lives in a device-independent bitmap, whatever the
// pixel format; a new bitmap is 24-bit (pf24bit) and empty (0 x 0, no
// handle). Row 0 of ScanLine is the top row whatever order the rows have in
// memory: bitmaps made here are bottom-up, as most BMP files are, and a
// top-down file keeps its order through load, Assign and save.
//
// Formats: pf1bit, pf4bit and pf8bit carry a colour table (a new one is
// black/white, the 16 VGA colours, or the platform's halftone palette);
// pf15bit is 5-5-5 and pf16bit 5-6-5 at 16 bits; pf24bit is blue, green, red
// bytes; pf32bit adds an unused fourth byte. A file with other channel masks
// is kept as it is and reported as pfCustom. pfDevice asks for the screen's
// depth. Changing the format converts the picture through GDI.
//
// Streams and files hold complete BMP files (see classlib/core/BmpCodec.h).
// LoadFromStream takes exactly one file from the stream's position, so
// several bitmaps can follow one another; SaveToStream writes nothing for an
// empty bitmap. Bad data raises EInvalidGraphic and leaves the bitmap as it
// was.
//
// Assign copies a TBitmap deeply (format, colour table, rows, order); a null
// source empties the bitmap; other sources are asked to AssignTo the bitmap
// (a TJPEGImage decodes itself into it).
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Components.h"
#include "classlib/core/Streams.h"
#include "classlib/graphics/Canvas.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/Graphics.h"

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom,
};

class TBitmap : public TPersistent {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    std::string ClassName() const override { return "TBitmap"; }

    int Width() const { return FFormat.Width; }
    int Height() const { return FFormat.Height; }
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // Keeps the part of the picture that still fits (anchored at the top
    // left); new pixels are 0 (black, or colour 0 of the table). A side of 0
    // (negative counts as 0) frees the pixels but keeps format and table.
    void SetSize(int width, int height);
    bool Empty() const { return Width() == 0 || Height() == 0; }

    TPixelFormat PixelFormat() const;
    // Raises EInvalidGraphic "Invalid pixel format" for pfCustom.
    void SetPixelFormat(TPixelFormat format);

    // The pixels of row `row`, 0 being the top row; pending GDI drawing is
    // finished first. Out of range raises EInvalidGraphic
    // "Scan line index out of range".
    void* ScanLine(int row);

    // The DIB section; null while the bitmap is empty. The bitmap owns it.
    HBITMAP Handle() const { return static_cast<HBITMAP>(FDib.Get()); }
    // A canvas on a memory DC that has the DIB selected, made on first use
    // and kept for the bitmap's lifetime.
    TCanvas* Canvas();

    // A transparent bitmap is drawn by TCanvas::Draw without the pixels of
    // its transparent colour, which is taken from the bottom-left pixel at
    // the time of drawing (black for an empty bitmap, which draws nothing).
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent) { FTransparent = transparent; }
    TColor TransparentColor();

    // The colour table: 2, 16 or 256 entries up to 8 bits, none above. An
    // index outside raises EInvalidGraphic "Palette index out of range".
    int PaletteSize() const { return static_cast<int>(FFormat.Palette.size()); }
    TColor PaletteColor(int index) const;
    void SetPaletteColor(int index, TColor color);

    void Assign(TPersistent* source) override;

    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);
    void SaveToFile(const std::string& fileName);
    void SaveToStream(TStream& stream);
    // Loads the RT_BITMAP resource `name` of `instance` (a packed DIB). A
    // missing resource raises EResNotFound "Resource <name> not found".
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

    // A copy of the picture, rows top first (empty Bits when Empty()).
    TDibImage Dib() const;
    // Replaces the picture by `image` (a picture decoded by platform-free
    // code); an image of 0 x 0 empties the bitmap.
    void SetDib(const TDibImage& image);

private:
    friend class TJPEGImage;

    // The picture as a 24-bit image, converted when the format differs.
    TDibImage GetDib24() const;

    // Row `row` (0 = top) of the DIB, without checks.
    uint8_t* Row(int row) const;
    // The memory DC with the DIB selected, made on first use.
    HDC DC();
    // Installs a new DIB (or none) and its format; the old DIB is deselected
    // and deleted.
    void ReplaceDib(TGdiObject dib, uint8_t* bits, const TDibFormat& format);

    TDibFormat FFormat;
    TGdiObject FDib;
    uint8_t* FBits = nullptr;
    std::unique_ptr<TMemoryDC> FDC;
    HGDIOBJ FOriginalBitmap = nullptr;  // what FDC held before any DIB
    std::unique_ptr<TCanvas> FCanvas;
    bool FTransparent = false;
};
