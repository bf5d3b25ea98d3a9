#include "gl/core/ScreenShotName.h"

#include <gtest/gtest.h>

TEST(ScreenShotFileName, InsertsTheCounterBeforeTheFirstDotOfALaterDot)
{
    EXPECT_EQ(ScreenShotFileName("C:\\shots\\my.saver.bmp", 12), "C:\\shots\\my12.saver.bmp");
    EXPECT_EQ(ScreenShotFileName("fish", 3), "fish");
    EXPECT_EQ(ScreenShotFileName(".jpg", 3), ".jpg");
}
