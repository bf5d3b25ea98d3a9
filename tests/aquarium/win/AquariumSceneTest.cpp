// The program's own aquarium: the scene description the program carries
// loads into a scene with every object the aquarium's code looks up by
// name, and a frame of it shows the water surface, the sea bed, fish,
// bubbles and the clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <string>

#include "../core/AquariumTestScene.h"
#include "AquariumSceneHost.h"
#include "scene/core/SceneSprite.h"
#include "scene/core/SceneVisual.h"

using namespace aquariumhost;

namespace {

constexpr int Width = 256;
constexpr int Height = 192;
const TGLColor ClockBlue = MakeColorRGBA(65, 170, 255, 255);

struct TArea {
    int Left, Bottom, Right, Top;  // pixels, right and top excluded
};

// Mean red, green and blue of an area.
std::array<double, 3> Mean(const TFrame& frame, TArea area)
{
    std::array<double, 3> sum{};
    for (int y = area.Bottom; y < area.Top; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += frame[(static_cast<size_t>(y) * Width + x) * 4 + c];
    const double n = static_cast<double>(area.Right - area.Left) * (area.Top - area.Bottom);
    return {sum[0] / n, sum[1] / n, sum[2] / n};
}

// Pixels of an area that differ clearly between two frames.
int Changed(const TFrame& a, const TFrame& b, TArea area = {0, 0, Width, Height})
{
    int count = 0;
    for (int y = area.Bottom; y < area.Top; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            const size_t i = (static_cast<size_t>(y) * Width + x) * 4;
            if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 24)
                ++count;
        }
    return count;
}

}  // namespace

TEST(AquariumScene, TheProgramsDescriptionHoldsEveryObjectTheAquariumLooksUpAndAFrameShowsThemAll)
{
    TProgramResources resources;
    TAquariumHost host(Width, Height);
    ASSERT_NO_THROW(host.Load());

    EXPECT_NE(host.Find<TBubbles>("Bubbles"), nullptr);
    EXPECT_EQ(host.Backgrounds().size(), 3u) << "the clock's colours follow three backgrounds";
    for (const char* reserved : {"Font", "FPS"})
        EXPECT_EQ(host.Scene->FindObject(reserved), nullptr) << reserved << " is the host's";

    // Two fish groups of three shoals each, every shoal name once, none a
    // value name of the world's own options.
    std::set<std::string> shoals;
    for (const char* name : {"SaltWater", "FreshWater"}) {
        const TFishRender* group = host.Find<TFishRender>(name);
        ASSERT_NE(group, nullptr) << name;
        EXPECT_EQ(group->GetCount(), 3) << name;
        for (int i = 0; i < group->GetCount(); ++i) {
            const auto* shoal = dynamic_cast<const TFishes*>(group->GetItem(i));
            ASSERT_NE(shoal, nullptr);
            EXPECT_TRUE(shoals.insert(shoal->Name()).second) << shoal->Name() << " twice";
            EXPECT_GT(shoal->MaxCount, 0);
        }
    }
    for (const char* option : {"EmulateDepth", "SortAlpha", "FishDirection", "FishTypeIndex", "WaterBackgroundIndex",
                               "FishCount", "BubbleCount", "ClockMode", "FPS"})
        EXPECT_EQ(shoals.count(option), 0u) << option;

    // The clock: every item it sets and every sprite it shows.
    const TGLClock* clock = host.Find<TGLClock>("GLClock");
    ASSERT_NE(clock, nullptr);
    ASSERT_NE(clock->Objects, nullptr);
    ASSERT_NE(clock->Sprites, nullptr);
    for (const char* item : ClockItems)
        EXPECT_NE(dynamic_cast<TMainVisualObject*>(clock->Objects->FindObject(item)), nullptr) << item;
    for (const char* sprite : ClockSprites)
        EXPECT_NE(dynamic_cast<TSceneSprite*>(clock->Sprites->FindObject(sprite)), nullptr) << sprite;

    const TArea top{0, Height - 24, Width, Height};
    const TArea bottom{0, 0, Width / 2, 24};  // left of the clock
    const TArea clockArea{Width * 3 / 4, 0, Width, Height / 6};

    for (const auto& [background, group] : {std::pair<size_t, const char*>{0, "SaltWater"}, {2, "FreshWater"}}) {
        SCOPED_TRACE(group);
        host.Show(background, group, 8, 60, 1, ClockBlue);
        // Fish start beyond the left edge: let them swim in.
        for (int i = 0; i < 24; ++i)
            host.DrawFrame(0.5f);
        const TFrame full = host.ReadFrame();

        // The surface above is the water's colour, the sea bed below is sand:
        // the surface bluer than the sea bed, the sea bed redder.
        const auto surface = Mean(full, top);
        const auto seabed = Mean(full, bottom);
        EXPECT_GT(std::min(surface[1], surface[2]), surface[0] + 20);
        EXPECT_GT(seabed[0] - seabed[2], surface[0] - surface[2] + 40);

        // What each part adds: the frame again, still, without it.
        host.Find<TFishRender>(group)->SetVisible(false);
        host.DrawFrame(0);
        const TFrame noFish = host.ReadFrame();
        host.Find<TBubbles>("Bubbles")->SetVisible(false);
        host.DrawFrame(0);
        const TFrame noBubbles = host.ReadFrame();
        host.Find<TGLClock>("GLClock")->SetClockMode(0);
        host.DrawFrame(0);
        const TFrame noClock = host.ReadFrame();
        host.Backgrounds()[background]->SetVisible(false);
        host.DrawFrame(0);
        const TFrame nothing = host.ReadFrame();

        EXPECT_GT(Changed(full, noFish), 150) << "fish";
        EXPECT_GT(Changed(noFish, noBubbles), 20) << "bubbles";
        EXPECT_GT(Changed(noBubbles, noClock, clockArea), 100) << "clock";
        EXPECT_EQ(Changed(noBubbles, noClock, {0, 0, Width / 2, Height / 2}), 0) << "the clock lies bottom right";
        EXPECT_GT(Changed(noClock, nothing, top), Width * 24 * 9 / 10) << "surface";
        EXPECT_GT(Changed(noClock, nothing, bottom), Width / 2 * 24 * 9 / 10) << "sea bed";

        host.Find<TBubbles>("Bubbles")->SetVisible(true);
    }
}
