// Capturing the frame buffer into bottom-up RGB rows.
#include <gtest/gtest.h>

#include "gl/core/GLRecorder.h"
#include "gl/core/GLScreenShot.h"

TEST(GLScreenShot, RowsArePackedThreeBytesPerPixel)
{
    GLRecorder gl;  // fills each row with its row number, padded as GL_PACK_ALIGNMENT says
    TGLScreenShot shot;
    shot.Capture(101, 7);
    EXPECT_EQ(shot.Width(), 101);
    EXPECT_EQ(shot.Height(), 7);
    EXPECT_EQ(shot.RowSize(), 303);
    EXPECT_EQ(shot.GetScanLine(1) - shot.GetScanLine(0), 303);
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(shot.GetScanLine(row)[0], row);
        EXPECT_EQ(shot.GetScanLine(row)[302], row);
    }
    EXPECT_EQ(gl.Text(), "glPixelStoref(3333, 1)\nglReadPixels(0, 0, 101, 7, 6407, 5121, ptr)\n");
}

TEST(GLScreenShot, EachCaptureCountsAndReplacesTheLast)
{
    GLRecorder gl;
    TGLScreenShot shot;
    EXPECT_EQ(shot.CaptureCount(), 0);
    shot.Capture(4, 4);
    shot.Capture(2, 3);
    EXPECT_EQ(shot.CaptureCount(), 2);
    EXPECT_EQ(shot.RowSize(), 6);
    EXPECT_EQ(shot.GetScanLine(2)[5], 2);

    shot.Capture(0, 10);  // an empty window: nothing read
    EXPECT_EQ(shot.CaptureCount(), 3);
    EXPECT_EQ(shot.Buffer(), nullptr);
    EXPECT_EQ(shot.Width(), 0);
    EXPECT_EQ(shot.RowSize(), 0);
    EXPECT_EQ(gl.Count("glReadPixels"), 2);

    shot.Clear();
    EXPECT_EQ(shot.CaptureCount(), 3);
}
