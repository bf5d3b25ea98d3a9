// The Win32 side of the skin drawing: composers over bitmaps give the
// executor's pixels, regions from masks, the effect bitmap's round trip, the
// glyphs and arrows as their stroke lists say, and a parent's background
// behind a transparent control. Layered alpha and screen capture are read
// back from real menu levels and hints (SkinMenuTest, SkinHintTest).
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <utility>
#include <vector>

#include "../../classlib/win/UiTestSupport.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/WinTypes.h"
#include "classlib/ui/ExtCtrls.h"
#include "skin/EffectBmp.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/SkinRegions.h"
#include "skin/core/SkinComposition.h"

namespace {

// A picture whose pixels name their place (blue the column, green the row)
// at 24 bits, or at 8 bits through a table of 256 distinct colours.
TDibImage Coded(int width, int height, int bits)
{
    TDibImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = bits;
    image.Allocate();
    for (int i = 0; bits == 8 && i < 256; ++i)
        image.Palette[static_cast<size_t>(i)] = static_cast<uint32_t>(i | (255 - i) << 8 | 37 << 16);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* row = image.ScanLine(y);
            if (bits == 8) {
                row[x] = static_cast<uint8_t>(x + 16 * y);
            } else {
                row[3 * x] = static_cast<uint8_t>(x);
                row[3 * x + 1] = static_cast<uint8_t>(y);
                row[3 * x + 2] = 200;
            }
        }
    return image;
}

// The pixels of a bitmap as 24-bit rows, for comparison with the executor.
std::vector<std::vector<uint8_t>> PixelsOf(const TDibImage& image)
{
    const TDibImage rgb = DibTo24Bit(image);
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < rgb.Height; ++y)
        rows.emplace_back(rgb.ScanLine(y), rgb.ScanLine(y) + 3 * rgb.Width);
    return rows;
}

void Fill(TBitmap& bitmap, int width, int height, TColor color)
{
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetStyle(bsSolid);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect(RECT{0, 0, width, height});
}

// The pixels the strokes cover (lines without their end pixel; outlines or
// filled rectangles without right and bottom edges). The strokes here are
// horizontal, vertical or diagonal.
std::set<std::pair<int, int>> StrokePixels(const TSkinShapes& shapes, int x0, int y0)
{
    std::set<std::pair<int, int>> pixels;
    for (const TSkinShape& s : shapes) {
        const int l = x0 + s.A.X, t = y0 + s.A.Y, r = x0 + s.B.X, b = y0 + s.B.Y;
        if (s.Kind == TSkinShape::Line) {
            const int dx = (r > l) - (r < l), dy = (b > t) - (b < t);
            const int n = std::max(std::abs(r - l), std::abs(b - t));
            for (int i = 0; i < n; ++i)
                pixels.insert({l + i * dx, t + i * dy});
            continue;
        }
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x)
                if (s.Filled || x == l || x == r - 1 || y == t || y == b - 1)
                    pixels.insert({x, y});
    }
    return pixels;
}

std::set<std::pair<int, int>> PixelsOfColor(TBitmap& bitmap, TColor color)
{
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Canvas()->Pixels(x, y) == color)
                pixels.insert({x, y});
    return pixels;
}

const TSkinGeometry Old{{3, 3}, {9, 3}, {3, 7}, {9, 7}, {2, 2, 10, 8}};
const TRect SkinRect{2, 1, 14, 11};

}  // namespace

// The composers over bitmaps run the native plans (proved natively, and
// every skinned control and frame draws through them): one smoke run at
// 8 and 24 bits; a missing picture gives a target of its own height and no
// width (a stretch is never wider than its picture).
TEST(SkinImages, ComposersOnBitmapsGiveTheExecutorsPixels)
{
    const TSkinGeometry n = NewSkinGeometry(Old, SkinRect, 23, 17);
    for (int bits : {8, 24}) {
        const TDibImage source = Coded(16, 12, bits);
        TBitmap picture, nine;
        picture.SetDib(source);
        CreateSkinImage(Old.LTPoint, Old.RTPoint, Old.LBPoint, Old.RBPoint, Old.ClRect, n.LTPoint, n.RTPoint,
                        n.LBPoint, n.RBPoint, n.ClRect, &nine, &picture, SkinRect, 23, 17, true);
        TDibImage expected;
        ExecuteSkinPlan(PlanSkinImage(Old, n, {16, 12}, SkinRect, 23, 17, true), source, expected);
        EXPECT_EQ(PixelsOf(nine.Dib()), PixelsOf(expected)) << bits;
    }

    TBitmap target;
    CreateVSkinImage(4, 3, &target, nullptr, SkinRect, 0, 33);
    EXPECT_EQ(target.Width(), 0);  // no wider than its picture
    EXPECT_EQ(target.Height(), 33);
}

