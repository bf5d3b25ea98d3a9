#include "classlib/graphics/Bitmap.h"

#include "classlib/system/ResourceStream.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t Mask565[3] = {0xF800, 0x07E0, 0x001F};

struct TDib {
    TGdiObject Handle;
    uint8_t* Bits = nullptr;
};

// A DIB section of `format` (its size must not be empty), zero-filled, with
// the format's colour table or masks.
TDib CreateDib(const TDibFormat& format)
{
    std::vector<uint8_t> buffer(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(buffer.data());
    BITMAPINFOHEADER& header = info->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = format.Width;
    header.biHeight = format.TopDown ? -format.Height : format.Height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(format.BitCount);
    header.biCompression = format.HasMasks() ? BI_BITFIELDS : BI_RGB;
    header.biClrUsed = static_cast<DWORD>(format.Palette.size());
    auto* table = reinterpret_cast<uint32_t*>(buffer.data() + sizeof(BITMAPINFOHEADER));
    if (format.HasMasks()) {
        table[0] = format.RedMask;
        table[1] = format.GreenMask;
        table[2] = format.BlueMask;
    }
    std::copy(format.Palette.begin(), format.Palette.end(), table);

    TDib dib;
    void* bits = nullptr;
    dib.Handle = TGdiObject(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.Handle || bits == nullptr)
        throw EOutOfResources("Out of system resources");
    dib.Bits = static_cast<uint8_t*>(bits);
    return dib;
}

uint8_t* DibRow(uint8_t* bits, const TDibFormat& format, int row)
{
    const int stored = format.TopDown ? row : format.Height - 1 - row;
    return bits + static_cast<size_t>(stored) * format.RowSize();
}

uint32_t ColorToQuad(TColor color)
{
    const COLORREF rgb = ColorToRGB(color);
    return GetRValue(rgb) << 16 | GetGValue(rgb) << 8 | GetBValue(rgb);
}

TColor QuadToColor(uint32_t quad)
{
    return static_cast<TColor>(RGB(quad >> 16 & 0xFF, quad >> 8 & 0xFF, quad & 0xFF));
}

// The table a new bitmap of `bitCount` bits (at most 8) starts with.
std::vector<uint32_t> DefaultPalette(int bitCount)
{
    if (bitCount == 1)
        return {0x000000, 0xFFFFFF};
    if (bitCount == 4)
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<uint32_t> palette(256, 0);
    const TScreenDC screen;
    const TGdiObject halftone(CreateHalftonePalette(screen.Get()));
    PALETTEENTRY entries[256] = {};
    const UINT count =
        halftone ? GetPaletteEntries(static_cast<HPALETTE>(halftone.Get()), 0, 256, entries) : 0;
    for (UINT i = 0; i < count && i < 256; ++i)
        palette[i] = entries[i].peRed << 16 | entries[i].peGreen << 8 | entries[i].peBlue;
    return palette;
}

// The format `format` asks for, starting from `current` (size and order kept).
TDibFormat FormatFor(TPixelFormat format, const TDibFormat& current)
{
    TDibFormat result = current;
    result.RedMask = result.GreenMask = result.BlueMask = 0;
    switch (format) {
    case pf1bit: result.BitCount = 1; break;
    case pf4bit: result.BitCount = 4; break;
    case pf8bit: result.BitCount = 8; break;
    case pf15bit: result.BitCount = 16; break;
    case pf16bit:
        result.BitCount = 16;
        result.RedMask = Mask565[0];
        result.GreenMask = Mask565[1];
        result.BlueMask = Mask565[2];
        break;
    case pf24bit: result.BitCount = 24; break;
    case pf32bit: result.BitCount = 32; break;
    default: throw EInvalidGraphic("Invalid pixel format");
    }
    if (result.BitCount > 8)
        result.Palette.clear();
    else if (result.BitCount != current.BitCount)
        result.Palette = DefaultPalette(result.BitCount);
    return result;
}

TPixelFormat DevicePixelFormat()
{
    const TScreenDC screen;
    switch (GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES)) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 15: return pf15bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    FCanvas.reset();
    if (FDC)
        SelectObject(FDC->Get(), FOriginalBitmap);
}

