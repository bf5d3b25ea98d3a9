// Panels and images under Wine: what they paint, checked pixel by pixel.
#include <gtest/gtest.h>

#include "StdCtrlsTestSupport.h"
#include "UiTestSupport.h"
#include "classlib/core/StringList.h"
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

TEST_F(ExtCtrlsTest, PanelDrawsItsBevelsColourAndCaption)
{
    TForm* form = NewForm();
    auto* panel = AddControl<TPanel>(form, 10, 10, 120, 60);
    panel->SetColor(RGB(255, 255, 255));
    panel->Font()->SetName("Arial");
    panel->Font()->SetHeight(-20);
    panel->Font()->SetColor(Red);
    panel->SetCaption("Fish");
    panel->SetBevelWidth(2);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(light, dark);
    {
        const TWindowShot shot(panel->Handle());
        EXPECT_EQ(shot.CountNear(RECT{0, 5, 2, 55}, light, 0), 100) << "raised: light left edge, 2 wide";
        EXPECT_EQ(shot.CountNear(RECT{5, 0, 115, 2}, light, 0), 220);
        EXPECT_EQ(shot.CountNear(RECT{118, 5, 120, 55}, dark, 0), 100) << "dark right edge";
        EXPECT_EQ(shot.CountNear(RECT{5, 58, 115, 60}, dark, 0), 220);
        EXPECT_GT(shot.CountNear(RECT{30, 15, 90, 45}, Red, 60), 20) << "the caption in the middle";
        EXPECT_EQ(shot.CountNear(RECT{2, 2, 25, 58}, RGB(255, 255, 255), 0), 23 * 56) << "the panel's colour inside";
    }
    // Lowered outer and raised inner bevel, with the border between them.
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvRaised);
    panel->SetBevelWidth(1);
    panel->SetBorderWidth(3);
    panel->SetCaption("");
    {
        const TWindowShot shot(panel->Handle());
        EXPECT_EQ(shot.Pixel(0, 30), dark);
        EXPECT_EQ(shot.Pixel(119, 30), light);
        EXPECT_EQ(shot.Pixel(2, 30), RGB(255, 255, 255)) << "the border in the panel's colour";
        EXPECT_EQ(shot.Pixel(4, 30), light) << "the inner bevel inside the border";
        EXPECT_EQ(shot.Pixel(115, 30), dark);
        EXPECT_EQ(shot.CountNear(RECT{30, 15, 90, 45}, Red, 60), 0) << "no caption";
    }
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    {
        const TWindowShot shot(panel->Handle());
        EXPECT_EQ(shot.CountNear(RECT{0, 0, 120, 60}, RGB(255, 255, 255), 0), 120 * 60);
    }
}

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
        EXPECT_EQ(shot.CountNear(RECT{30, 50, 50, 70}, Blue), 20 * 20);
    }
    image->SetCenter(true);
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{50, 50, 60, 60}, Red), 100);
        EXPECT_EQ(shot.CountNear(RECT{60, 50, 70, 60}, Green), 100);
        EXPECT_EQ(shot.Pixel(31, 41), Blue);
    }
    image->SetStretch(true);
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{30, 40, 60, 70}, Red), 30 * 30);
        EXPECT_EQ(shot.CountNear(RECT{60, 40, 90, 70}, Green), 30 * 30);
    }
    // A picture assigned from a bitmap repaints; an empty one shows the form.
    TBitmap green;
    green.SetSize(4, 4);
    green.Canvas()->Brush()->SetColor(Green);
    green.Canvas()->FillRect(RECT{0, 0, 4, 4});
    image->Picture()->SetBitmap(&green);
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{30, 40, 90, 70}, Green), 60 * 30);
    }
    image->Picture()->Assign(nullptr);
    EXPECT_TRUE(image->Picture()->Bitmap()->Empty());
    {
        const TWindowShot shot(form->Handle());
        EXPECT_EQ(shot.CountNear(RECT{30, 40, 90, 70}, Blue), 60 * 30);
    }
}

TEST_F(ExtCtrlsTest, PictureTakesPicturesAndBitmapsAndReportsChanges)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    TPicture source;
    FillHalves(source.Bitmap());
    picture.Assign(&source);
    EXPECT_EQ(picture.Height(), 10);
    EXPECT_NE(picture.Bitmap(), source.Bitmap()) << "a copy";
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixels(15, 5), static_cast<TColor>(Green));
    EXPECT_EQ(changes, 1);
    TStringList notAPicture;
    EXPECT_THROW(picture.Assign(&notAPicture), EConvertError);
    EXPECT_EQ(picture.Width(), 20) << "unchanged";
}

}  // namespace