// The platform region from a mask (its runs are proved natively, many of
// them too): a mask black at its top-left pixel only gives that pixel, rows
// not turned over on the way; an empty bitmap gives no region.
TEST(SkinRegions, RegionsFromMasks)
{
    TBitmap mask;
    Fill(mask, 3, 2, clWhite);
    mask.Canvas()->SetPixels(0, 0, clBlack);
    HRGN rgn = nullptr;
    CreateRgnFromBitmap(rgn, &mask);
    ASSERT_NE(rgn, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(rgn, &box), SIMPLEREGION);
    EXPECT_EQ(ToTRect(box), (TRect{0, 0, 1, 1}));
    DeleteObject(rgn);

    TBitmap empty;
    rgn = reinterpret_cast<HRGN>(1);
    CreateRgnFromBitmap(rgn, &empty);
    EXPECT_EQ(rgn, nullptr);
}

TEST(SkinRegions, StretchedMaskGivesTheWindowShape)
{
    // A 12 x 10 mask, black but for its four corner pixels and one pixel in
    // the repeated part of the top band.
    TBitmap mask;
    Fill(mask, 12, 10, clBlack);
    for (const POINT p : {POINT{0, 0}, POINT{11, 0}, POINT{0, 9}, POINT{11, 9}, POINT{5, 0}})
        mask.Canvas()->SetPixels(p.x, p.y, clWhite);
    const TSkinGeometry n = NewSkinGeometry(Old, TRect{0, 0, 12, 10}, 30, 20);
    HRGN rgn = nullptr;
    CreateRgnFromSkinMask(rgn, Old.LTPoint, Old.RTPoint, Old.LBPoint, Old.RBPoint, Old.ClRect, n.LTPoint, n.RTPoint,
                          n.LBPoint, n.RBPoint, n.ClRect, &mask, 30, 20);
    ASSERT_NE(rgn, nullptr);
    for (const POINT p : {POINT{0, 0}, POINT{29, 0}, POINT{0, 19}, POINT{29, 19}, POINT{5, 0}, POINT{11, 0}})
        EXPECT_FALSE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    for (const POINT p : {POINT{1, 0}, POINT{28, 19}, POINT{15, 10}, POINT{0, 10}, POINT{29, 10}, POINT{10, 0}})
        EXPECT_TRUE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    DeleteObject(rgn);

    // New top points that cross give no region.
    TSkinGeometry crossed = n;
    crossed.LTPoint.X = crossed.RTPoint.X + 1;
    rgn = reinterpret_cast<HRGN>(1);
    CreateRgnFromSkinMask(rgn, Old.LTPoint, Old.RTPoint, Old.LBPoint, Old.RBPoint, Old.ClRect, crossed.LTPoint,
                          crossed.RTPoint, crossed.LBPoint, crossed.RBPoint, crossed.ClRect, &mask, 30, 20);
    EXPECT_EQ(rgn, nullptr);
}

TEST(EffectBmp, CopiesABitmapChangesItAndDrawsIt)
{
    for (int bits : {8, 24}) {
        TBitmap source;
        source.SetDib(Coded(7, 3, bits));
        TspEffectBmp effect(source.Handle());
        ASSERT_EQ(effect.Width(), 7);
        const TColor original = source.Canvas()->Pixels(5, 2);
        effect.Invert();
        TBitmap target;
        Fill(target, 12, 6, clWhite);
        effect.Draw(target.Canvas()->Handle(), 2, 1);
        EXPECT_EQ(target.Canvas()->Pixels(7, 3), static_cast<TColor>(0xFFFFFF ^ original)) << bits;
        EXPECT_EQ(target.Canvas()->Pixels(9, 3), clWhite);
    }
    TBitmap empty;
    TspEffectBmp none(empty.Handle());
    EXPECT_EQ(none.Width(), 0);
    none.Invert();
}

