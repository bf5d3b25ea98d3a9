// The canvas under Wine: shapes, lines and text drawn into memory bitmaps and
// checked pixel by pixel (text by where its dark pixels fall: fonts differ),
// the context left as given, no GDI object leaked, a custom control's paint.
#include "classlib/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "UiTestSupport.h"
#include "classlib/graphics/Bitmap.h"

namespace {

constexpr TColor clGreenish = 0x208040;

// A 24-bit bitmap of the given size filled with `background`.
void Prepare(TBitmap& bitmap, int width, int height, TColor background)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetColor(background);
    bitmap.Canvas()->Brush()->SetStyle(bsSolid);
    bitmap.Canvas()->FillRect(RECT{0, 0, width, height});
}

bool IsDark(TColor color)
{
    return GetRValue(color) < 96 && GetGValue(color) < 96 && GetBValue(color) < 96;
}

// How many pixels of `rect` satisfy `test`.
template <class Test>
int CountPixels(TCanvas* canvas, const RECT& rect, Test test)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += test(canvas->Pixels(x, y)) ? 1 : 0;
    return count;
}

// The context state a canvas operation must leave as it found it.
struct TContextState {
    explicit TContextState(HDC dc)
        : Pen(GetCurrentObject(dc, OBJ_PEN)), Brush(GetCurrentObject(dc, OBJ_BRUSH)),
          Font(GetCurrentObject(dc, OBJ_FONT)), TextColor(GetTextColor(dc)), BkColor(GetBkColor(dc)),
          BkMode(GetBkMode(dc))
    {
    }
    bool operator==(const TContextState&) const = default;

    HGDIOBJ Pen, Brush, Font;
    COLORREF TextColor, BkColor;
    int BkMode;
};

TEST(CanvasTest, LinesRunFromTheCurrentPositionWithThePen)
{
    TBitmap bitmap;
    Prepare(bitmap, 40, 40, clWhite);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->MoveTo(5, 5);
    canvas->LineTo(30, 5);
    canvas->LineTo(30, 30);  // continues from (30, 5)
    const auto red = [](TColor c) { return c == clRed; };
    EXPECT_EQ(CountPixels(canvas, RECT{5, 5, 30, 6}, red), 25);
    EXPECT_EQ(CountPixels(canvas, RECT{30, 5, 31, 30}, red), 25);
    EXPECT_EQ(canvas->Pixels(4, 5), clWhite);
    EXPECT_EQ(canvas->Pixels(30, 30), clWhite) << "the end point is not drawn";
    EXPECT_EQ(canvas->Pixels(15, 6), clWhite) << "one pixel wide";

    // A wider pen covers the rows beside the line; a clear pen draws nothing.
    canvas->Pen()->SetWidth(5);
    canvas->Pen()->SetColor(clBlue);
    canvas->MoveTo(5, 20);
    canvas->LineTo(25, 20);
    EXPECT_EQ(canvas->Pixels(15, 18), clBlue);
    EXPECT_EQ(canvas->Pixels(15, 22), clBlue);
    EXPECT_EQ(canvas->Pixels(15, 25), clWhite);
    canvas->Pen()->SetStyle(psClear);
    canvas->MoveTo(5, 35);
    canvas->LineTo(25, 35);
    EXPECT_EQ(CountPixels(canvas, RECT{0, 32, 29, 38}, [](TColor c) { return c != clWhite; }), 0);

    // System colours are resolved when drawn.
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(0, 39);
    canvas->LineTo(10, 39);
    EXPECT_EQ(static_cast<COLORREF>(canvas->Pixels(3, 39)), GetSysColor(COLOR_BTNSHADOW));
}