uint8_t* TBitmap::Row(int row) const
{
    return DibRow(FBits, FFormat, row);
}

HDC TBitmap::DC()
{
    if (!FDC) {
        auto dc = std::make_unique<TMemoryDC>();
        if (dc->Get() == nullptr)
            throw EOutOfResources("Out of system resources");
        FOriginalBitmap = GetCurrentObject(dc->Get(), OBJ_BITMAP);
        if (FDib)
            SelectObject(dc->Get(), FDib.Get());
        FDC = std::move(dc);
    }
    return FDC->Get();
}

void TBitmap::ReplaceDib(TGdiObject dib, uint8_t* bits, const TDibFormat& format)
{
    // Select the new bitmap (or the DC's original one) first, so the old DIB
    // is no longer selected when it is deleted.
    if (FDC)
        SelectObject(FDC->Get(), dib ? dib.Get() : FOriginalBitmap);
    FDib = std::move(dib);
    FBits = bits;
    FFormat = format;
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        auto canvas = std::make_unique<TCanvas>();
        canvas->SetHandle(DC());
        FCanvas = std::move(canvas);
    }
    return FCanvas.get();
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return;
    TDibFormat format = FFormat;
    format.Width = width;
    format.Height = height;
    if (width == 0 || height == 0) {
        ReplaceDib(TGdiObject(), nullptr, format);
        return;
    }
    TDib dib = CreateDib(format);
    if (FDib) {
        GdiFlush();
        const size_t bytes = std::min(format.RowSize(), FFormat.RowSize());
        for (int row = 0; row < std::min(height, Height()); ++row)
            std::memcpy(DibRow(dib.Bits, format, row), Row(row), bytes);
    }
    ReplaceDib(std::move(dib.Handle), dib.Bits, format);
}

