// The skinned labels under Wine: the font choice by record and UseSkinFont,
// embossed disabled text, a right-aligned text label's growing and the link
// label's shell call (the button label is shown by the gallery of skinned
// controls; nothing in the program places a skinned label).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "../../support/RealInput.h"
#include "SkinTestSheet.h"
#include "classlib/ui/Application.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/SkinStandIns.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinPanel.h"

namespace {

using namespace skintest;

constexpr COLORREF SkinRed = RGB(200, 0, 0), DefaultGreen = RGB(0, 160, 0), OwnBlue = RGB(0, 0, 200);

// "stdlabel": Arial 24 in red, blue under the mouse.
const std::string LabelSkin = skintest::ControlsSkin({"stdlabel:stdlabel"}, R"([stdlabel]
fontname=Arial
fontheight=24
fontcolor=200
activefontcolor=13107200
)");

class SkinLabelsTest : public skintest::TFormTest {
protected:
    void TearDown() override
    {
        Application->ShellExecuteProc = nullptr;
        TFormTest::TearDown();
    }

    template <class T>
    T* Make(const std::string& caption)
    {
        auto* label = new T(Form);
        label->SetBounds(10, 10, 120, 40);
        label->SetCaption(caption);
        label->SetParent(Form);
        label->Font()->SetColor(OwnBlue);
        label->Font()->SetHeight(-30);
        label->Skin.DefaultFont->SetColor(DefaultGreen);
        return label;
    }

    // How many pixels of the label, painted on white, are near `color`.
    static int Count(TControl* label, COLORREF color)
    {
        TBitmap bitmap;
        bitmap.SetSize(label->Width(), label->Height());
        bitmap.Canvas()->Brush()->SetColor(RGB(255, 255, 255));
        bitmap.Canvas()->FillRect(RECT{0, 0, label->Width(), label->Height()});
        label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        int count = 0;
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                count += Near(static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y)), color, 40) ? 1 : 0;
        return count;
    }
};

TEST_F(SkinLabelsTest, TheFontComesFromTheRecordOrDefaultFontAndTheLinkLightsUp)
{
    TTestSkin skin(LabelSkin, {skintest::Blank(4, 4)});
    auto* label = Make<TspSkinStdLabel>("WWW");
    label->SetAutoSize(false);
    EXPECT_GT(Count(label, DefaultGreen), 10) << "no skin: DefaultFont";
    label->Skin.UseSkinFont = false;
    EXPECT_GT(Count(label, OwnBlue), 10) << "no skin, no skin font: the label's Font";
    label->SetSkinData(skin.Data.get());
    EXPECT_GT(Count(label, SkinRed), 10) << "the record's colour with the label's Font";
    label->Skin.UseSkinFont = true;
    EXPECT_GT(Count(label, SkinRed), 10);
    EXPECT_EQ(Count(label, OwnBlue) + Count(label, DefaultGreen), 0);

    auto* link = Make<TspSkinLinkLabel>("WWW");
    link->SetAutoSize(false);
    link->SetSkinData(skin.Data.get());
    EXPECT_GT(Count(link, SkinRed), 10);
    link->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_GT(Count(link, RGB(0, 0, 200)), 10) << "the record's active colour under the mouse";
    EXPECT_EQ(Count(link, SkinRed), 0);

    // The skin goes (its removal noticed by every skinned control: the gallery).
    skin.Data.reset();
    EXPECT_GT(Count(link, RGB(0, 0, 255)), 10) << "DefaultActiveFontColor without a record";
}

TEST_F(SkinLabelsTest, DisabledTextIsEmbossedAndRightAlignedTextGrowsLeft)
{
    auto* label = Make<TspSkinStdLabel>("WWW");
    label->SetAutoSize(false);
    label->SetEnabled(false);
    EXPECT_GT(Count(label, static_cast<COLORREF>(GetSysColor(COLOR_BTNSHADOW))), 10);
    EXPECT_EQ(Count(label, DefaultGreen), 0);

    // A right-aligned text label grows to the left.
    auto* text = new TspSkinTextLabel(Form);
    text->SetParent(Form);
    text->SetAlignment(taRightJustify);
    text->SetBounds(200, 10, 10, 10);
    text->Lines()->Add("A rather long first line");
    text->Lines()->Add("and a second");
    EXPECT_EQ(text->Left() + text->Width(), 210);
    EXPECT_LT(text->Left(), 150);
    EXPECT_GT(text->Height(), 20) << "two lines";
}

