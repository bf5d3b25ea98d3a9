#include "gl/core/ScreenShotName.h"

#include <gtest/gtest.h>

TEST(ScreenShotFileName, InsertsTheCounterBeforeTheFirstDot)
{
    EXPECT_EQ(ScreenShotFileName("fish.jpg", 3), "fish3.jpg");
    EXPECT_EQ(ScreenShotFileName("my.saver.bmp", 12), "my12.saver.bmp");
    EXPECT_EQ(ScreenShotFileName("C:\\shots\\fish.jpg", 0), "C:\\shots\\fish0.jpg");
}

TEST(ScreenShotFileName, LeavesNamesWithoutALaterDotAlone)
{
    EXPECT_EQ(ScreenShotFileName("fish", 3), "fish");
    EXPECT_EQ(ScreenShotFileName(".jpg", 3), ".jpg");
    EXPECT_EQ(ScreenShotFileName("", 3), "");
}