TEST(CanvasTest, RectanglesAreOutlinedWithThePenAndFilledWithTheBrush)
{
    TBitmap bitmap;
    Prepare(bitmap, 40, 40, clWhite);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetColor(clBlue);
    canvas->Brush()->SetColor(clLime);
    canvas->Rectangle(10, 10, 30, 20);
    EXPECT_EQ(canvas->Pixels(10, 10), clBlue);
    EXPECT_EQ(canvas->Pixels(29, 19), clBlue);
    EXPECT_EQ(canvas->Pixels(11, 11), clLime);
    EXPECT_EQ(canvas->Pixels(30, 20), clWhite) << "right and bottom edges excluded";
    EXPECT_EQ(canvas->Pixels(9, 9), clWhite);

    // A clear brush leaves the inside as it was.
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clRed);
    canvas->Rectangle(RECT{10, 10, 30, 20});
    EXPECT_EQ(canvas->Pixels(10, 10), clRed);
    EXPECT_EQ(canvas->Pixels(20, 15), clLime);

    // FillRect paints with the brush only, nothing for a clear one;
    // FrameRect draws one pixel just inside the rectangle.
    canvas->FillRect(RECT{0, 25, 40, 40});
    EXPECT_EQ(canvas->Pixels(5, 30), clWhite);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clGreenish);
    canvas->FillRect(RECT{0, 25, 10, 30});
    EXPECT_EQ(CountPixels(canvas, RECT{0, 25, 11, 31}, [](TColor c) { return c == clGreenish; }), 50);
    canvas->Brush()->SetColor(clBlack);
    canvas->FrameRect(RECT{20, 25, 30, 35});
    EXPECT_EQ(CountPixels(canvas, RECT{20, 25, 31, 36}, [](TColor c) { return c == clBlack; }), 36)
        << "one pixel just inside, the inside not filled";
}

TEST(CanvasTest, EllipseFillsItsInsideAndLeavesTheCorners)
{
    TBitmap bitmap;
    Prepare(bitmap, 41, 41, clWhite);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetColor(clBlue);
    canvas->Brush()->SetColor(clRed);
    canvas->Ellipse(0, 0, 41, 41);
    EXPECT_EQ(canvas->Pixels(20, 20), clRed);
    EXPECT_EQ(canvas->Pixels(20, 0), clBlue) << "the outline touches the top edge";
    for (const POINT corner : {POINT{1, 1}, POINT{39, 1}, POINT{1, 39}, POINT{39, 39}, POINT{5, 5}})
        EXPECT_EQ(canvas->Pixels(corner.x, corner.y), clWhite) << corner.x << "," << corner.y;

    // With a clear brush only the outline is drawn.
    Prepare(bitmap, 41, 41, clWhite);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Ellipse(RECT{0, 0, 41, 41});
    EXPECT_EQ(canvas->Pixels(20, 20), clWhite);
    EXPECT_EQ(canvas->Pixels(0, 20), clBlue);
}

TEST(CanvasTest, TextDrawsInTheFontColourWithinItsExtent)
{
    TBitmap bitmap;
    Prepare(bitmap, 200, 60, clRed);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-20);
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clWhite);

    const std::string text = "HxgW";
    const SIZE extent = canvas->TextExtent(text);
    ASSERT_TRUE(extent.cx > 10 && extent.cy > 10 && extent.cx < 100);
    EXPECT_EQ(canvas->TextWidth(text), extent.cx);
    EXPECT_EQ(canvas->TextHeight(text), extent.cy);
    EXPECT_EQ(canvas->TextWidth(""), 0);

    // A solid brush fills the text's background: no red left in the extent.
    canvas->TextOut(4, 4, text);
    const RECT box{4, 4, 4 + extent.cx, 4 + extent.cy};
    EXPECT_GT(CountPixels(canvas, box, IsDark), 10);
    EXPECT_EQ(CountPixels(canvas, box, [](TColor c) { return c == clRed; }), 0);
    EXPECT_EQ(CountPixels(canvas, RECT{box.right, 0, 200, 60}, [](TColor c) { return c != clRed; }), 0)
        << "nothing drawn right of the extent";
    EXPECT_EQ(CountPixels(canvas, RECT{0, box.bottom, 200, 60}, [](TColor c) { return c != clRed; }), 0);

    // A clear brush leaves the background.
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(100, 4, text);
    const RECT clearBox{100, 4, 100 + extent.cx, 4 + extent.cy};
    EXPECT_GT(CountPixels(canvas, clearBox, IsDark), 10);
    EXPECT_GT(CountPixels(canvas, clearBox, [](TColor c) { return c == clRed; }), extent.cx * extent.cy / 3);
    EXPECT_EQ(CountPixels(canvas, clearBox, [](TColor c) { return c == clWhite; }), 0);

    // A bigger font is taller.
    const int small = canvas->TextHeight(text);
    canvas->Font()->SetHeight(-40);
    EXPECT_GT(canvas->TextHeight(text), small + 10);
}

