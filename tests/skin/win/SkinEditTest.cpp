// The skinned edit, memo, tree view and list view under Wine: the edit's
// frame insets, button, read-only state and colours by hover; the memo's
// picture background, see-through over its parent; the external
// scroll bars of the memo and the tree kept in step and let go; the list
// view's own column header.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../../support/RealInput.h"
#include "../../support/ScreenPixels.h"
#include "SkinTestSheet.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinViews.h"

namespace {

using namespace skintest;

const std::string Skin = skintest::ControlsSkin({"edit:edit", "memo:memo"}, R"([edit]
pictureindex=0
skinrect=0,0,40,20
lefttoppoint=4,0
righttoppoint=36,0
clientrect=3,4,36,17
fontcolor=200
activefontcolor=13107200
[memo]
pictureindex=0
skinrect=0,20,40,60
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
clientrect=4,4,36,36
activeskinrect=40,20,80,60
bgcolor=16777215
activebgcolor=65535
)");

TDibImage Picture()
{
    TDibImage sheet = skintest::Blank(80, 60);
    Fill(sheet, 0, 0, 80, 60, RGB(90, 90, 90));
    Fill(sheet, 0, 20, 40, 60, RGB(200, 0, 0));   // the memo's frame
    Fill(sheet, 4, 24, 36, 56, RGB(0, 160, 0));   // the memo's client area
    Fill(sheet, 44, 24, 76, 56, RGB(0, 0, 160));  // the same, active
    return sheet;
}

class SkinEditTest : public skintest::TFormTest {
protected:
    SkinEditTest() : TFormTest(true) {}

    static RECT Client(TWinControl* control)
    {
        RECT client{};
        GetClientRect(control->Handle(), &client);
        return client;
    }
    TspSkinScrollBar* Bar(TScrollBarKind kind)
    {
        auto* bar = Make<TspSkinScrollBar>(0, 0, 20, 20);
        bar->SetKind(kind);
        return bar;
    }
};

TEST_F(SkinEditTest, FrameInsetsComeFromTheRecordOrTwoPixelsAndTheButtonTakesItsOwnHitCodes)
{
    TTestSkin skin(Skin, {Picture()});
    auto* edit = Make<TspSkinCustomEdit>(10, 10, 120, 20);
    EXPECT_EQ(Client(edit).right, 120 - 4);
    edit->SetButtonMode(true);
    EXPECT_EQ(Client(edit).right, 120 - 24);
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    const HWND wnd = edit->Handle();
    RECT window{};
    GetWindowRect(wnd, &window);
    const LPARAM onButton = MAKELPARAM(window.left + 110, window.top + 10);
    EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, onButton), HTHSCROLL);
    EXPECT_EQ(SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(window.left + 1, window.top + 1)), HTVSCROLL);
    SendMessageA(wnd, WM_NCLBUTTONDOWN, HTHSCROLL, onButton);
    SendMessageA(wnd, WM_NCLBUTTONUP, HTHSCROLL, onButton);
    EXPECT_EQ(clicks, 1);

    // A press on the frame is the edit's own: no scroll-bar tracking loop,
    // which would take the release waiting in the queue.
    PostMessageA(wnd, WM_LBUTTONUP, 0, 0);
    SendMessageA(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(window.left + 1, window.top + 1));
    MSG release{};
    EXPECT_TRUE(PeekMessageA(&release, wnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE));
    EXPECT_EQ(clicks, 1);

    edit->SetSkinData(skin.Data.get());
    edit->SetButtonMode(false);
    EXPECT_EQ(Client(edit).right, 120 - 3 - 4) << "the record's client distances";
    EXPECT_EQ(Client(edit).bottom, 20 - 4 - 3);
    EXPECT_EQ(edit->Font()->Color(), 200);
    edit->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(edit->Font()->Color(), 13107200) << "active under the mouse";
    edit->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(edit->Font()->Color(), 200);
}

