// A real frame captured before the swap, written as BMP and JPEG files and read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/JPEGImage.h"
#include "gl/ScreenShotPicture.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"

namespace {

constexpr int Width = 41;  // odd: rows of 123 bytes, read unpadded
constexpr int Height = 30;
constexpr uint8_t Top[3] = {255, 128, 0};  // orange over teal
constexpr uint8_t Bottom[3] = {0, 128, 128};

void ExpectRows(TBitmap& bitmap, int top, int bottom, int tolerance)
{
    ASSERT_EQ(bitmap.Width(), Width);
    ASSERT_EQ(bitmap.Height(), Height);
    for (int x : {2, Width / 2, Width - 3})
        for (int c = 0; c < 3; ++c) {  // the bitmap is BGR
            EXPECT_NEAR(static_cast<const uint8_t*>(bitmap.ScanLine(top))[x * 3 + 2 - c], Top[c], tolerance) << x;
            EXPECT_NEAR(static_cast<const uint8_t*>(bitmap.ScanLine(bottom))[x * 3 + 2 - c], Bottom[c], tolerance);
        }
}

TEST(ScreenShotSave, WritesBmpAndJpegThatDecodeBackToTheFrameAndNothingForOtherExtensions)
{
    TestWindow window(Width, Height);
    auto context = NewContext();
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    glViewport(0, 0, Width, Height);
    glClearColor(Bottom[0] / 255.0f, Bottom[1] / 255.0f, Bottom[2] / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, Width, 0, Height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    const GLubyte top[4] = {Top[0], Top[1], Top[2], 255};
    glColor4ubv(top);
    glBegin(GL_QUADS);
    glVertex2i(0, Height / 2), glVertex2i(Width, Height / 2), glVertex2i(Width, Height), glVertex2i(0, Height);
    glEnd();
    context->ScreenShot().Capture(window.Handle());
    context->SwapBuffers(window.DC());
    EXPECT_EQ(context->ScreenShot().CaptureCount(), 1);

    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string name = std::string(dir) + "corvalen-shot.";
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), name + "BMP"));  // the case does not matter
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), name + "jpg"));
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), name + "Jpeg"));
    EXPECT_FALSE(SaveScreenShotPicture(context->ScreenShot(), name + "png"));
    EXPECT_EQ(GetFileAttributesA((name + "png").c_str()), INVALID_FILE_ATTRIBUTES);

    TBitmap bmp;
    bmp.LoadFromFile(name + "BMP");
    ExpectRows(bmp, 0, Height - 1, 0);
    TJPEGImage jpeg;
    jpeg.LoadFromFile(name + "jpg");
    TBitmap decoded;
    decoded.Assign(&jpeg);
    ExpectRows(decoded, 2, Height - 3, 12);  // away from the edge between the halves, where JPEG blurs
    jpeg.LoadFromFile(name + "Jpeg");
    EXPECT_EQ(jpeg.Width(), Width);
    for (const char* extension : {"BMP", "jpg", "Jpeg"})
        DeleteFileA((name + extension).c_str());
}

}  // namespace