TEST(CanvasTest, TextRectClipsAndFillsItsRectangle)
{
    TBitmap bitmap;
    Prepare(bitmap, 120, 40, clRed);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-24);
    canvas->Font()->SetColor(clBlack);
    canvas->Brush()->SetColor(clWhite);
    // Text starting left of the rectangle and running past it.
    const RECT rect{20, 5, 50, 35};
    canvas->TextRect(rect, 10, 5, "WWWWWWWW");
    EXPECT_EQ(CountPixels(canvas, rect, [](TColor c) { return c == clRed; }), 0) << "the rectangle is filled";
    EXPECT_GT(CountPixels(canvas, rect, IsDark), 10);
    EXPECT_EQ(CountPixels(canvas, RECT{0, 0, 20, 40}, [](TColor c) { return c != clRed; }), 0);
    EXPECT_EQ(CountPixels(canvas, RECT{50, 0, 120, 40}, [](TColor c) { return c != clRed; }), 0);

    canvas->Brush()->SetStyle(bsClear);
    const RECT clear{70, 5, 100, 35};
    canvas->TextRect(clear, 60, 5, "WWWWWWWW");
    EXPECT_GT(CountPixels(canvas, clear, IsDark), 10);
    EXPECT_GT(CountPixels(canvas, clear, [](TColor c) { return c == clRed; }), 0);
    EXPECT_EQ(CountPixels(canvas, RECT{100, 0, 120, 40}, [](TColor c) { return c != clRed; }), 0);
}

TEST(CanvasTest, EveryOperationLeavesTheContextAsItWas)
{
    TBitmap bitmap;
    Prepare(bitmap, 50, 50, clWhite);
    TCanvas* canvas = bitmap.Canvas();
    const HDC dc = canvas->Handle();
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, OPAQUE);
    const TContextState before(dc);
    canvas->Font()->SetColor(clBlue);
    canvas->Pen()->SetWidth(3);
    canvas->Brush()->SetColor(clLime);
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"LineTo", [&] { canvas->LineTo(20, 20); }},
        {"Rectangle", [&] { canvas->Rectangle(1, 1, 10, 10); }},
        {"Ellipse", [&] { canvas->Ellipse(1, 1, 10, 10); }},
        {"FillRect", [&] { canvas->FillRect(RECT{1, 1, 5, 5}); }},
        {"FrameRect", [&] { canvas->FrameRect(RECT{1, 1, 5, 5}); }},
        {"TextOut", [&] { canvas->TextOut(1, 1, "Ab"); }},
        {"TextRect", [&] { canvas->TextRect(RECT{0, 0, 20, 20}, 1, 1, "Ab"); }},
        {"TextExtent", [&] { canvas->TextExtent("Ab"); }},
    };
    for (const TBrushStyle style : {bsSolid, bsClear}) {
        canvas->Brush()->SetStyle(style);
        for (const auto& [name, operation] : operations) {
            operation();
            EXPECT_TRUE(TContextState(dc) == before) << name << " " << style;
        }
    }
}

TEST(CanvasTest, GdiObjectsAreMadeOnceAndDeletedWhenReplacedOrFreed)
{
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    {
        TCanvas canvas;
        pen = canvas.Pen()->Handle();
        brush = canvas.Brush()->Handle();
        font = canvas.Font()->Handle();
        EXPECT_EQ(canvas.Pen()->Handle(), pen) << "kept while nothing changes";
        EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));

        canvas.Pen()->SetColor(clRed);
        canvas.Brush()->SetColor(clRed);
        const HGDIOBJ newPen = canvas.Pen()->Handle();
        const HGDIOBJ newBrush = canvas.Brush()->Handle();
        EXPECT_EQ(GetObjectType(pen), 0u) << "the replaced pen is deleted";
        EXPECT_EQ(GetObjectType(brush), 0u) << "the replaced brush is deleted";
        pen = newPen;
        brush = newBrush;
        canvas.Brush()->SetStyle(bsClear);
        EXPECT_EQ(canvas.Brush()->Handle(), GetStockObject(NULL_BRUSH));
    }
    EXPECT_EQ(GetObjectType(pen), 0u) << "freed with the canvas";
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_BRUSH)), static_cast<DWORD>(OBJ_BRUSH))
        << "the stock brush is never deleted";
}