// Keys through the message loop as the edit gets them: the key message
// with its modifier held in the thread's key state (the system edit asks it),
// the characters made by TranslateMessage. The system edit pastes, cuts and
// undoes on some keys by itself. Alt+Backspace carries the Alt bit (29) and
// bit 13, which Wine's edit tests instead. In a process of its own: owning
// the clipboard under Wine upsets later reads of the screen in the process.
TEST_F(SkinEditTest, ReadOnlyEditAndMemoRefuseEveryChangeFromTheKeyboardButCopy)
{
    const auto press = [](HWND wnd, WORD modifier, WORD key) {
        std::array<BYTE, 256> state{};
        state[modifier] = 0x80;
        SetKeyboardState(state.data());
        if (modifier == VK_MENU) {
            PostMessageA(wnd, WM_SYSKEYDOWN, key, 0x20002001);
        } else {
            PostMessageA(wnd, WM_KEYDOWN, key, 1);
            PostMessageA(wnd, WM_KEYUP, key, 0xC0000001);
        }
        Application->ProcessMessages();
        state.fill(0);
        SetKeyboardState(state.data());
    };
    const struct {
        const char* Name;
        WORD Modifier, Key;
    } keys[] = {{"Shift+Insert", VK_SHIFT, VK_INSERT}, {"Shift+Delete", VK_SHIFT, VK_DELETE},
                {"Alt+Backspace", VK_MENU, VK_BACK},   {"Ctrl+V", VK_CONTROL, 'V'},
                {"Ctrl+X", VK_CONTROL, 'X'},           {"Ctrl+Z", VK_CONTROL, 'Z'},
                {"Delete", 0, VK_DELETE},              {"Backspace", 0, VK_BACK},
                {"typing", 0, 'X'}};
    std::string failures;
    const auto expect = [&](const std::string& actual, const std::string& wanted, const std::string& what) {
        if (actual != wanted)
            failures += what + ": \"" + actual + "\", not \"" + wanted + "\"\n";
    };
    const auto check = [&](auto* control) {
        const HWND wnd = control->Handle();
        // "keep", read-only, with "ke" selected and the typed "p" to undo.
        const auto prepare = [&] {
            control->SetReadOnly(false);
            control->SetText("kee");
            SendMessageA(wnd, EM_SETSEL, 3, 3);
            SendMessageA(wnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("p"));
            control->SetReadOnly(true);
            SendMessageA(wnd, EM_SETSEL, 0, 2);
        };
        const std::string name = control->ClassName() + " ";
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        prepare();
        SendMessageA(wnd, EM_SETSEL, 0, -1);
        press(wnd, VK_CONTROL, 'C');
        OpenClipboard(nullptr);
        const auto copied = static_cast<const char*>(GetClipboardData(CF_TEXT));
        expect(copied != nullptr ? copied : "(nothing)", "keep", name + "Ctrl+C copies");
        CloseClipboard();
        for (const auto& key : keys) {
            prepare();
            press(wnd, key.Modifier, key.Key);
            expect(control->Text(), "keep", name + key.Name);
        }
        control->SetReadOnly(false);
        press(wnd, VK_SHIFT, VK_DELETE);
        expect(control->Text(), "ep", name + "Shift+Delete without the flag");
    };
    EXPECT_EXIT(
        {
            check(Make<TspSkinCustomEdit>(10, 10, 120, 20));
            check(Make<TspSkinMemo>(10, 40, 150, 80));
            std::fputs(failures.c_str(), stderr);
            std::exit(failures.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// The memo's own properties by real keys on the focused memo: without
// WantReturns Return adds no line and clicks the form's default button,
// without WantTabs Tab moves the focus on; with them both are typed, and
// Escape stays the memo's.
// MaxLength stops typing, WordWrap breaks long lines, Alignment places the
// text, HideSelection and OEMConvert reach the window.
TEST_F(SkinEditTest, MemoPropertiesTakeEffectOnRealKeys)
{
    auto* memo = Make<TspSkinMemo>(10, 10, 150, 80);
    Make<TspSkinCustomEdit>(10, 100, 120, 20);  // the next tab stop
    auto* button = Make<TspSkinButton>(200, 10, 60, 25);
    button->SetDefault(true);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SetForegroundWindow(Form->Handle());
    SetActiveWindow(Form->Handle());
    const auto type = [](std::initializer_list<WORD> keys) {
        for (const WORD key : keys) {
            testsupport::KeyInput(key);
            testsupport::KeyInput(key, KEYEVENTF_KEYUP);
        }
        for (int i = 0; i < 10; ++i, Sleep(5))
            Application->ProcessMessages();
    };

    memo->SetWantReturns(false);
    memo->SetFocus();
    type({'A', VK_RETURN});
    EXPECT_EQ(memo->Text(), "a");
    EXPECT_EQ(clicks, 1) << "Return is the form's";
    type({VK_TAB});
    EXPECT_NE(GetFocus(), memo->Handle()) << "Tab moves on";
    EXPECT_EQ(memo->Text(), "a");

    memo->SetWantReturns(true);
    memo->SetWantTabs(true);
    memo->SetMaxLength(5);
    memo->SetFocus();
    SendMessageA(memo->Handle(), EM_SETSEL, 1, 1);
    type({VK_RETURN, VK_TAB, 'B', 'C'});
    EXPECT_EQ(memo->Text(), "a\r\n\tb") << "the fifth character is the last";
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), memo->Handle());
    type({VK_ESCAPE});
    EXPECT_TRUE(IsWindowVisible(Form->Handle())) << "Escape in the memo does not close its form";

    memo->SetMaxLength(0);
    memo->SetText("wrapping words that never fit on one line of the memo");
    const auto lines = [&] { return SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0); };
    EXPECT_GT(lines(), 1);
    memo->SetWordWrap(false);
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(memo->Text(), "wrapping words that never fit on one line of the memo") << "the new window keeps it";
    memo->SetText("x");
    memo->SetAlignment(taRightJustify);
    const LRESULT at = SendMessageA(memo->Handle(), EM_POSFROMCHAR, 0, 0);
    EXPECT_GT(static_cast<short>(LOWORD(at)), Client(memo).right / 2);
    memo->SetHideSelection(false);
    memo->SetOEMConvert(true);
    const LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (ES_NOHIDESEL | ES_OEMCONVERT), ES_NOHIDESEL | ES_OEMCONVERT);
}

