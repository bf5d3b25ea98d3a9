// Bubbles: twelve depth layers and twelve columns, lifetimes that end at
// the top of the view or the surface, five draws per bubble.
#include "aquarium/core/Bubbles.h"

#include <cmath>

#include "AquariumTestScene.h"

namespace {

struct BubbleScene : TAquariumTestScene {
    BubbleScene(int width, int height) : TAquariumTestScene(width, height)
    {
        Bubbles->SetName("Bubbles");
        Scene.AddObject(Bubbles, poRender | poAnimation);
        Bubbles->MinZ = 500;
        Bubbles->MaxZ = 6500;
        Bubbles->UpY = 1000;
        Bubbles->BottomY = -1000;
        Bubbles->MinSpeed = 50;
        Bubbles->MaxSpeed = 150;
    }
    float HalfHeight(float z) const { return std::tan(37.5f * 3.14159265f / 180) * -z; }
    TBubbles* Bubbles = new TBubbles;
};

// The distance from value to the nearest of twelve levels first + k * step.
float OffLevel(float value, float first, float step)
{
    const float k = std::round((value - first) / step);
    return k < 0 || k > 11 ? 1e9f : std::fabs(value - first - k * step);
}

}  // namespace

// A bubble lives until it reaches the top of the view or the surface. A
// wide view spreads the columns over 16:9 whatever the window's shape; a
// collapsed window leaves every position finite.
TEST(Bubbles, BubblesStartOnTwelveLayersAndColumnsWithFiveDrawsRiseToTheTopOfTheViewOrTheSurfaceAndSpanAWideView)
{
    BubbleScene s(800, 600);
    for (int i = 0; i < 1000; ++i) {
        TSceneParticle bubble;
        const uint32_t seed = RandSeed();
        s.Bubbles->BottomY = i < 500 ? -1000.0f : 200.0f;
        s.Bubbles->InitParticle(&bubble);
        ASSERT_EQ(DrawsBetween(seed, RandSeed()), 5);
        const float z = bubble.Position.z;
        ASSERT_LE(OffLevel(-z, 500, 500), 0.01f * 6000) << z;
        const float halfWidth = s.HalfHeight(z) * 4 / 3;
        ASSERT_LE(OffLevel(bubble.Position.x, -halfWidth, 2 * halfWidth / 12), 0.01f * 2 * halfWidth)
            << bubble.Position.x;
        ASSERT_EQ(bubble.Position.y, s.Bubbles->BottomY);
        ASSERT_EQ(bubble.Velocity.x, 0);
        ASSERT_GE(bubble.Velocity.y, 50);
        const float top = std::min(s.HalfHeight(z), 1000.0f);
        ASSERT_NEAR(bubble.LifeTime * bubble.Velocity.y, top - s.Bubbles->BottomY, 0.01f) << z;
    }

    s.Viewport.WideScreen = true;
    float widest = 0;
    for (int i = 0; i < 300; ++i) {
        TSceneParticle bubble;
        s.Bubbles->InitParticle(&bubble);
        widest = std::max(widest, std::fabs(bubble.Position.x) / s.HalfHeight(bubble.Position.z));
    }
    EXPECT_NEAR(widest, 16.0f / 9, 0.04f);

    BubbleScene collapsed(400, 0);
    TSceneParticle bubble;
    collapsed.Bubbles->InitParticle(&bubble);
    EXPECT_TRUE(std::isfinite(bubble.Position.x));
}