// Each pass makes a new pen, brush and font: a leak of one object per pass
// would exhaust GDI's 65536 handles and make the canvas raise.
TEST(CanvasTest, ManyDrawsLeakNoGdiObject)
{
    const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    {
        TBitmap bitmap;
        Prepare(bitmap, 16, 16, clWhite);
        TCanvas* canvas = bitmap.Canvas();
        ASSERT_NO_THROW({
            for (int i = 0; i < 70000; ++i) {
                const TColor color = (i & 1) != 0 ? clRed : clBlue;
                canvas->Pen()->SetColor(color);
                canvas->Brush()->SetColor(color);
                canvas->MoveTo(0, 0);
                canvas->LineTo(15, 15);
                canvas->FillRect(RECT{0, 0, 4, 4});
                if (i % 10 == 0) {
                    canvas->Font()->SetHeight(-10 - (i / 10) % 2);
                    canvas->TextOut(0, 0, "x");
                }
            }
        });
        EXPECT_EQ(canvas->Pixels(1, 1), clRed) << "the last pass drew in red";
    }
    const DWORD objectsAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (objectsBefore != 0) {
        EXPECT_EQ(objectsAfter, objectsBefore);
    }
}

TEST(CanvasTest, DrawingWithoutAContextIsRefusedAndPenAndBrushAssign)
{
    TCanvas canvas;
    const std::function<void()> operations[] = {
        [&] { canvas.MoveTo(0, 0); },          [&] { canvas.LineTo(1, 1); },
        [&] { canvas.Rectangle(0, 0, 1, 1); }, [&] { canvas.Ellipse(0, 0, 1, 1); },
        [&] { canvas.FillRect(RECT{0, 0, 1, 1}); }, [&] { canvas.FrameRect(RECT{0, 0, 1, 1}); },
        [&] { canvas.TextOut(0, 0, "a"); },    [&] { canvas.TextExtent("a"); },
    };
    for (const auto& operation : operations)
        EXPECT_EQ(uitest::ErrorOf<EInvalidGraphicOperation>(operation), "Canvas does not allow drawing");

    TPen pen;
    pen.SetColor(clRed);
    pen.SetWidth(4);
    pen.SetStyle(psDot);
    TPen copy;
    copy.Assign(&pen);
    EXPECT_TRUE(copy.Color() == clRed && copy.Width() == 4 && copy.Style() == psDot);
    TBrush brush;
    brush.SetColor(clLime);
    brush.SetStyle(bsClear);
    TBrush brushCopy;
    brushCopy.Assign(&brush);
    EXPECT_TRUE(brushCopy.Color() == clLime && brushCopy.Style() == bsClear);
    EXPECT_THROW(brushCopy.Assign(&pen), EConvertError);
}

// A custom control draws on its canvas while it paints, the only time it has a context.
class TPaintedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;
    HDC DuringPaint = nullptr;

protected:
    void Paint() override
    {
        ++Paints;
        DuringPaint = Canvas()->Handle();
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->Pen()->SetColor(clBlue);
        Canvas()->Rectangle(0, 0, Width(), Height());
    }
};

class CanvasControlTest : public uitest::UiTest {};

TEST_F(CanvasControlTest, CustomControlPaintsThroughItsCanvas)
{
    auto* form = new TForm(nullptr);
    form->SetBounds(50, 50, 200, 150);
    auto* control = new TPaintedControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 60, 40);
    form->Show();
    control->Repaint();
    ASSERT_TRUE(PumpUntil([&] { return control->Paints > 0; }));
    EXPECT_NE(control->DuringPaint, nullptr);
    EXPECT_EQ(control->Canvas()->Handle(), nullptr) << "no context outside painting";
    EXPECT_TRUE(Near(PixelOf(control->Handle(), 30, 20), RGB(0, 255, 0)));
    EXPECT_TRUE(Near(PixelOf(control->Handle(), 0, 0), RGB(0, 0, 255)));
    EXPECT_THROW(control->Canvas()->Rectangle(0, 0, 1, 1), EInvalidGraphicOperation);
}

}  // namespace