TEST_F(SkinLabelsTest, AClickedLinkGoesToTheShell)
{
    std::vector<std::string> calls;
    Application->ShellExecuteProc = [&](HWND, const std::string& operation, const std::string& file, int show) {
        calls.push_back(operation + " " + file + " " + std::to_string(show));
    };
    auto* link = Make<TspSkinLinkLabel>("Home");
    link->URL = "http://example.invalid/";
    link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    link->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    link->URL.clear();
    link->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    link->Perform(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(calls, (std::vector<std::string>{"open http://example.invalid/ 1", "open  1"}));
}

// Alt + a label's accelerator, typed on the keyboard, focuses its
// FocusControl; nothing happens with ShowAccelChar off, with the label or
// the target disabled, or for a letter that is not the accelerator. The
// link goes when the target is freed.
TEST_F(SkinLabelsTest, TheAcceleratorFocusesTheFocusControl)
{
    Form->Show();
    auto* first = new TEdit(Form);
    first->SetParent(Form);
    first->SetBounds(10, 100, 100, 20);
    auto* target = new TEdit(Form);
    target->SetParent(Form);
    target->SetBounds(10, 130, 100, 20);
    auto* label = Make<TspSkinStdLabel>("&Name");
    label->SetFocusControl(target);
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    const auto altKey = [&](WORD key) {
        first->SetFocus();
        testsupport::KeyInput(VK_MENU);
        testsupport::KeyInput(key);
        testsupport::KeyInput(key, KEYEVENTF_KEYUP);
        testsupport::KeyInput(VK_MENU, KEYEVENTF_KEYUP);
        for (int i = 0; i < 10; ++i, Sleep(5))
            Application->ProcessMessages();
        return GetFocus() != first->Handle();
    };
    EXPECT_FALSE(altKey('M')) << "not the accelerator";
    EXPECT_TRUE(altKey('N'));
    EXPECT_EQ(GetFocus(), target->Handle());
    label->SetShowAccelChar(false);
    EXPECT_FALSE(altKey('N')) << "ShowAccelChar off";
    label->SetShowAccelChar(true);
    target->SetEnabled(false);
    EXPECT_FALSE(altKey('N')) << "the target disabled";
    target->SetEnabled(true);
    label->SetEnabled(false);
    EXPECT_FALSE(altKey('N')) << "the label disabled";
    label->SetEnabled(true);
    delete target;
    EXPECT_EQ(label->FocusControl(), nullptr);
    EXPECT_FALSE(altKey('N'));

    // Read from a description, naming a control described after it.
    RegisterSkinClasses();
    TForm read(nullptr);
    TFormReader().ReadInto("object F: TForm\n  object L: TspSkinStdLabel\n    Caption = '&Go'\n"
                           "    FocusControl = E\n  end\n  object E: TEdit\n  end\nend\n",
                           read);
    auto* readLabel = dynamic_cast<TspSkinStdLabel*>(read.FindComponent("L"));
    ASSERT_NE(readLabel, nullptr);
    EXPECT_EQ(readLabel->FocusControl(), read.FindComponent("E"));
}

// A change of the button label's DefaultFont shows on the screen at once.
TEST_F(SkinLabelsTest, TheButtonLabelRepaintsWhenItsDefaultFontChanges)
{
    Form->Show();
    auto* label = Make<TspSkinButtonLabel>("WWW");
    label->Skin.DefaultFont->SetHeight(-24);
    Application->ProcessMessages();
    const auto onScreen = [&](COLORREF color) {
        const HDC dc = GetDC(Form->Handle());
        int count = 0;
        for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
            for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
                count += Near(GetPixel(dc, x, y), color, 40) ? 1 : 0;
        ReleaseDC(Form->Handle(), dc);
        return count;
    };
    EXPECT_GT(onScreen(DefaultGreen), 10);
    label->Skin.DefaultFont->SetColor(SkinRed);
    EXPECT_GT(onScreen(SkinRed), 10) << "painted without waiting for the loop";
}

// Controls whose caption follows their name: made in code, a rename while
// the caption is still the old name takes the new one; a caption of its own,
// or one read from a description, stays.
TEST_F(SkinLabelsTest, ACaptionFollowsTheNameOnlyWhileItIsTheName)
{
    auto* label = new TspSkinButtonLabel(Form);
    auto* panel = new TspSkinPanel(Form);
    for (TControl* control : {static_cast<TControl*>(label), static_cast<TControl*>(panel)}) {
        const std::string cls = control->ClassName();
        control->SetName(cls + "1");
        EXPECT_EQ(control->Caption(), cls + "1");
        control->SetName(cls + "2");
        EXPECT_EQ(control->Caption(), cls + "2");
        control->SetCaption("Own");
        control->SetName(cls + "3");
        EXPECT_EQ(control->Caption(), "Own");
    }
    auto* plain = new TspSkinStdLabel(Form);  // no such style
    plain->SetName("Plain");
    EXPECT_EQ(plain->Caption(), "");

    RegisterSkinClasses();
    TForm read(nullptr);
    TFormReader().ReadInto("object F: TForm\n  object P: TspSkinPanel\n  end\n"
                           "  object Q: TspSkinPanel\n    Caption = 'Q'\n  end\nend\n",
                           read);
    auto* p = dynamic_cast<TControl*>(read.FindComponent("P"));
    auto* q = dynamic_cast<TControl*>(read.FindComponent("Q"));
    ASSERT_NE(p, nullptr);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(p->Caption(), "");
    q->SetName("R");
    EXPECT_EQ(q->Caption(), "Q") << "read as its name, yet not taken from it";
}

}  // namespace
