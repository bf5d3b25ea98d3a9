// A real frame captured and written as BMP and JPEG files, then read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/JPEGImage.h"
#include "gl/ScreenShotPicture.h"
#include "gl/core/GLBinding.h"
#include "GLTestWindow.h"

namespace {

constexpr int Width = 40;
constexpr int Height = 30;
// The top half of the frame is orange, the bottom half teal.
constexpr uint8_t Top[3] = {255, 128, 0};
constexpr uint8_t Bottom[3] = {0, 128, 128};

std::string TempName(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

// Draws the two halves and captures them before the swap.
void DrawAndCapture(TCustomOpenGL& context, TestWindow& window)
{
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
    glVertex2i(0, Height / 2);
    glVertex2i(Width, Height / 2);
    glVertex2i(Width, Height);
    glVertex2i(0, Height);
    glEnd();
    context.ScreenShot().Capture(window.Handle());
    context.SwapBuffers(window.DC());
}

// Checks a BGR pixel of a 24-bit bitmap against an RGB colour.
void ExpectPixel(TBitmap& bitmap, int x, int y, const uint8_t (&rgb)[3], int tolerance)
{
    const uint8_t* bgr = static_cast<const uint8_t*>(bitmap.ScanLine(y)) + x * 3;
    EXPECT_NEAR(bgr[2], rgb[0], tolerance) << "x " << x << " y " << y;
    EXPECT_NEAR(bgr[1], rgb[1], tolerance) << "x " << x << " y " << y;
    EXPECT_NEAR(bgr[0], rgb[2], tolerance) << "x " << x << " y " << y;
}

TEST(ScreenShotSave, WritesBmpAndJpegThatDecodeBackToTheFrame)
{
    TestWindow window(Width, Height);
    auto context = NewContext();
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    DrawAndCapture(*context, window);

    const std::string bmpName = TempName("corvalen-shot.bmp");
    const std::string jpegName = TempName("corvalen-shot.jpg");
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), bmpName));
    ASSERT_TRUE(SaveScreenShotPicture(context->ScreenShot(), jpegName));

    TBitmap bmp;
    bmp.LoadFromFile(bmpName);
    ASSERT_EQ(bmp.Width(), Width);
    ASSERT_EQ(bmp.Height(), Height);
    for (int x : {0, Width / 2, Width - 1}) {
        ExpectPixel(bmp, x, 0, Top, 0);
        ExpectPixel(bmp, x, Height - 1, Bottom, 0);
    }

    TJPEGImage jpeg;
    jpeg.LoadFromFile(jpegName);
    TBitmap decoded;
    decoded.Assign(&jpeg);
    ASSERT_EQ(decoded.Width(), Width);
    ASSERT_EQ(decoded.Height(), Height);
    // Away from the edge between the halves, where JPEG blurs.
    for (int x : {2, Width / 2, Width - 3}) {
        ExpectPixel(decoded, x, 2, Top, 12);
        ExpectPixel(decoded, x, Height - 3, Bottom, 12);
    }
    DeleteFileA(bmpName.c_str());
    DeleteFileA(jpegName.c_str());
}

TEST(ScreenShotSave, OtherExtensionsSaveNothing)
{
    TestWindow window(Width, Height);
    auto context = NewContext();
    context->CreateRC(window.DC());
    ASSERT_TRUE(context->Active());
    DrawAndCapture(*context, window);
    const std::string pngName = TempName("corvalen-shot.png");
    DeleteFileA(pngName.c_str());
    EXPECT_FALSE(SaveScreenShotPicture(context->ScreenShot(), pngName));
    EXPECT_EQ(GetFileAttributesA(pngName.c_str()), INVALID_FILE_ATTRIBUTES);
    // The extension is compared without regard to case.
    const std::string upperName = TempName("corvalen-shot.BMP");
    EXPECT_TRUE(SaveScreenShotPicture(context->ScreenShot(), upperName));
    EXPECT_NE(GetFileAttributesA(upperName.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(upperName.c_str());
}

}  // namespace
