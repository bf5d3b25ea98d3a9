#include "skin/FBitmap.h"

#include "classlib/graphics/GdiHandles.h"

TFBitmap::TFBitmap(HBITMAP source)
{
    BITMAP info{};
    if (source == nullptr || GetObjectA(source, sizeof(info), &info) == 0 || info.bmWidth < 1 || info.bmHeight < 1)
        return;
    BitmapInfo.biSize = sizeof(BITMAPINFOHEADER);
    BitmapInfo.biWidth = info.bmWidth;
    BitmapInfo.biHeight = -info.bmHeight;
    BitmapInfo.biPlanes = 1;
    BitmapInfo.biBitCount = 24;
    BitmapInfo.biCompression = BI_RGB;
    void* bits = nullptr;
    Handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&BitmapInfo), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (Handle == nullptr)
        return;
    Width = info.bmWidth;
    Height = info.bmHeight;
    Gap = Width % 4;
    RowInc = Width * 3 + Gap;
    Size = RowInc * Height;
    Bits = static_cast<uint8_t*>(bits);
    {
        const TScreenDC screen;
        GetDIBits(screen.Get(), source, 0, static_cast<UINT>(Height), Bits, reinterpret_cast<BITMAPINFO*>(&BitmapInfo),
                  DIB_RGB_COLORS);
    }
    ScanLines.resize(static_cast<size_t>(Height));
    for (int i = 0; i < Height; ++i)
        ScanLines[static_cast<size_t>(i)] = Bits + static_cast<size_t>(i) * static_cast<size_t>(RowInc);
    DC = CreateCompatibleDC(nullptr);
    if (DC != nullptr)
        FOldBitmap = SelectObject(DC, Handle);
}

TFBitmap::~TFBitmap()
{
    if (DC != nullptr) {
        if (FOldBitmap != nullptr)
            SelectObject(DC, FOldBitmap);
        DeleteDC(DC);
    }
    if (Handle != nullptr)
        DeleteObject(Handle);
}
