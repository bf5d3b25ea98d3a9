#include "skin/EffectBmp.h"

TspEffectBmp::TspEffectBmp(HBITMAP bitmap) : FCopy(bitmap)
{
    SetPixels(FCopy.Bits, FCopy.Width, FCopy.Height);
}

void TspEffectBmp::Draw(HDC DC, int X, int Y) const
{
    if (Width() < 1 || Height() < 1)
        return;
    SetDIBitsToDevice(DC, X, Y, static_cast<DWORD>(Width()), static_cast<DWORD>(Height()), 0, 0, 0,
                      static_cast<UINT>(Height()), RowPtr(0), reinterpret_cast<const BITMAPINFO*>(&FCopy.BitmapInfo),
                      DIB_RGB_COLORS);
}
