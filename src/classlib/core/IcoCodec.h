// ICO files in memory: the directory of an icon file read without any
// platform API, so that the icon class can hand one image to the system and
// the reading runs natively under the sanitizers.
//
// An ICO file is a 6-byte header (reserved 0, type 1, image count), one
// 16-byte entry per image (width and height, 0 meaning 256, colour count,
// reserved, planes, bit count, byte size, file offset) and the images (a
// DIB with its mask, or a PNG), each as CreateIconFromResourceEx takes it.
#pragma once

#include <cstddef>
#include <cstdint>

// One image of an ICO file: where its bytes lie in the file and its size.
struct TIcoImage {
    size_t Offset = 0;
    size_t Size = 0;
    int Width = 0;
    int Height = 0;
};

// The image that fits `wantWidth` x `wantHeight` (the deepest of those
// that fit), else the largest one. A header that is not an icon's, no
// image, an entry cut short or an image outside the data raises
// EInvalidGraphic "Icon image is not valid: <what is wrong>"; nothing is
// read outside the buffer.
TIcoImage PickIcoImage(const uint8_t* data, size_t size, int wantWidth, int wantHeight);