TEST(SkinDraw, GlyphsAndArrowsDrawTheirStrokes)
{
    using TDraw = void (*)(TCanvas*, int, int, TColor);
    const std::pair<TDraw, TFrameGlyph> glyphs[] = {
        {DrawCloseGlyph, fgClose},       {DrawSysMenuGlyph, fgSysMenu},   {DrawMinimizeGlyph, fgMinimize},
        {DrawMaximizeGlyph, fgMaximize}, {DrawRestoreGlyph, fgRestore},   {DrawRollUpGlyph, fgRollUp},
        {DrawRollDownGlyph, fgRollDown}, {DrawMinToTrayGlyph, fgMinToTray},
    };
    for (const auto& [draw, glyph] : glyphs) {
        TBitmap bitmap;
        Fill(bitmap, 20, 20, clWhite);
        draw(bitmap.Canvas(), 3, 4, clRed);
        EXPECT_EQ(PixelsOfColor(bitmap, clRed), StrokePixels(FrameGlyphShapes(glyph), 3, 4)) << glyph;
        EXPECT_EQ(PixelsOfColor(bitmap, clWhite).size() + PixelsOfColor(bitmap, clRed).size(), 400u) << glyph;
    }

    for (int code = 1; code <= 5; ++code) {
        TBitmap bitmap;
        Fill(bitmap, 10, 10, clWhite);
        DrawArrowImage(bitmap.Canvas(), TRect{0, 0, 10, 10}, clBlue, code);
        const auto drawn = PixelsOfColor(bitmap, clBlue);
        EXPECT_EQ(drawn, StrokePixels(ArrowShapes(TRect{0, 0, 10, 10}, code), 0, 0)) << code;
        EXPECT_EQ(drawn.size(), code == 5 ? 0u : 16u) << code;
    }
}

// A glyph cell drawn without its transparent colour is read back through
// the skinned button (SkinControlsTest); counts and indexes that name no
// cell draw nothing. The strip is one column wider than its two cells, so
// a third cell would start inside it (its red drawn over its blue bottom
// row, the transparent colour).
TEST(SkinDraw, GlyphCellsOutsideTheStripDrawNothing)
{
    TBitmap strip;
    Fill(strip, 41, 6, clRed);
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(RECT{0, 5, 41, 6});
    TBitmap untouched;
    Fill(untouched, 40, 20, clWhite);
    for (const auto& [count, index] : {std::pair{0, 1}, std::pair{-1, 1}, std::pair{2, 3}, std::pair{2, 0}})
        DrawGlyph(untouched.Canvas(), 0, 0, &strip, count, index);
    EXPECT_EQ(PixelsOfColor(untouched, clWhite).size(), 800u);
}

namespace {

// A transparent control: its whole picture is what lies behind it.
class TSeeThrough : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { DrawParentImage(this, Canvas()); }
};

class TBlock : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(RECT{0, 0, Width(), Height()});
    }
};

class SkinDrawWindowTest : public uitest::UiTest {};

}  // namespace

// What lies behind a transparent control, the parent's graphic children
// included (screen capture is read back by the hint and menu tests).
TEST_F(SkinDrawWindowTest, ParentImageShowsTheParentAndItsGraphicChildren)
{
    TForm* form = MakeForm(220, 120);
    form->SetColor(clWhite);
    auto* panel = AddControl<TPanel>(form, 10, 10, 160, 90);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlue);
    AddControl<TBlock>(panel, 20, 20, 40, 30);
    auto* child = AddControl<TSeeThrough>(panel, 30, 25, 60, 40);
    form->Update();
    ASSERT_TRUE(PumpUntil([&] { return Near(PixelOf(child->Handle(), 2, 2), RGB(0, 255, 0)); }))
        << std::hex << PixelOf(child->Handle(), 2, 2);
    EXPECT_TRUE(Near(PixelOf(child->Handle(), 40, 10), RGB(0, 0, 255)));

    // A windowless control at the same place, drawn into a buffer of its size.
    auto* graphic = AddControl<TBlock>(panel, 30, 25, 60, 40);
    TBitmap buffer;
    Fill(buffer, 60, 40, clBlack);
    DrawParentImageForGraphic(graphic, buffer.Canvas());
    EXPECT_EQ(buffer.Canvas()->Pixels(2, 2), clLime);
    EXPECT_EQ(buffer.Canvas()->Pixels(40, 10), clBlue);
}
