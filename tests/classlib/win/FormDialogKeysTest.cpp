// The form's dialog keys and the windows that ask for keys themselves, by
// real key input under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "UiTestSupport.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"

namespace {

using uitest::UiTest;

class FormDialogKeysTest : public UiTest {};

// An edit control of the class library that makes a multi-line window.
class TMultiLineEdit : public TEdit {
public:
    using TEdit::TEdit;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TEdit::CreateParams(params);
        params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    }
};

// A multi-line edit window asks for every key, so the form leaves it Return
// and Escape; having been asked about them, it still types the line break
// and closes no window on Escape. Both a control of the class library and a
// plain EDIT window inside a panel.
TEST_F(FormDialogKeysTest, AMultiLineEditWindowKeepsReturnAndEscape)
{
    TForm* form = MakeForm(300, 220);
    auto* edit = AddControl<TMultiLineEdit>(form, 10, 10, 200, 70);
    AddControl<TEdit>(form, 10, 190, 100, 20);  // the next tab stop
    auto* panel = AddControl<TPanel>(form, 10, 90, 220, 90);
    const HWND plain = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 5, 5,
                                       200, 70, panel->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);

    for (const HWND wnd : {plain, edit->Handle()}) {
        SCOPED_TRACE(wnd == plain ? "plain EDIT window" : "class library control");
        SetFocus(wnd);
        ASSERT_EQ(GetFocus(), wnd);
        for (const WORD key : {WORD{'A'}, WORD{VK_RETURN}, WORD{'B'}, WORD{VK_ESCAPE}, WORD{'C'}})
            SendKey(key);
        EXPECT_TRUE(PumpUntil([&] { return WindowText(wnd) == "a\r\nbc"; }, std::chrono::seconds(10)))
            << WindowText(wnd);
        EXPECT_EQ(GetFocus(), wnd);
        EXPECT_TRUE(IsWindowVisible(form->Handle())) << "Escape closed the form";
        EXPECT_TRUE(IsWindow(plain)) << "Escape closed the panel";
    }
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
