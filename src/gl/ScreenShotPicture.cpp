#include "gl/ScreenShotPicture.h"

#include <cstdint>

#include "classlib/core/SysUtils.h"
#include "classlib/graphics/JPEGImage.h"

void ScreenShotToBitmap(const TGLScreenShot& shot, TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(shot.Width(), shot.Height());
    for (int row = 0; row < shot.Height(); ++row) {
        const uint8_t* source = shot.GetScanLine(shot.Height() - 1 - row);
        uint8_t* target = static_cast<uint8_t*>(bitmap.ScanLine(row));
        for (int x = 0; x < shot.Width(); ++x) {
            target[x * 3 + 0] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3 + 0];
        }
    }
}

bool SaveScreenShotPicture(const TGLScreenShot& shot, const std::string& fileName)
{
    const std::string extension = LowerCase(ExtractFileExt(fileName));
    const bool bmp = extension == ".bmp";
    const bool jpeg = extension == ".jpg" || extension == ".jpeg";
    if (!bmp && !jpeg)
        return false;
    TBitmap bitmap;
    ScreenShotToBitmap(shot, bitmap);
    if (bmp) {
        bitmap.SaveToFile(fileName);
    } else {
        TJPEGImage jpegImage;
        jpegImage.Assign(&bitmap);
        jpegImage.SaveToFile(fileName);
    }
    return true;
}
