// Capturing the frame buffer into bottom-up RGB rows (the pixels themselves:
// GLDrawTest, on a real frame of an odd width); the shots' file names.
#include <gtest/gtest.h>

#include "support/GLRecorder.h"
#include "gl/core/GLScreenShot.h"
#include "gl/core/ScreenShotName.h"

TEST(GLScreenShot, RowsArePackedThreeBytesPerPixelAndAnEmptyWindowReadsNothing)
{
    GLRecorder gl;
    TGLScreenShot shot;
    shot.Capture(101, 7);
    EXPECT_EQ(shot.GetScanLine(1) - shot.GetScanLine(0), 303);
    shot.Capture(0, 10);
    EXPECT_EQ(shot.CaptureCount(), 2);
    EXPECT_EQ(shot.Buffer(), nullptr);
    EXPECT_EQ(gl.Count("glReadPixels"), 1);
}

TEST(ScreenShotFileName, InsertsTheCounterBeforeTheFirstDotOfALaterDot)
{
    EXPECT_EQ(ScreenShotFileName("C:\\shots\\my.saver.bmp", 12), "C:\\shots\\my12.saver.bmp");
    EXPECT_EQ(ScreenShotFileName("fish", 3), "fish");
    EXPECT_EQ(ScreenShotFileName(".jpg", 3), ".jpg");
}
