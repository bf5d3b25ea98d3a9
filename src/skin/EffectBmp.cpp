#include "skin/EffectBmp.h"

#include "classlib/graphics/GdiHandles.h"

TspEffectBmp::TspEffectBmp(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0 || info.bmWidth < 1 || info.bmHeight < 1)
        return;
    FBitmapInfo.biSize = sizeof(BITMAPINFOHEADER);
    FBitmapInfo.biWidth = info.bmWidth;
    FBitmapInfo.biHeight = -info.bmHeight;
    FBitmapInfo.biPlanes = 1;
    FBitmapInfo.biBitCount = 24;
    FBitmapInfo.biCompression = BI_RGB;
    void* bits = nullptr;
    FHandle =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&FBitmapInfo), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (FHandle == nullptr || bits == nullptr)
        return;
    {
        const TScreenDC screen;
        GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), bits,
                  reinterpret_cast<BITMAPINFO*>(&FBitmapInfo), DIB_RGB_COLORS);
    }
    SetPixels(static_cast<uint8_t*>(bits), info.bmWidth, info.bmHeight);
}

TspEffectBmp::~TspEffectBmp()
{
    if (FHandle != nullptr)
        DeleteObject(FHandle);
}

void TspEffectBmp::Draw(HDC DC, int X, int Y) const
{
    if (Width() < 1 || Height() < 1)
        return;
    SetDIBitsToDevice(DC, X, Y, static_cast<DWORD>(Width()), static_cast<DWORD>(Height()), 0, 0, 0,
                      static_cast<UINT>(Height()), RowPtr(0), reinterpret_cast<const BITMAPINFO*>(&FBitmapInfo),
                      DIB_RGB_COLORS);
}
