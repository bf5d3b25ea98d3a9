#include "skin/core/SkinFormGeometry.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace {

// A 100 x 60 form picture: corners at 20/80 across and 20/40 down, client
// (5, 25, 95, 55), the shape's solid inner part (5, 5, 95, 55), hit-test
// points 6 inside the picture's corners.
constexpr int PW = 100;
constexpr int PH = 60;

struct TFrame : TspSkinDescription {
    TFrame()
    {
        LTPoint = {20, 20};
        RTPoint = {80, 20};
        LBPoint = {20, 40};
        RBPoint = {80, 40};
        ClRect = {5, 25, 95, 55};
        MaskRectArea = {5, 5, 95, 55};
        HitTestLTPoint = {6, 6};
        HitTestRTPoint = {94, 6};
        HitTestLBPoint = {6, 54};
        HitTestRBPoint = {94, 54};
        BorderWidth = 3;
    }
};

// A 24-bit strip, black (the window's shape) except the white rectangle `cut`.
TDibImage Strip(int w, int h, const TRect& cut)
{
    return Picture24(w, h, [&](int x, int y) {
        return x >= cut.Left && x < cut.Right && y >= cut.Top && y < cut.Bottom ? 0xFFFFFF : 0;
    });
}

}  // namespace

TEST(SkinFormGeometryTest, FrameFollowsTheFormSize)
{
    TFrame skin;
    skin.MainMenuRect = {10, 45, 30, 50};  // left-bottom area: follows the height
    for (const auto& [w, h] : {std::pair{250, 90}, std::pair{70, 40}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        const int dx = w - PW, dy = h - PH;
        const TSkinFrameLayout L = CalcSkinFrameLayout(skin, PW, PH, w, h);
        EXPECT_EQ(L.NewRTPoint, (TPoint{80 + dx, 20}));
        EXPECT_EQ(L.NewRBPoint, (TPoint{80 + dx, 40 + dy}));
        EXPECT_EQ(L.NewClRect, (TRect{5, 25, 95 + dx, 55 + dy}));
        EXPECT_EQ(L.NewMaskRectArea, (TRect{5, 5, 95 + dx, 55 + dy}));
        EXPECT_EQ(L.NewHitTestRBPoint, (TPoint{94 + dx, 54 + dy}));
        EXPECT_EQ(L.NewMainMenuRect, (TRect{10, 45 + dy, 30 + dx, 50 + dy}));
    }
    // A menu on top stays where it is; a skin that does not stretch keeps
    // the menu's width.
    skin.MainMenuRect = {10, 8, 30, 14};
    EXPECT_EQ(CalcSkinFrameLayout(skin, PW, PH, 200, 90).NewMainMenuRect, (TRect{10, 8, 130, 14}));
    skin.RBPoint = {80, 20};
    EXPECT_EQ(CalcSkinFrameLayout(skin, PW, PH, 200, 90).NewMainMenuRect, (TRect{10, 8, 30, 14}));
}

TEST(SkinFormGeometryTest, ObjectsMoveWithTheirCorners)
{
    TFrame skin;
    const TSkinFrameLayout L = CalcSkinFrameLayout(skin, PW, PH, 150, 80);  // dx 50, dy 20
    struct TCase {
        const char* Rule;
        TRect SkinRect;
        TRect Expected;
    } cases[] = {
        {"left-top stays", {2, 2, 18, 18}, {2, 2, 18, 18}},
        {"edge on the corner point still inside", {2, 2, 20, 20}, {2, 2, 20, 20}},
        {"right-top moves right", {82, 2, 98, 18}, {132, 2, 148, 18}},
        {"left-bottom moves down", {2, 42, 18, 58}, {2, 62, 18, 78}},
        {"right-bottom moves both ways", {82, 42, 98, 58}, {132, 62, 148, 78}},
        {"left-top to right-bottom grows both ways", {10, 10, 90, 50}, {10, 10, 140, 70}},
        {"caption: left-top to right-top grows wider", {10, 5, 90, 15}, {10, 5, 140, 15}},
        {"status bar: left-bottom to right-bottom grows and moves down", {10, 45, 90, 55}, {10, 65, 140, 75}},
        {"left edge: left-top to left-bottom grows taller", {2, 10, 15, 50}, {2, 10, 15, 70}},
        {"right edge: right-top to right-bottom moves right, grows taller", {85, 10, 95, 50}, {135, 10, 145, 70}},
        {"middle stays", {30, 25, 70, 35}, {30, 25, 70, 35}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PlaceFrameObject(skin, L, c.SkinRect), c.Expected) << c.Rule;
}

TEST(SkinFormGeometryTest, ClientAreaKeepsTheFrameMarginsAndNeverTurnsNegative)
{
    TFrame skin;
    // Skin margins: 5 left, 25 top, 5 right, 5 bottom, at any position.
    EXPECT_EQ(SkinNCClientRect({100, 200, 400, 500}, true, skin, PW, PH, 19), (TRect{105, 225, 395, 495}));
    EXPECT_EQ(SkinNCClientRect({0, 0, 300, 300}, false, skin, PW, PH, DefCaptionHeight(false)),
              (TRect{3, 22, 297, 297}));
    const TRect tinyDefault = SkinNCClientRect({10, 10, 12, 12}, false, skin, PW, PH, 19);
    EXPECT_EQ(tinyDefault, (TRect{13, 32, 13, 32}));
}

// A description's values are any int: the frame's sums with them saturate
// instead of overflowing (UBSan stops the native run at an overflow), and
// the client area never turns negative.
TEST(SkinFormGeometryTest, WildSkinValuesSaturate)
{
    const TSkinMaskStrips mask{Strip(8, 8, {}), Strip(8, 8, {}), Strip(8, 8, {}), Strip(8, 8, {})};
    for (const int v : {INT_MIN, INT_MAX}) {
        TFrame skin;
        skin.RTPoint = skin.LBPoint = skin.RBPoint = skin.HitTestRBPoint = {v, v};
        skin.ClRect = skin.MaskRectArea = skin.MainMenuRect = {v, v, v, v};
        for (const int size : {1, INT_MAX}) {
            SCOPED_TRACE(testing::Message() << v << " at " << size);
            const TSkinFrameLayout L = CalcSkinFrameLayout(skin, PW, PH, size, size);
            const TRect client = SkinNCClientRect({0, 0, size, size}, true, skin, PW, PH, 19);
            EXPECT_TRUE(client.Left <= client.Right && client.Top <= client.Bottom);
            for (const TPoint& P : {TPoint{0, 0}, L.NewHitTestRBPoint})
                EXPECT_NE(SkinHitTest(L, v, &mask, P, {}, {}), 0);
        }
        int x = v, y = v;
        SkinMagnetic(x, y, v, v, {0, 0, 800, 600}, 10);
        EXPECT_GE(SkinMinHeight({.SkinFrame = true, .PictureHeight = v, .ClientRectHeight = ~v}), INT_MIN);
    }
}

TEST(SkinFormGeometryTest, SkinHitTestsByShapeAndState)
{
    TFrame skin;
    const TSkinFrameLayout L = CalcSkinFrameLayout(skin, PW, PH, PW, PH);
    const std::vector<TRect> captions{{20, 8, 80, 20}};
    const TSkinFormState normal;
    // Without a mask the window rectangle is the shape.
    struct TCase {
        TPoint P;
        int Code;
    } rectangular[] = {
        {{1, 1}, SkinHit::TopLeft},     {{98, 1}, SkinHit::TopRight},   {{1, 58}, SkinHit::BottomLeft},
        {{98, 58}, SkinHit::BottomRight}, {{50, 1}, SkinHit::Top},      {{50, 58}, SkinHit::Bottom},
        {{1, 30}, SkinHit::Left},       {{98, 30}, SkinHit::Right},     {{50, 10}, SkinHit::Caption},
        {{50, 40}, SkinHit::Client},    {{10, 15}, SkinHit::Object},
    };
    for (const TCase& c : rectangular)
        EXPECT_EQ(SkinHitTest(L, 3, nullptr, c.P, normal, captions), c.Code) << c.P.X << "," << c.P.Y;

    // A mask whose outer 3 rows and columns are transparent: the borders
    // move inwards with the shape; a point on the solid inner part is
    // never a border.
    const TSkinMaskStrips mask{Strip(100, 5, {0, 0, 100, 3}), Strip(100, 5, {0, 2, 100, 5}),
                               Strip(5, 50, {0, 0, 3, 50}), Strip(5, 50, {2, 0, 5, 50})};
    EXPECT_EQ(SkinHitTest(L, 3, &mask, {50, 4}, normal, captions), SkinHit::Top);
    EXPECT_EQ(SkinHitTest(L, 3, &mask, {50, 8}, normal, captions), SkinHit::Caption);
    EXPECT_EQ(SkinHitTest(L, 1, &mask, {50, 4}, normal, captions), SkinHit::Object);
    // Probes past the strips (here left of the window) are not the shape:
    // the point is near the border, and nothing is read outside a strip.
    const TSkinMaskStrips solid{Strip(100, 5, {}), Strip(100, 5, {}), Strip(5, 50, {}), Strip(5, 50, {})};
    EXPECT_EQ(SkinHitTest(L, 3, &solid, {2, 30}, normal, captions), SkinHit::Left);
    EXPECT_EQ(SkinHitTest(L, 3, &solid, {97, 30}, normal, captions), SkinHit::Right);
    EXPECT_EQ(SkinHitTest(L, 3, &solid, {50, 40}, normal, captions), SkinHit::Client);

    // States that allow no sizing answer only client, caption and object.
    const TSkinFormState fixed{.Sizeable = false}, maximized{.Maximized = true}, rolled{.RolledUp = true};
    for (const TSkinFormState* s : {&fixed, &maximized, &rolled})
        EXPECT_EQ(SkinHitTest(L, 3, &mask, {1, 1}, *s, captions), SkinHit::Object);
    EXPECT_EQ(SkinHitTest(L, 3, &mask, {50, 40}, fixed, captions), SkinHit::Client);
    EXPECT_EQ(SkinHitTest(L, 3, &mask, {50, 40}, rolled, captions), SkinHit::Object);
    EXPECT_EQ(SkinHitTest(L, 3, &mask, {50, 10}, rolled, captions), SkinHit::Caption);

    // The client-area mode answers a border only where sizing is possible.
    EXPECT_EQ(ClientAreaHitTest(L, 3, nullptr, {1, 30}, normal, false), SkinHit::Left);
    EXPECT_EQ(ClientAreaHitTest(L, 3, nullptr, {1, 30}, normal, true), SkinHit::Client);
    EXPECT_EQ(ClientAreaHitTest(L, 3, nullptr, {50, 10}, normal, false), SkinHit::Client);
    EXPECT_EQ(ClientAreaHitTest(L, 3, nullptr, {1, 30}, fixed, false), SkinHit::Client);
}

TEST(SkinFormGeometryTest, DefaultFrameHitTestsGripsCaptionAndButtons)
{
    const int W = 300, H = 200;
    const TSkinFormState sizeable, fixed{.Sizeable = false};
    struct TCase {
        TPoint P;
        const TSkinFormState* State;
        bool Full, SysMenu, Tool;
        int Code;
    } cases[] = {
        {{0, 0}, &sizeable, true, true, false, SkinHit::TopLeft},
        {{297, 3}, &sizeable, true, true, false, SkinHit::TopRight},
        {{3, 197}, &sizeable, true, true, false, SkinHit::BottomLeft},
        {{299, 199}, &sizeable, true, true, false, SkinHit::BottomRight},
        {{150, 2}, &sizeable, true, true, false, SkinHit::Top},
        {{150, 197}, &sizeable, true, true, false, SkinHit::Bottom},
        {{0, 100}, &fixed, true, true, false, SkinHit::Object},
        // Caption between the system-menu button and the four right buttons.
        {{21, 10}, &sizeable, true, true, false, SkinHit::Caption},
        {{20, 10}, &sizeable, true, true, false, SkinHit::Object},
        {{4, 10}, &sizeable, true, false, false, SkinHit::Caption},
        {{228, 10}, &sizeable, true, true, false, SkinHit::Caption},
        {{229, 10}, &sizeable, true, true, false, SkinHit::Object},
        // A dialog frame has only the close button on the right.
        {{278, 10}, &fixed, false, true, false, SkinHit::Caption},
        {{279, 10}, &fixed, false, true, false, SkinHit::Object},
        {{150, 21}, &sizeable, true, true, false, SkinHit::Caption},
        {{150, 22}, &sizeable, true, true, false, SkinHit::Client},
        {{150, 18}, &sizeable, true, true, true, SkinHit::Client},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DefaultHitTest(c.P, W, H, *c.State, c.Full, c.SysMenu, c.Tool), c.Code) << c.P.X << "," << c.P.Y;
}

TEST(SkinFormGeometryTest, MinimumTrackingSizes)
{
    // A skin picture of 100 x 60 whose client rectangle is 30 high.
    const auto skin = [](bool frameMode, int minWidth, int minHeight, bool minimized) {
        return TSkinMinSizeInput{frameMode, true, 100, 60, 30, minWidth, minHeight, 19, minimized, false};
    };
    const struct {
        const char* Rule;
        TSkinMinSizeInput In;
        int Width, Height;
    } cases[] = {
        {"default frame", {}, 130, 25},
        {"default frame, own minimum", {.MinWidth = 200, .MinHeight = 300}, 200, 300},
        {"default frame rolled up", {.MinWidth = 200, .MinHeight = 300, .RolledUp = true}, 200, 25},
        {"skin frame: the picture less its client area", skin(true, 0, 0, false), 100, 30},
        {"skin frame, own minimum", skin(true, 150, 80, false), 150, 80},
        {"skin frame minimized", skin(true, 150, 80, true), 100, 30},
        {"client mode: the picture", skin(false, 0, 0, false), 100, 60},
        {"client mode: the smaller of picture and minimum", skin(false, 70, 0, false), 70, 60},
        {"client mode without a skin", {.FrameMode = false, .MinWidth = 70}, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinMinWidth(c.In), c.Width) << c.Rule;
        EXPECT_EQ(SkinMinHeight(c.In), c.Height) << c.Rule;
    }
}

TEST(SkinFormGeometryTest, MagnetSnapsStrictlyWithinTheDistance)
{
    const TRect area{0, 0, 1000, 800};
    struct TCase {
        int X, Y;
        int EX, EY;
    } cases[] = {
        {9, 300, 0, 300},   {10, 300, 10, 300}, {-9, 300, 0, 300},  {400, 9, 400, 0},
        {400, 10, 400, 10}, {691, 300, 700, 300}, {690, 300, 690, 300}, {400, 491, 400, 500},
        {400, 490, 400, 490}, {709, 509, 700, 500},
    };
    for (const TCase& c : cases) {
        int x = c.X, y = c.Y;
        SkinMagnetic(x, y, 300, 300, area, 10);
        EXPECT_EQ(TPoint({x, y}), TPoint({c.EX, c.EY})) << c.X << "," << c.Y;
    }
}

TEST(SkinFormGeometryTest, MinimizedFormsLineUpAlongTheBottom)
{
    const TRect area{0, 0, 300, 200};
    std::set<std::pair<int, int>> taken;
    auto isTaken = [&](const TPoint& P) { return taken.count({P.X, P.Y}) != 0; };
    std::vector<TPoint> slots;
    for (int i = 0; i < 5; ++i) {
        const TPoint P = FindMinimizedSlot(area, 130, 25, isTaken);
        slots.push_back(P);
        taken.insert({P.X, P.Y});
    }
    const std::vector<TPoint> expected{{0, 175}, {130, 175}, {0, 150}, {130, 150}, {0, 125}};
    EXPECT_EQ(slots, expected);

    // Every slot taken: back to the bottom-left once the top is passed.
    EXPECT_EQ(FindMinimizedSlot(area, 130, 25, [](const TPoint&) { return true; }), (TPoint{0, 175}));
    // A form without a picture has no size; the search still ends.
    int probes = 0;
    const TPoint P = FindMinimizedSlot(area, 0, 0, [&](const TPoint&) { return ++probes < 1000000; });
    EXPECT_LT(probes, 1000000);
    EXPECT_EQ(P, (TPoint{0, 199}));
}

TEST(SkinFormGeometryTest, CaptionDoubleClicks)
{
    const TSkinFormState normal, minimized{.Minimized = true}, maximized{.Maximized = true},
        maxRolled{.Maximized = true, .RolledUp = true}, rolled{.RolledUp = true}, fixed{.Sizeable = false};
    EXPECT_EQ(FrameCaptionDblClick(minimized, true, false), caRestore);
    EXPECT_EQ(FrameCaptionDblClick(normal, true, false), caMaximize);
    EXPECT_EQ(FrameCaptionDblClick(normal, false, false), caToggleRollUp);
    EXPECT_EQ(FrameCaptionDblClick(maximized, true, false), caRestore);
    EXPECT_EQ(FrameCaptionDblClick(maxRolled, true, true), caToggleRollUp);
    EXPECT_EQ(FrameCaptionDblClick(fixed, true, false), caToggleRollUp);

    EXPECT_EQ(ObjectCaptionDblClick(rolled), caRollDown);
    EXPECT_EQ(ObjectCaptionDblClick(normal), caMaximize);
    EXPECT_EQ(ObjectCaptionDblClick(maximized), caRestore);
    EXPECT_EQ(ObjectCaptionDblClick(fixed), caRollUp);
}