TPixelFormat TBitmap::PixelFormat() const
{
    switch (FFormat.BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16:
        if (!FFormat.HasMasks())
            return pf15bit;
        if (FFormat.RedMask == Mask565[0] && FFormat.GreenMask == Mask565[1] &&
            FFormat.BlueMask == Mask565[2])
            return pf16bit;
        return pfCustom;
    case 24: return pf24bit;
    case 32: return FFormat.HasMasks() ? pfCustom : pf32bit;
    default: return pfCustom;
    }
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == pfDevice)
        format = DevicePixelFormat();
    if (format == PixelFormat())
        return;
    const TDibFormat target = FormatFor(format, FFormat);
    if (!FDib) {
        FFormat = target;
        return;
    }
    TDib dib = CreateDib(target);
    {
        const TMemoryDC dc;
        if (dc.Get() == nullptr)
            throw EOutOfResources("Out of system resources");
        const TSelection selection(dc.Get(), dib.Handle.Get());
        BitBlt(dc.Get(), 0, 0, Width(), Height(), DC(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    ReplaceDib(std::move(dib.Handle), dib.Bits, target);
}

void* TBitmap::ScanLine(int row)
{
    if (!FDib || row < 0 || row >= Height())
        throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();
    return Row(row);
}

TColor TBitmap::PaletteColor(int index) const
{
    if (index < 0 || index >= PaletteSize())
        throw EInvalidGraphic("Palette index out of range");
    return QuadToColor(FFormat.Palette[static_cast<size_t>(index)]);
}

void TBitmap::SetPaletteColor(int index, TColor color)
{
    if (index < 0 || index >= PaletteSize())
        throw EInvalidGraphic("Palette index out of range");
    const uint32_t quad = ColorToQuad(color);
    if (FDib) {
        RGBQUAD entry{static_cast<BYTE>(quad), static_cast<BYTE>(quad >> 8),
                      static_cast<BYTE>(quad >> 16), 0};
        SetDIBColorTable(DC(), static_cast<UINT>(index), 1, &entry);
    }
    FFormat.Palette[static_cast<size_t>(index)] = quad;
}

void TBitmap::Assign(TPersistent* source)
{
    if (source == nullptr) {
        SetSize(0, 0);
        return;
    }
    auto* bitmap = dynamic_cast<TBitmap*>(source);
    if (bitmap == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    if (!bitmap->FDib) {
        ReplaceDib(TGdiObject(), nullptr, bitmap->FFormat);
        return;
    }
    GdiFlush();
    TDib dib = CreateDib(bitmap->FFormat);
    std::memcpy(dib.Bits, bitmap->FBits,
                bitmap->FFormat.RowSize() * static_cast<size_t>(bitmap->Height()));
    ReplaceDib(std::move(dib.Handle), dib.Bits, bitmap->FFormat);
}

TDibImage TBitmap::Dib() const
{
    TDibImage image;
    static_cast<TDibFormat&>(image) = FFormat;
    if (!FDib)
        return image;
    GdiFlush();
    const size_t rowSize = FFormat.RowSize();
    image.Bits.resize(rowSize * static_cast<size_t>(Height()));
    for (int row = 0; row < Height(); ++row)
        std::memcpy(image.ScanLine(row), Row(row), rowSize);
    return image;
}

TColor TBitmap::TransparentColor()
{
    if (Empty())
        return clBlack;
    return Canvas()->Pixels(0, Height() - 1);
}

TDibImage TBitmap::GetDib24() const
{
    if (PixelFormat() == pf24bit)
        return Dib();
    TBitmap copy;
    copy.Assign(const_cast<TBitmap*>(this));
    copy.SetPixelFormat(pf24bit);
    return copy.Dib();
}

void TBitmap::SetDib(const TDibImage& image)
{
    if (image.Width <= 0 || image.Height <= 0) {
        TDibFormat format = image;
        format.Width = std::max(format.Width, 0);
        format.Height = std::max(format.Height, 0);
        ReplaceDib(TGdiObject(), nullptr, format);
        return;
    }
    TDib dib = CreateDib(image);
    const size_t rowSize = image.RowSize();
    for (int row = 0; row < image.Height; ++row)
        std::memcpy(DibRow(dib.Bits, image, row), image.ScanLine(row), rowSize);
    ReplaceDib(std::move(dib.Handle), dib.Bits, image);
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TBitmap::SaveToFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TBitmap::LoadFromStream(TStream& stream)
{
    constexpr int64_t HeadersMax = 14 + 124;
    const int64_t start = stream.Position();
    const int64_t available = std::max<int64_t>(stream.Size() - start, 0);
    std::vector<uint8_t> data(static_cast<size_t>(std::min(available, HeadersMax)));
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    // The headers decide how much of the stream is this file; rows cut short
    // by the stream's end are left to the decoder to reject.
    const uint64_t length = std::min(BmpFileExtent(data.data(), data.size(), static_cast<uint64_t>(available)),
                                     static_cast<uint64_t>(available));

    const size_t head = data.size();
    data.resize(static_cast<size_t>(length));
    if (length > head)
        stream.ReadBuffer(data.data() + head, static_cast<int64_t>(length - head));
    else
        stream.SetPosition(start + static_cast<int64_t>(length));
    SetDib(ReadBmpFile(data.data(), data.size()));
}

void TBitmap::SaveToStream(TStream& stream)
{
    if (Empty())
        return;
    const std::vector<uint8_t> file = WriteBmpFile(Dib());
    stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    TResourceStream resource(instance, name, RT_BITMAP);
    SetDib(ReadPackedDib(static_cast<const uint8_t*>(resource.Memory()),
                         static_cast<size_t>(resource.Size())));
}