TEST_F(SkinEditTest, MemoKeepsItsBarInStepAndTheLinksEndCleanly)
{
    auto* memo = Make<TspSkinMemo>(10, 10, 150, 80);
    auto* bar = Bar(sbVertical);
    memo->SetVScrollBar(bar);
    memo->Lines()->Add("one");
    EXPECT_FALSE(bar->Enabled()) << "all lines visible";
    EXPECT_EQ(bar->Max(), 0);
    for (int i = 0; i < 30; ++i)
        memo->Lines()->Add("line " + std::to_string(i));
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->Max(), 32) << "31 lines and the empty one after the last break";
    EXPECT_GT(bar->PageSize(), 1);
    bar->SetPosition(10);
    EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 10) << "moving the bar scrolls";

    // A new bar: the old one no longer calls the memo.
    auto* other = new TspSkinScrollBar(Form);
    memo->SetVScrollBar(other);
    EXPECT_FALSE(static_cast<bool>(bar->OnChange));
    EXPECT_TRUE(static_cast<bool>(other->OnChange));
    delete other;
    EXPECT_EQ(memo->VScrollBar(), nullptr);
    memo->SetVScrollBar(bar);
    delete memo;
    EXPECT_FALSE(static_cast<bool>(bar->OnChange)) << "the freed memo's handler is gone";
    bar->SetPosition(3);
}

