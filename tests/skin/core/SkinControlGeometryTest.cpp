#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>

#include "skin/controls/core/SkinControlGeometry.h"

namespace {

// A 40 x 30 skin image with corners of 10 pixels: the nine-part geometry.
TspSkinGeometry NineParts()
{
    TspSkinGeometry g;
    g.SkinRect = {100, 50, 140, 80};
    g.LTPoint = {10, 10};
    g.RTPoint = {30, 10};
    g.LBPoint = {10, 20};
    g.RBPoint = {30, 20};
    g.ClRect = {5, 5, 35, 25};
    g.ResizeMode = 1;
    return g;
}

}  // namespace

TEST(SkinControlGeometry, ResizeModeFirstMatchWins)
{
    TspSkinGeometry g = NineParts();
    EXPECT_EQ(g.GetResizeMode(), 1);
    g.RBPoint = {30, 0};  // one coordinate of RBPoint is not enough
    EXPECT_EQ(g.GetResizeMode(), 2);
    g.RTPoint = {0, 0};
    EXPECT_EQ(g.GetResizeMode(), 3);
    g.LBPoint = {0, 0};
    EXPECT_EQ(g.GetResizeMode(), 0);
    g = NineParts();
    g.SkinRect = {100, 50, 100, 80};  // empty whatever the points say
    EXPECT_EQ(g.GetResizeMode(), -1);
}

// A control asked to be 100 x 60 in each resize mode: the size it takes and
// its client rectangle (untouched without a record or a mode).
TEST(SkinControlGeometry, CalcSizeByMode)
{
    const struct {
        int Mode;
        bool HasRecord;
        int Width, Height;
        TRect Client;
    } cases[] = {
        {1, true, 100, 60, {5, 5, 95, 55}},  // nine parts: any size
        {2, true, 100, 30, {5, 5, 95, 25}},  // the height stays the skin's
        {3, true, 40, 60, {5, 5, 35, 55}},   // the width stays the skin's
        {0, true, 40, 30, {5, 5, 35, 25}},   // the skin's size
        {0, false, 100, 60, {}},             // no record: the size is the caller's
        {-1, true, 100, 60, {}},
    };
    TspSkinGeometry nine = NineParts();
    int w = 100, h = 60;
    nine.CalcSize(w, h, true);
    EXPECT_EQ(nine.NewRBPoint, (TPoint{90, 50}));
    for (const auto& c : cases) {
        TspSkinGeometry g = NineParts();
        g.ResizeMode = c.Mode;
        w = 100, h = 60;
        g.CalcSize(w, h, c.HasRecord);
        EXPECT_EQ(TPoint({w, h}), TPoint({c.Width, c.Height})) << c.Mode << " " << c.HasRecord;
        EXPECT_EQ(g.NewClRect, c.Client) << c.Mode << " " << c.HasRecord;
    }
}

// Every branch of the placement, each at the edge of its area (corner areas
// include their edges), in a control 60 wider and 40 higher than the skin.
TEST(SkinControlGeometry, MoveSkinRectFollowsCornersAndStretches)
{
    const TspSkinGeometry g = NineParts();
    const auto move = [&](TRect s) { return g.MoveSkinRect(s, 100, 70); };
    EXPECT_EQ(move({0, 0, 10, 10}), (TRect{0, 0, 10, 10}));       // wholly left-top
    EXPECT_EQ(move({30, 0, 40, 10}), (TRect{90, 0, 100, 10}));    // wholly right-top
    EXPECT_EQ(move({0, 20, 10, 30}), (TRect{0, 60, 10, 70}));     // wholly left-bottom
    EXPECT_EQ(move({30, 20, 40, 30}), (TRect{90, 60, 100, 70}));  // wholly right-bottom
    EXPECT_EQ(move({2, 2, 30, 20}), (TRect{2, 2, 90, 60}));       // left-top to right-bottom
    EXPECT_EQ(move({2, 2, 30, 8}), (TRect{2, 2, 90, 8}));         // left-top to right-top
    EXPECT_EQ(move({2, 22, 35, 28}), (TRect{2, 62, 95, 68}));     // left-bottom to right-bottom
    EXPECT_EQ(move({2, 2, 8, 25}), (TRect{2, 2, 8, 65}));         // left-top to left-bottom
    EXPECT_EQ(move({32, 2, 38, 25}), (TRect{92, 2, 98, 65}));     // right-top to right-bottom
    EXPECT_EQ(move({12, 12, 28, 18}), (TRect{12, 12, 28, 18}));   // the middle stays

    TspSkinGeometry h = NineParts();
    h.ResizeMode = 2;
    EXPECT_EQ(h.MoveSkinRect({10, 2, 30, 8}, 100, 30), (TRect{10, 2, 90, 8}));
    EXPECT_EQ(h.MoveSkinRect({30, 2, 38, 8}, 100, 30), (TRect{90, 2, 98, 8}));
    EXPECT_EQ(h.MoveSkinRect({12, 2, 20, 8}, 100, 30), (TRect{12, 2, 20, 8}));
    h.ResizeMode = 3;
    EXPECT_EQ(h.MoveSkinRect({2, 10, 8, 20}, 40, 70), (TRect{2, 10, 8, 60}));
    EXPECT_EQ(h.MoveSkinRect({2, 20, 8, 28}, 40, 70), (TRect{2, 60, 8, 68}));
}

