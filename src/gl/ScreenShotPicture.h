// Turning a captured frame into a picture file.
#pragma once

#include <string>

#include "classlib/graphics/Bitmap.h"
#include "gl/core/GLScreenShot.h"

// Makes `bitmap` a 24-bit copy of the capture: the capture's rows are
// bottom-up RGB, the bitmap's top-down BGR.
void ScreenShotToBitmap(const TGLScreenShot& shot, TBitmap& bitmap);

// Saves the capture by the lower-cased extension of `fileName`: ".bmp" as a
// bitmap, ".jpg" or ".jpeg" as a JPEG at the default quality; any other
// extension saves nothing and gives false.
bool SaveScreenShotPicture(const TGLScreenShot& shot, const std::string& fileName);
