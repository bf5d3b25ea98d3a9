// Images under Wine: what they paint, checked pixel by pixel (plain and
// centred; nothing in the program stretches an image).
#include <gtest/gtest.h>

#include "StdCtrlsTestSupport.h"
#include "UiTestSupport.h"
#include "classlib/ui/ExtCtrls.h"

namespace {

using uitest::TWindowShot;
using uitest::UiTest;

class ExtCtrlsTest : public UiTest {
protected:
    static TForm* NewForm()
    {
        TForm* form = MakeForm(200, 150, false);
        form->SetColor(Blue);
        form->Show();
        return form;
    }

    // A 20 x 10 bitmap: red left half, green right half.
    static void FillHalves(TBitmap* bitmap)
    {
        bitmap->SetSize(20, 10);
        bitmap->Canvas()->Brush()->SetColor(RGB(255, 0, 0));
        bitmap->Canvas()->FillRect(RECT{0, 0, 10, 10});
        bitmap->Canvas()->Brush()->SetColor(RGB(0, 255, 0));
        bitmap->Canvas()->FillRect(RECT{10, 0, 20, 10});
    }

    static constexpr COLORREF Red = RGB(255, 0, 0);
    static constexpr COLORREF Green = RGB(0, 255, 0);
    static constexpr COLORREF Blue = RGB(0, 0, 255);
};

TEST_F(ExtCtrlsTest, ImageShowsItsBitmapPlainOrCentred)
{
    TForm* form = NewForm();
    auto* image = AddControl<TImage>(form, 30, 40, 60, 30);
    FillHalves(image->Picture()->Bitmap());
    image->Picture()->Changed();
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{30, 40, 40, 50}, Red), 100);
        EXPECT_EQ(shot.CountNear(RECT{40, 40, 50, 50}, Green), 100);
        EXPECT_EQ(shot.CountNear(RECT{50, 40, 90, 70}, Blue), 40 * 30) << "the form beside the picture";
    }
    image->SetCenter(true);
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{50, 50, 60, 60}, Red), 100);
        EXPECT_EQ(shot.Pixel(31, 41), Blue);
    }
}

TEST_F(ExtCtrlsTest, SplitterResizesTheControlBeforeItLiveWithinItsLimits)
{
    TForm* form = NewForm();
    auto* left = AddControl<TPanel>(form, 0, 0, 60, 150);
    left->SetAlign(alLeft);
    auto* splitter = AddControl<TSplitter>(form, 60, 0, 4, 150);
    auto* rest = AddControl<TPanel>(form, 64, 0, 50, 150);
    rest->SetAlign(alClient);
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };
    EXPECT_EQ(splitter->Cursor(), crSizeWE);
    const HWND wnd = form->Handle();
    const auto mouse = [&](UINT msg, int x) { SendMessageA(wnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 70)); };

    mouse(WM_LBUTTONDOWN, 61);
    mouse(WM_MOUSEMOVE, 101);
    EXPECT_EQ(left->Width(), 100) << "live, while the button is held";
    EXPECT_EQ(splitter->Left(), 100);
    EXPECT_EQ(moved, 0);
    mouse(WM_MOUSEMOVE, 0);
    EXPECT_EQ(left->Width(), 30) << "MinSize";
    mouse(WM_MOUSEMOVE, 500);
    EXPECT_EQ(left->Width(), 196) << "the parent's width less the splitter";
    mouse(WM_LBUTTONUP, 500);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(rest->Left(), 200);
}

TEST_F(ExtCtrlsTest, ControlBarLaysItsChildrenOutAsBandsInRows)
{
    TForm* form = NewForm();
    auto* bar = AddControl<TCustomControlBar>(form, 0, 0, 100, 100);
    auto* first = AddControl<TPanel>(bar, 0, 0, 50, 20);
    auto* second = AddControl<TPanel>(bar, 0, 0, 60, 30);
    EXPECT_EQ(first->BoundsRect().left, 11);
    EXPECT_EQ(first->BoundsRect().top, 2);
    EXPECT_EQ(second->Left(), 11) << "no room left in the first row";
    EXPECT_EQ(second->Top(), 20 + 2 + 2 + 2) << "below the first row's band";
    const RECT band = TCustomControlBar::BandRect(second);
    EXPECT_EQ(band.left, 0);
    EXPECT_EQ(band.top, 24);
    EXPECT_EQ(band.bottom, 26 + 30 + 2);

    bar->SetWidth(200);
    EXPECT_EQ(second->Left(), 63 + 11);
    EXPECT_EQ(second->Top(), 2);
    first->SetWidth(30);
    EXPECT_EQ(second->Left(), 30 + 13 + 11) << "a child that shrinks pulls the next band in";
    delete first;
    EXPECT_EQ(second->Left(), 11) << "a band that leaves makes room";

    // A band dragged by its grabber goes where it is released, in reading
    // order: past the row's last band, then before the first.
    auto* third = AddControl<TPanel>(bar, 0, 0, 40, 30);
    const auto drag = [&](TControl* band, int x, int y) {
        SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(band->Left() - 5, band->Top() + 5));
        SendMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    drag(second, 190, 10);
    EXPECT_EQ(third->Left(), 11);
    EXPECT_EQ(second->Left(), 40 + 13 + 11);
    drag(second, 1, 10);
    EXPECT_EQ(second->Left(), 11);
    EXPECT_EQ(third->Left(), 60 + 13 + 11);
}

}  // namespace
