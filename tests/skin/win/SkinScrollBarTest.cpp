// The skinned scroll bar and up-down under Wine: which look is drawn (a
// test skin whose every rectangle is a distinct solid colour), the mouse,
// the repeat timer and the range rules through the real window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "../../support/RealInput.h"
#include "SkinTestSheet.h"
#include "classlib/ui/StdCtrls.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinViews.h"

namespace {

using namespace skintest;

constexpr COLORREF Yellow = RGB(200, 200, 0), Grey = RGB(90, 90, 90), Red = RGB(200, 0, 0);
constexpr COLORREF Green = RGB(0, 200, 0), Blue = RGB(0, 0, 200), Magenta = RGB(200, 0, 200);
constexpr COLORREF Cyan = RGB(0, 200, 200), Orange = RGB(250, 120, 0), Olive = RGB(120, 120, 0);

// Row 0: the bar (down button, track, up button); row 1: the up button's
// active and down looks and the thumb's three looks; row 2: the down
// button's active look.
TDibImage Picture()
{
    TDibImage sheet = Blank(100, 60);
    Fill(sheet, 0, 0, 20, 20, Yellow);
    Fill(sheet, 20, 0, 80, 20, Grey);
    Fill(sheet, 80, 0, 100, 20, Red);
    const COLORREF second[] = {Green, Blue, Magenta, Cyan, Orange};
    for (int i = 0; i < 5; ++i)
        Fill(sheet, i * 20, 20, i * 20 + 20, 40, second[i]);
    Fill(sheet, 0, 40, 20, 60, Olive);
    return sheet;
}

const std::string Skin = skintest::ControlsSkin({"hscrollbar:scrollbar", "updown:updown"}, R"([hscrollbar]
pictureindex=0
skinrect=0,0,100,20
lefttoppoint=20,0
righttoppoint=60,0
clientrect=0,0,100,20
trackarea=20,0,80,20
upbuttonrect=80,0,100,20
activeupbuttonrect=0,20,20,40
downupbuttonrect=20,20,40,40
downbuttonrect=0,0,20,20
activedownbuttonrect=0,40,20,60
thumbrect=40,20,60,40
activethumbrect=60,20,80,40
downthumbrect=80,20,100,40
thumboffset1=5
thumboffset2=5
[updown]
pictureindex=0
skinrect=0,0,40,20
clientrect=0,0,40,20
upbuttonrect=0,0,20,20
activeupbuttonrect=0,20,20,40
downbuttonrect=20,0,40,20
activedownbuttonrect=20,20,40,40
)");

using SkinScrollBarTest = skintest::TFormTest;

TEST_F(SkinScrollBarTest, SkinnedBarStretchesItsTrackAndDrawsEachPartInItsState)
{
    TTestSkin skin(Skin, {Picture()});
    auto* bar = Make<TspSkinScrollBar>(10, 10, 200, 20, skin.Data.get(), "hscrollbar");
    bar->SetRange(0, 100, 0, 0);
    ASSERT_EQ(bar->FIndex, 0);
    // The parts where the grown bar puts them: the up button at the right
    // end, the track between, the thumb at its start.
    EXPECT_TRUE(Near(Painted(bar, 5, 10), Yellow));
    EXPECT_TRUE(Near(Painted(bar, 190, 10), Red));
    EXPECT_TRUE(Near(Painted(bar, 100, 10), Grey));
    EXPECT_TRUE(Near(Painted(bar, 30, 10), Magenta));

    Mouse(bar, WM_MOUSEMOVE, 190, 10);
    EXPECT_TRUE(Near(Painted(bar, 190, 10), Green)) << "the up button under the mouse";
    Mouse(bar, WM_LBUTTONDOWN, 190, 10);
    EXPECT_TRUE(Near(Painted(bar, 190, 10), Blue)) << "held";
    EXPECT_EQ(bar->Position(), 1) << "a step at the press";
    Mouse(bar, WM_LBUTTONUP, 190, 10);
    Mouse(bar, WM_MOUSEMOVE, 5, 10);
    EXPECT_TRUE(Near(Painted(bar, 5, 10), Olive));
    EXPECT_TRUE(Near(Painted(bar, 190, 10), Red));

    // A page stretches the thumb; its end stays put at the last position.
    bar->SetRange(0, 99, 50, 50);
    bar->CalcRects();  // as the repaint of a shown bar does
    EXPECT_EQ(bar->Entry(0).R, (TRect{100, 0, 180, 20}));
    Mouse(bar, WM_MOUSEMOVE, 140, 10);
    EXPECT_TRUE(Near(Painted(bar, 140, 10), Cyan));
    Mouse(bar, WM_LBUTTONDOWN, 140, 10);
    EXPECT_TRUE(Near(Painted(bar, 170, 10), Orange)) << "the held thumb, stretched";
    Mouse(bar, WM_LBUTTONUP, 140, 10);
}

TEST_F(SkinScrollBarTest, HeldButtonsRepeatOnTheTimerAndPagingStopsAtTheMouse)
{
    auto* bar = Make<TspSkinScrollBar>(10, 10, 200, 20, nullptr);
    bar->SetRange(0, 100, 10, 0);
    int changes = 0, lastChanges = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->OnLastChange = [&](TObject*) { ++lastChanges; };
    const auto tick = [&] { SendMessageA(bar->Handle(), WM_TIMER, 1, 0); };

    // (The first tick's pause is timed on the real timer below.)
    Mouse(bar, WM_LBUTTONDOWN, 190, 10);
    tick();
    tick();
    tick();
    EXPECT_EQ(bar->Position(), 3) << "a step at the press and one a tick after the first";
    Mouse(bar, WM_MOUSEMOVE, 100, 10);
    EXPECT_EQ(bar->TimerInterval(), 0) << "off the held button";
    Mouse(bar, WM_LBUTTONUP, 100, 10);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(lastChanges, 1);

    // Paging towards a point: it stops once the thumb gets there.
    bar->SetLargeChange(20);
    Mouse(bar, WM_LBUTTONDOWN, 150, 10);
    EXPECT_EQ(bar->Position(), 23);
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_EQ(bar->Position(), 83) << "the thumb went past the point";
    EXPECT_EQ(bar->TimerInterval(), 0);
    Mouse(bar, WM_LBUTTONUP, 150, 10);

    // Dragging the thumb past the end gives the last position.
    const TRect thumb = bar->Entry(0).R;
    Mouse(bar, WM_LBUTTONDOWN, thumb.Left + 2, 10);
    Mouse(bar, WM_MOUSEMOVE, 400, 10);
    EXPECT_EQ(bar->Position(), 91);
    Mouse(bar, WM_LBUTTONUP, 400, 10);

    // The real timer: the second step comes only after the first tick's pause.
    // Only the bar's timer messages are handled: the moves the system reports
    // for wherever the real pointer is would leave the held button.
    bar->SetPosition(0);
    Mouse(bar, WM_LBUTTONDOWN, 190, 10);
    const DWORD start = GetTickCount();
    MSG msg;
    while (bar->Position() < 2 && GetTickCount() - start < 3000) {
        while (PeekMessageA(&msg, bar->Handle(), WM_TIMER, WM_TIMER, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
    const DWORD spent = GetTickCount() - start;
    Mouse(bar, WM_LBUTTONUP, 190, 10);
    EXPECT_EQ(bar->Position(), 2);
    EXPECT_GE(spent, 530u) << "the first tick only re-arms: the second step comes after about 550 ms";
}

// The up-down's stepping rules are proved natively (SkinUpDownStepper): here
// its look, a press released over a button and a held one, through the
// window.
// A focusable bar takes the focus on a left press; a press whose focus the
// focused control keeps (its OnExit takes it back) does nothing more.
TEST_F(SkinScrollBarTest, APressThatCannotTakeTheFocusEndsThere)
{
    Form->Show();
    auto* edit = new TEdit(Form);
    edit->SetParent(Form);
    edit->SetBounds(10, 50, 100, 20);
    auto* bar = Make<TspSkinScrollBar>(10, 10, 200, 20, nullptr);
    bar->SetCanFocused(true);
    bar->SetRange(0, 100, 10, 0);
    bool keep = true;
    edit->OnExit = [&](TObject*) {
        if (keep)
            edit->SetFocus();
    };
    edit->SetFocus();
    Mouse(bar, WM_LBUTTONDOWN, 190, 10);
    Mouse(bar, WM_LBUTTONUP, 190, 10);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(bar->Position(), 0);
    keep = false;
    Mouse(bar, WM_LBUTTONDOWN, 190, 10);
    Mouse(bar, WM_LBUTTONUP, 190, 10);
    EXPECT_TRUE(bar->Focused());
    EXPECT_EQ(bar->Position(), 1);
}

// A real wheel notch reaches the bar's wheel events first: OnMouseWheel,
// then OnMouseWheelDown or Up; a notch that none of them takes moves the
// bar by SmallChange, forwards for a notch down.
TEST_F(SkinScrollBarTest, TheWheelFiresTheBarsEventsFirstAndScrollsWhenNoneTakesIt)
{
    Form->Show();
    SetForegroundWindow(Form->Handle());
    auto* bar = Make<TspSkinScrollBar>(10, 10, 200, 20);
    bar->SetCanFocused(true);
    bar->SetRange(0, 100, 10, 50);
    bar->SetSmallChange(3);
    ::SetFocus(bar->Handle());
    ASSERT_TRUE(bar->Focused()) << "Wine sends the wheel to the focused window";
    std::vector<std::string> log;
    bool takeWheel = true, takeNotch = false;
    bar->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        log.push_back("wheel " + std::to_string(delta));
        handled = takeWheel;
    };
    bar->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& handled) {
        log.push_back("down");
        handled = takeNotch;
    };
    bar->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
        log.push_back("up");
        handled = takeNotch;
    };
    const POINT at = bar->ClientToScreen(POINT{100, 10});
    testsupport::MouseAt(at);
    const auto notch = [&](int delta, size_t events) {
        log.clear();
        testsupport::MouseAt(at, MOUSEEVENTF_WHEEL, delta);
        EXPECT_TRUE(PumpUntil([&] { return log.size() >= events; })) << "the notch " << delta << " never arrived";
    };

    notch(-WHEEL_DELTA, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"wheel -120"}));
    EXPECT_EQ(bar->Position(), 50) << "taken by OnMouseWheel";
    takeWheel = false;
    takeNotch = true;
    notch(-WHEEL_DELTA, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"wheel -120", "down"}));
    EXPECT_EQ(bar->Position(), 50) << "taken by OnMouseWheelDown";
    takeNotch = false;
    notch(-WHEEL_DELTA, 2);
    EXPECT_EQ(bar->Position(), 53);
    notch(WHEEL_DELTA, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"wheel 120", "up"}));
    EXPECT_EQ(bar->Position(), 50);

    // Windows 10 sends the wheel to the window under the pointer, focused
    // or not (Wine never to an unfocused one: the message is sent here as
    // Windows would). Part notches add up in the bar and stay there.
    auto* plain = Make<TspSkinScrollBar>(10, 40, 200, 20);
    plain->SetRange(0, 100, 10, 50);
    int formWheels = 0;
    Form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) { ++formWheels; };
    const auto turn = [&](int delta) {
        SendMessageA(plain->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y + 30));
    };
    turn(-WHEEL_DELTA);
    EXPECT_EQ(plain->Position(), 51) << "an unfocused bar scrolls";
    turn(60);
    EXPECT_EQ(plain->Position(), 51);
    turn(60);
    EXPECT_EQ(plain->Position(), 50) << "two half notches up";
    EXPECT_EQ(formWheels, 0) << "the bar kept its part notches";
}