TEST_F(SkinEditTest, MemoPictureBackgroundShowsUnderTheTextAndBlendsWithTheParent)
{
    TTestSkin skin(Skin, {Picture()});
    auto* memo = Make<TspSkinMemo>(10, 10, 150, 80);
    memo->BitMapBG = true;
    memo->SetSkinData(skin.Data.get());
    memo->SetReadOnly(true);  // its text then drawn as a static control's
    // The memo's pixel on screen after a full repaint, or after only the
    // repaint the memo asked for.
    const auto screenAt = [&](int x, int y, bool full = true) {
        if (full)
            RedrawWindow(Form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        else
            UpdateWindow(memo->Handle());
        RECT window{};
        GetWindowRect(memo->Handle(), &window);
        return testsupport::ScreenPixel(window.left + x, window.top + y);
    };
    EXPECT_TRUE(testsupport::ColoursNear(screenAt(75, 40), RGB(0, 160, 0))) << "the picture's client area";
    EXPECT_TRUE(testsupport::ColoursNear(screenAt(1, 40), RGB(200, 0, 0))) << "the frame";
    memo->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(testsupport::ColoursNear(screenAt(75, 40, false), RGB(0, 0, 160))) << "the active picture, hovered";
    memo->Perform(CM_MOUSELEAVE, 0, 0);
    memo->Transparent = true;
    memo->TransparentValue = 100;
    EXPECT_TRUE(testsupport::ColoursNear(screenAt(75, 40), ColorToRGB(Form->Color()))) << "wholly the parent";
    memo->BitMapBG = false;
    EXPECT_TRUE(testsupport::ColoursNear(screenAt(75, 40), RGB(255, 255, 255))) << "the record's bgcolor";
}

TEST_F(SkinEditTest, TreeBarsFollowTheItemsScrollTheTreeAndAreLetGo)
{
    auto* tree = Make<TspSkinCustomTreeView>(10, 10, 200, 120);
    auto* vertical = Bar(sbVertical);
    auto* horizontal = Bar(sbHorizontal);
    tree->SetVScrollBar(vertical);
    tree->SetHScrollBar(horizontal);
    horizontal->SetBoth(true);
    tree->Items()->Add(nullptr, "Carp");
    tree->UpdateScrollBars();
    EXPECT_FALSE(vertical->Visible()) << "everything fits";
    EXPECT_FALSE(horizontal->Both()) << "no corner to leave free";

    for (int i = 0; i < 40; ++i)
        tree->Items()->Add(nullptr, "Fish " + std::to_string(i));
    tree->UpdateScrollBars();
    EXPECT_TRUE(vertical->Visible());
    EXPECT_TRUE(horizontal->Both());
    EXPECT_GT(vertical->Max(), 30);

    vertical->SetPosition(12);
    const auto first = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    EXPECT_EQ(first, tree->Items()->Top(12)->ItemId()) << "moving the bar scrolls the tree";

    tree->SetVScrollBar(nullptr);
    EXPECT_FALSE(static_cast<bool>(vertical->OnChange));
    delete tree;
    EXPECT_FALSE(static_cast<bool>(horizontal->OnChange)) << "the freed tree's handler is gone";
    horizontal->SetPosition(5);
}

TEST_F(SkinEditTest, ListViewDrawsItsHeaderItselfAndLetsItGoWithItsWindow)
{
    auto* list = Make<TspSkinCustomListView>(10, 10, 250, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("Name");
    list->Columns()->Add()->SetCaption("Size");
    const auto header = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(list->HeaderWindow(), header);

    const auto paintedAt = [&](int x, int y) {
        TBitmap bitmap;
        RECT client{};
        GetClientRect(header, &client);
        bitmap.SetSize(client.right, client.bottom);
        SendMessageA(header, WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas()->Handle()), 0);
        return static_cast<COLORREF>(bitmap.Canvas()->Pixels(x, y));
    };
    RECT second{};
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    const int middle = (second.left + second.right) / 2;
    const LPARAM at = MAKELPARAM(middle, 3);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(paintedAt(middle, 3), RGB(0x85, 0x93, 0xB5)) << "the pressed section";
    SendMessageA(header, WM_LBUTTONUP, 0, at);

    list->SetShowColumnHeaders(false);
    EXPECT_EQ(list->HeaderWindow(), nullptr);
    list->SetShowColumnHeaders(true);
    const auto again = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(list->HeaderWindow(), again) << "the new window's header is taken over";
    delete list;
}

// A skin change shows on the list view's header at once. Two routes repaint
// the header: the list view's own invalidation of it, and the font that
// every skin change assigns to the list view anew, which the list view
// passes on to its header; the header's paint reads the record each time.
// Either route alone keeps this test green.
TEST_F(SkinEditTest, ListViewHeaderFollowsASkinChange)
{
    TTestSkin skin(skintest::HeaderSkin(), {Picture()});
    auto* list = Make<TspSkinCustomListView>(10, 10, 250, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("");
    const HWND header = list->HeaderWindow();
    ASSERT_NE(header, nullptr);
    RECT first{};
    SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const auto onScreen = [&] {
        UpdateWindow(header);  // paints only what was made invalid
        POINT at{(first.left + first.right) / 2, 1};
        ClientToScreen(header, &at);
        return testsupport::ScreenPixel(at.x, at.y);
    };
    EXPECT_FALSE(testsupport::ColoursNear(onScreen(), RGB(200, 0, 0))) << "the plain look first";
    list->SetSkinData(skin.Data.get());
    EXPECT_TRUE(testsupport::ColoursNear(onScreen(), RGB(200, 0, 0))) << "the record's frame";
}

}  // namespace
