// The canvas and its graphics objects under Wine: pen, brush and text checked
// pixel by pixel, the context left as given, no GDI object leaked, a custom
// control's paint; the font's handle and size, the icon's handle.
#include "classlib/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <functional>

#include "UiTestSupport.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Icon.h"

namespace {

// A 24-bit bitmap of the given size filled with `background`.
void Prepare(TBitmap& bitmap, int width, int height, TColor background)
{
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetColor(background);
    bitmap.Canvas()->Brush()->SetStyle(bsSolid);
    bitmap.Canvas()->FillRect(RECT{0, 0, width, height});
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

TEST(CanvasTest, PenAndBrushStylesReachTheDrawingAndMeasuringDrawsNothing)
{
    TBitmap bitmap;
    Prepare(bitmap, 120, 40, clWhite);
    TCanvas* canvas = bitmap.Canvas();
    const auto count = [&](TColor color) {
        return CountPixels(canvas, RECT{0, 0, 120, 40}, [color](TColor c) { return c == color; });
    };
    // A wider pen covers the rows beside the line; a clear pen draws nothing.
    canvas->Pen()->SetWidth(5);
    canvas->Pen()->SetColor(clBlue);
    canvas->MoveTo(5, 20);
    canvas->LineTo(25, 20);
    EXPECT_EQ(canvas->Pixels(15, 22), clBlue);
    canvas->Pen()->SetStyle(psClear);
    canvas->Pen()->SetColor(clRed);
    canvas->MoveTo(5, 35);
    canvas->LineTo(100, 35);
    EXPECT_EQ(count(clRed), 0);

    canvas->Font()->SetColor(clRed);
    RECT measured{5, 5, 5, 5};
    const int height = canvas->DrawText("Wide text", measured, DT_CALCRECT);
    const SIZE extent = canvas->TextExtent("Wide text");
    EXPECT_EQ(measured.right - measured.left, extent.cx);
    EXPECT_EQ(measured.bottom - measured.top, extent.cy);
    EXPECT_EQ(height, extent.cy);
    EXPECT_EQ(count(clRed), 0) << "measuring draws nothing";
    // A clear brush leaves the background around the letters.
    canvas->Brush()->SetStyle(bsClear);
    canvas->Brush()->SetColor(clLime);
    RECT box{30, 0, 120, 40};
    canvas->DrawText("Wide text", box, DT_CENTER);
    EXPECT_GT(count(clRed), 0);
    EXPECT_EQ(count(clLime), 0);
}

// One operation of each way of selecting into the context: the pen alone,
// pen and brush, the text's font and colours, the font alone.
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
        {"TextOut", [&] { canvas->TextOut(1, 1, "Ab"); }},
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

// A custom control draws on its canvas while it paints, the only time it has a context.
class TPaintedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->Pen()->SetColor(clBlue);
        Canvas()->Rectangle(0, 0, Width(), Height());
    }
};

class CanvasControlTest : public uitest::UiTest {};

TEST_F(CanvasControlTest, CustomControlPaintsThroughItsCanvas)
{
    TForm* form = MakeForm(200, 150);
    auto* control = AddControl<TPaintedControl>(form, 10, 10, 60, 40);
    control->Repaint();
    ASSERT_TRUE(PumpUntil([&] { return control->Paints > 0; }));
    EXPECT_EQ(control->Canvas()->Handle(), nullptr) << "no context outside painting";
    EXPECT_TRUE(Near(PixelOf(control->Handle(), 30, 20), RGB(0, 255, 0)));
    EXPECT_TRUE(Near(PixelOf(control->Handle(), 0, 0), RGB(0, 0, 255)));
    EXPECT_THROW(control->Canvas()->Rectangle(0, 0, 1, 1), EInvalidGraphicOperation);
}

// Fonts: the size in points and pixels, the GDI handle made on demand and
// replaced (the old one deleted) on every change.
LOGFONTA DescribedBy(HFONT font)
{
    LOGFONTA logFont{};
    EXPECT_EQ(GetObjectA(font, sizeof(logFont), &logFont), static_cast<int>(sizeof(logFont)));
    return logFont;
}

TEST(FontTest, SizeConvertsAtTheScreenResolutionAndTheHandleIsMadeOnDemandAndReplacedOnChange)
{
    TFont font;
    const int ppi = TFont::PixelsPerInch();
    ASSERT_GT(ppi, 0);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -MulDiv(12, ppi, 72));
    font.SetHeight(-MulDiv(9, ppi, 72));
    EXPECT_EQ(font.Size(), 9);

    EXPECT_FALSE(font.HandleAllocated());
    font.SetName("Arial");
    font.SetHeight(-16);
    font.SetStyle(fsBold | fsItalic);
    const HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first) << "kept while nothing changes";
    const LOGFONTA described = DescribedBy(first);
    EXPECT_STREQ(described.lfFaceName, "Arial");
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfItalic);

    font.SetStyle(0);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old handle is deleted";
    EXPECT_EQ(DescribedBy(font.Handle()).lfWeight, FW_NORMAL);
    // The colour is not part of the GDI font: the handle stays (one selected
    // into a paint DC could not be deleted), and the change is announced.
    const HFONT selected = font.Handle();
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetColor(clRed);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(font.HandleAllocated());
    EXPECT_EQ(font.Handle(), selected);
    font.SetName("");
    EXPECT_EQ(font.Name(), "Arial") << "an empty name is ignored";
}

// A 16 x 16 icon made from two masks (a white square in XOR).
HICON MakeIcon()
{
    std::vector<BYTE> andMask(16 * 16 / 8, 0x00);
    std::vector<BYTE> xorMask(16 * 16 / 8, 0xFF);
    return CreateIcon(GetModuleHandleA(nullptr), 16, 16, 1, 1, andMask.data(), xorMask.data());
}

TEST(Icon, OwnsItsHandleReportsItsSizeAndCopiesIntoAHandleOfItsOwn)
{
    TIcon icon;
    int changes = 0;
    icon.OnChange = [&](TObject*) { ++changes; };
    icon.SetHandle(MakeIcon());
    EXPECT_EQ(icon.Height(), 16);
    EXPECT_EQ(changes, 1);
    TIcon copy;
    copy.Assign(&icon);
    EXPECT_NE(copy.Handle(), icon.Handle());
    EXPECT_EQ(copy.Width(), 16);
}

}  // namespace
