// Capturing the frame buffer into bottom-up RGB rows.
#include <gtest/gtest.h>

#include "support/GLRecorder.h"
#include "gl/core/GLScreenShot.h"

TEST(GLScreenShot, RowsArePackedThreeBytesPerPixelAndAnEmptyWindowReadsNothing)
{
    GLRecorder gl;  // fills each row with its row number, padded as GL_PACK_ALIGNMENT says
    TGLScreenShot shot;
    shot.Capture(101, 7);
    EXPECT_EQ(shot.GetScanLine(1) - shot.GetScanLine(0), 303);
    EXPECT_EQ(shot.GetScanLine(6)[302], 6);
    EXPECT_EQ(gl.Text(), "glPixelStoref(3333, 1)\nglReadPixels(0, 0, 101, 7, 6407, 5121, ptr)\n");
    shot.Capture(0, 10);
    EXPECT_EQ(shot.CaptureCount(), 2);
    EXPECT_EQ(shot.Buffer(), nullptr);
    EXPECT_EQ(gl.Count("glReadPixels"), 1);
}
