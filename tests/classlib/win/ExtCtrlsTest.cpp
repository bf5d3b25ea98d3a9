// Images under Wine: what they paint, checked pixel by pixel.
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

TEST_F(ExtCtrlsTest, ImageShowsItsBitmapPlainCentredOrStretched)
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
    image->SetStretch(true);
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{30, 40, 60, 70}, Red), 30 * 30);
        EXPECT_EQ(shot.CountNear(RECT{60, 40, 90, 70}, Green), 30 * 30);
    }
    // An emptied picture repaints as the form.
    image->Picture()->Assign(nullptr);
    EXPECT_TRUE(image->Picture()->Bitmap()->Empty());
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{30, 40, 90, 70}, Blue), 60 * 30);
    }
}

}  // namespace