TEST_F(SkinScrollBarTest, UpDownStepsOnReleaseAndDrawsItsLooks)
{
    TTestSkin skin(Skin, {Picture()});
    auto* updown = Make<TspSkinUpDown>(10, 10, 40, 20, skin.Data.get(), "updown");
    int changes = 0;
    updown->OnChange = [&](TObject*) { ++changes; };
    updown->SetIncrement(5);
    Mouse(updown, WM_MOUSEMOVE, 10, 10);
    EXPECT_TRUE(Near(Painted(updown, 10, 10), Green));
    Mouse(updown, WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(updown->Position(), 0) << "no step at the press";
    Mouse(updown, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(updown->Position(), 5);
    Mouse(updown, WM_LBUTTONDOWN, 30, 10);
    SendMessageA(updown->Handle(), WM_TIMER, 1, 0);  // only sets the pace
    SendMessageA(updown->Handle(), WM_TIMER, 1, 0);
    Mouse(updown, WM_LBUTTONUP, 30, 10);
    EXPECT_EQ(updown->Position(), 0) << "the held button's step on the timer, none on the release";
    EXPECT_EQ(changes, 2);
}

}  // namespace

// A view's bar reaches positions past the 16 bits a scroll message carries
// (the tree's window reads them as signed ones): the view scrolls to the
// bar's position exactly.
TEST_F(SkinScrollBarTest, ViewsScrollToTheBarsPositionPastSixteenBits)
{
    auto* list = Make<TspSkinCustomListView>(10, 10, 150, 100);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("Fish");
    auto* tree = Make<TspSkinCustomTreeView>(170, 10, 150, 100);
    SendMessageA(tree->Handle(), WM_SETREDRAW, FALSE, 0);  // filled in a second, not in minutes
    for (int i = 0; i < 33000; ++i)
        tree->Items()->Add(nullptr, "Carp");
    SendMessageA(tree->Handle(), WM_SETREDRAW, TRUE, 0);
    for (int i = 0; i < 100; ++i)
        list->Items()->Add();
    for (const int target : {32990, 90}) {
        auto* bar = Make<TspSkinScrollBar>(0, 120, 20, 100);
        bar->SetKind(sbVertical);
        const bool isTree = target > 100;
        isTree ? tree->SetVScrollBar(bar) : list->SetVScrollBar(bar);
        bar->SetPosition(target);
        if (isTree)
            EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0),
                      reinterpret_cast<LRESULT>(tree->Items()->Top(target)->ItemId()));
        else
            EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETTOPINDEX, 0, 0), target);
    }
    SendMessageA(tree->Handle(), WM_SETREDRAW, FALSE, 0);
}
