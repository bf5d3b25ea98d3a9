// Shared helpers of the aquarium's platform-free tests: a scene with a
// viewport of a chosen window size (75 degrees, near 100, the camera at its
// default place), no GL context.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "classlib/core/Random.h"
#include "gl/core/DefViewport.h"
#include "scene/core/MainScene.h"

class TAquariumTestScene : public IDefViewportOwner, public IViewWindow {
public:
    explicit TAquariumTestScene(int width = 800, int height = 600) : Width(width), Height(height)
    {
        Scene.Viewport = &Viewport;
        SetRandSeed(12345);
    }
    IViewWindow* ViewWindow() override { return this; }
    TCustomOpenGL* ViewContext() override { return nullptr; }
    int ViewWidth() override { return Width; }
    int ViewHeight() override { return Height; }
    uint32_t ViewColorRGB() override { return 0; }

    int Width, Height;
    TDefViewport Viewport{this};
    TMainScene Scene;
};

// How many draws of the shared generator lie between two seeds (at most
// limit).
inline int DrawsBetween(uint32_t from, uint32_t to, int limit = 16)
{
    for (int n = 0; n <= limit; ++n, from = from * 134775813u + 1u)
        if (from == to)
            return n;
    return -1;
}

// The clock's items and the sprites it shows (see GLClock.h).
inline const char* const ClockItems[] = {"time1", "time2", "time3", "time4",  "time5",  "time6",
                                         "time7", "day",   "month1", "month2", "month4", "month5"};
inline const char* const ClockSprites[] = {"0", "1", "2",   "3",   "4",   "5",   "6",   "7",  "8",
                                           "9", "sun", "mon", "tue", "wed", "thu", "fri", "sat"};