// The eight cells of the layout table, with odd sizes where truncation
// shows; spacing counts without a glyph.
TEST(SkinControlGeometry, GlyphTextLayoutTable)
{
    const TRect R{10, 20, 111, 51};  // CX 60, CY 35
    struct TCase {
        TspButtonLayout Layout;
        int Margin;
        TspGlyphTextLayout Expected;
    };
    const TCase cases[] = {
        {blGlyphLeft, -1, {36, 28, 53, 29}},   {blGlyphRight, -1, {68, 28, 36, 29}},
        {blGlyphTop, -1, {52, 20, 45, 37}},    {blGlyphBottom, -1, {52, 35, 45, 20}},
        {blGlyphLeft, 3, {13, 28, 31, 29}},    {blGlyphRight, 3, {92, 28, 59, 29}},
        {blGlyphTop, 3, {52, 23, 45, 40}},     {blGlyphBottom, 3, {52, 33, 45, 18}},
    };
    for (const TCase& c : cases) {
        const TspGlyphTextLayout l = CalcGlyphTextLayout(c.Layout, R, 16, 15, 31, 13, c.Margin, 2);
        const TspGlyphTextLayout& e = c.Expected;
        EXPECT_EQ(std::tie(l.GX, l.GY, l.TX, l.TY), std::tie(e.GX, e.GY, e.TX, e.TY)) << c.Layout << " " << c.Margin;
    }
    EXPECT_EQ(CalcGlyphTextLayout(blGlyphLeft, R, 0, 0, 30, 13, -1, 4).TX, 47);
}

TEST(SkinControlGeometry, FadeTakesElevenStepsAndEndsExactly)
{
    // The steps of a fade from kf, and the kf it ends at.
    const auto fade = [](double kf, bool in) {
        int steps = 0;
        for (TspMorphTick t = StepMorph(kf, in, true); !t.Stop && steps < 20; t = StepMorph(kf, in, true)) {
            EXPECT_TRUE(t.Repaint);
            kf = t.Kf;
            ++steps;
        }
        return std::pair{steps, StepMorph(kf, in, true).Kf};
    };
    EXPECT_EQ(fade(0, true), (std::pair{11, 1.0}));
    EXPECT_EQ(fade(1, false), (std::pair{11, 0.0}));

    const TspMorphTick plain = StepMorph(0.5, true, false);  // no morphing skin: at once, unseen
    EXPECT_TRUE(plain.Stop);
    EXPECT_FALSE(plain.Repaint);
    EXPECT_EQ(plain.Kf, 1.0);
}

TEST(SkinControlGeometry, PanelCaptionPlacement)
{
    const TRect R{1, 1, 101, 22};
    EXPECT_EQ(PanelCaptionX(taLeftJustify, R, 40, true, true), 3);
    EXPECT_EQ(PanelCaptionX(taRightJustify, R, 40, true, false), 61);
    EXPECT_EQ(PanelCaptionX(taRightJustify, R, 40, true, true), 51);
    EXPECT_EQ(PanelCaptionX(taCenter, R, 41, true, false), 33);
    EXPECT_EQ(PanelCaptionX(taLeftJustify, R, 40, false, true), 1);
    EXPECT_EQ(PanelCaptionX(taCenter, R, 41, false, true), 31);
}

// Skin numbers at the ends of the int range saturate instead of
// overflowing (UBSan stops the native run at an overflow).
TEST(SkinControlGeometry, WildSkinNumbersSaturate)
{
    for (const int v : {INT_MIN, INT_MAX}) {
        TspSkinGeometry g;
        g.SkinRect = {INT_MIN, INT_MIN, v, v};
        g.LTPoint = g.RTPoint = g.LBPoint = g.RBPoint = {v, v};
        g.ClRect = {v, v, v, v};
        for (const int size : {INT_MIN, 1, INT_MAX})
            for (g.ResizeMode = 1; g.ResizeMode <= 3; ++g.ResizeMode) {
                int w = size, h = size;
                g.CalcSize(w, h, true);
                for (const TRect& S : {TRect{0, 0, 0, 0}, g.ClRect, TRect{INT_MIN, INT_MIN, v, v}})
                    g.MoveSkinRect(S, size, size);
            }
        for (const TspButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom})
            for (const int margin : {-1, 0, v})
                CalcGlyphTextLayout(layout, {INT_MIN, INT_MIN, v, v}, v, v, v, v, margin, v);
        for (const TAlignment alignment : {taLeftJustify, taRightJustify, taCenter})
            PanelCaptionX(alignment, {INT_MIN, v, v, v}, ~v, true, true);
    }
    TspSkinGeometry g = NineParts();
    g.RTPoint.X = INT_MAX - 5;
    int w = INT_MAX, h = 30;
    g.CalcSize(w, h, true);
    EXPECT_EQ(g.NewRTPoint.X, INT_MAX);
}
