// Controls under Wine: layout, reflected notifications, windowless
// children, popup menus, hints and dragging. (An exception from a handler
// is reported where the window procedure ends: the application tests.)
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/HintWindow.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/StdCtrls.h"

namespace {

using uitest::UiTest;

class ControlsTest : public UiTest {
protected:
    static TWinControl* NewChild(TWinControl* parent, TAlign align, int left, int top, int width, int height)
    {
        auto* child = AddControl<TWinControl>(parent, left, top, width, height);
        child->SetAlign(align);
        return child;
    }
};

void ExpectBounds(TControl* control, int left, int top, int width, int height)
{
    EXPECT_EQ(control->Left(), left) << control->Name();
    EXPECT_EQ(control->Top(), top) << control->Name();
    EXPECT_EQ(control->Width(), width) << control->Name();
    EXPECT_EQ(control->Height(), height) << control->Name();
}

// A windowless control that fills itself with one colour and records paints.
class TSwatch : public TGraphicControl {
public:
    explicit TSwatch(TComponent* owner) : TGraphicControl(owner) {}
    TColor Fill = clRed;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(RECT{0, 0, Width(), Height()});
    }
};

// A check box through the subclassing path, recording reflected messages.
class TProbe : public TWinControl {
public:
    explicit TProbe(TComponent* owner) : TWinControl(owner) {}
    std::vector<UINT> Reflected;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "BUTTON");
        params.Style |= BS_AUTOCHECKBOX;
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg >= CN_BASE && message.Msg < CN_BASE + 0x400)
            Reflected.push_back(message.Msg);
        if (message.Msg == CN_NOTIFY || message.Msg == CN_MEASUREITEM) {
            message.Result = 77;
            return;
        }
        TWinControl::WndProc(message);
    }
};

TEST_F(ControlsTest, AlignedChildrenTakeTheirStripsAndFollowResizes)
{
    TForm* form = MakeForm(400, 300, false);
    form->DisableAlign();
    TWinControl* client = NewChild(form, alClient, 0, 0, 10, 10);
    TWinControl* top2 = NewChild(form, alTop, 0, 50, 10, 20);
    TWinControl* top1 = NewChild(form, alTop, 0, 0, 10, 30);
    TWinControl* bottom = NewChild(form, alBottom, 0, 0, 10, 25);
    TWinControl* left = NewChild(form, alLeft, 0, 0, 40, 10);
    TWinControl* right = NewChild(form, alRight, 0, 0, 60, 10);
    form->EnableAlign();
    form->Show();
    ASSERT_EQ(form->ClientWidth(), 400);
    ASSERT_EQ(form->ClientHeight(), 300);

    // Two top strips keep the order of their positions, not of creation.
    ExpectBounds(top1, 0, 0, 400, 30);
    ExpectBounds(top2, 0, 30, 400, 20);
    ExpectBounds(left, 0, 50, 40, 225);
    ExpectBounds(right, 340, 50, 60, 225);
    ExpectBounds(client, 40, 50, 300, 225);
    RECT real{};  // the window's own rectangle, in the form's client coordinates
    GetWindowRect(client->Handle(), &real);
    MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&real), 2);
    EXPECT_TRUE(real.left == 40 && real.top == 50 && real.right == 340 && real.bottom == 275);

    // Resizing the form lays the strips out again.
    int resized = 0;
    client->OnResize = [&](TObject*) { ++resized; };
    form->SetClientWidth(500);
    form->SetClientHeight(200);
    ExpectBounds(right, 440, 50, 60, 125);
    ExpectBounds(client, 40, 50, 400, 125);
    EXPECT_GE(resized, 1);

    // A strip that changes its height moves the others; BorderWidth leaves a margin.
    top1->SetHeight(10);
    form->SetBorderWidth(5);
    ExpectBounds(top1, 5, 5, 490, 10);
    ExpectBounds(bottom, 5, 170, 490, 25);
}

TEST_F(ControlsTest, NotificationsAreReflectedToTheChildTheyConcern)
{
    TForm* form = MakeForm(200, 100, false);
    auto* probe = AddControl<TProbe>(form, 10, 10, 100, 20);
    form->Show();
    const HWND parent = form->Handle();
    const HWND child = probe->Handle();

    NMHDR header{child, 0, 1};
    EXPECT_EQ(SendMessageA(parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)), 77);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = static_cast<UINT>(GetDlgCtrlID(child));
    EXPECT_EQ(SendMessageA(parent, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure)), 77);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = child;
    SendMessageA(parent, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    SendMessageA(child, BM_CLICK, 0, 0);  // BN_CLICKED through WM_COMMAND
    const std::vector<UINT> expected{CN_NOTIFY, CN_MEASUREITEM, CN_DRAWITEM, CN_COMMAND};
    std::vector<UINT> seen;
    for (UINT msg : probe->Reflected) {
        if (msg != CN_CTLCOLORSTATIC && msg != CN_CTLCOLORBTN)
            seen.push_back(msg);
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(ControlsTest, GraphicControlPaintsOnItsParentAndGetsItsMouseMessages)
{
    TForm* form = MakeForm(200, 150, false);
    form->SetColor(RGB(0, 0, 255));
    auto* swatch = AddControl<TSwatch>(form, 20, 30, 50, 40);
    form->Show();
    Activate(form);
    UpdateWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return swatch->Paints > 0; }));
    UpdateWindow(form->Handle());

    const HWND wnd = form->Handle();
    EXPECT_TRUE(Near(PixelOf(wnd, 25, 35), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(PixelOf(wnd, 70, 50), RGB(0, 0, 255))) << "clipped to the control";
    swatch->Hide();
    UpdateWindow(wnd);
    EXPECT_TRUE(Near(PixelOf(wnd, 40, 50), RGB(0, 0, 255))) << "hidden: the parent's colour";
    swatch->Show();

    // Mouse messages of the parent reach the control in its own coordinates.
    std::vector<std::string> events;
    swatch->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        events.push_back("down " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    swatch->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    swatch->OnClick = [&](TObject*) { events.push_back("click"); };
    int formDowns = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; };

    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    // Pressed inside, released outside: captured, but no click.
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(21, 31));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 140));
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 140));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 140));
    const std::vector<std::string> expected{"down 0 5,5", "click", "up 10,10", "down 0 1,1", "up 130,110"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(formDowns, 1);
}

// Notes where and for whom it would show instead of opening a native menu.
class TNotingPopupMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    std::vector<std::string> Shown;
    void Popup(int x, int y) override
    {
        Shown.push_back(PopupComponent()->Name() + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

// A right click (the window's WM_CONTEXTMENU) shows the popup menu of the
// control under it at the cursor, a windowless one's too; a control without
// one leaves it to its parent; AutoPopup off shows nothing.
TEST_F(ControlsTest, RightClickShowsThePopupMenuOfTheControlUnderIt)
{
    TForm* form = MakeForm(300, 200);
    form->SetName("Form");
    auto* menu = new TNotingPopupMenu(form);
    auto* panel = AddControl<TPanel>(form, 10, 10, 100, 80);
    auto* swatch = AddControl<TSwatch>(form, 150, 10, 50, 50);
    auto* plain = AddControl<TPanel>(form, 10, 100, 100, 80);
    panel->SetName("Panel");
    swatch->SetName("Swatch");
    for (TControl* control : std::initializer_list<TControl*>{form, panel, swatch})
        control->SetPopupMenu(menu);
    const POINT origin = form->ClientToScreen(POINT{0, 0});
    const auto rightClick = [](HWND wnd, int x, int y) {
        SendMessageA(wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
        SendMessageA(wnd, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    };
    rightClick(panel->Handle(), 5, 6);
    rightClick(form->Handle(), 160, 20);
    rightClick(plain->Handle(), 1, 2);
    const auto at = [&](const char* name, int x, int y) {
        return std::string(name) + " " + std::to_string(origin.x + x) + "," + std::to_string(origin.y + y);
    };
    EXPECT_EQ(menu->Shown, (std::vector<std::string>{at("Panel", 15, 16), at("Swatch", 160, 20), at("Form", 11, 102)}));
    menu->AutoPopup = false;
    rightClick(panel->Handle(), 5, 6);
    EXPECT_EQ(menu->Shown.size(), 3u);
    delete menu;
    EXPECT_EQ(panel->PopupMenu(), nullptr) << "a freed menu is forgotten";
}

// With the application's hints on, a control's hint shows after the pause
// while the cursor rests on it, when its own or its parent's ShowHint is on.
TEST_F(ControlsTest, HintShowsAfterThePauseWhereShowHintIsOnOwnOrInherited)
{
    Application->SetShowHint(true);
    Application->HintPause = 30;
    TForm* form = MakeForm(300, 200);
    form->SetShowHint(true);
    auto* inherits = AddControl<TPanel>(form, 0, 0, 100, 100);
    auto* off = AddControl<TPanel>(form, 100, 0, 100, 100);
    off->SetShowHint(false);
    auto* insideOff = AddControl<TSwatch>(off, 10, 10, 30, 30);
    auto* ownOn = AddControl<TSwatch>(off, 50, 10, 30, 30);
    ownOn->SetShowHint(true);
    const struct {
        TControl* Control;
        const char* Hint;
        bool Shows;
    } cases[] = {{inherits, "inherits on", true},
                 {insideOff, "inherits off", false},
                 {ownOn, "own on", true},
                 {off, "own off", false}};
    THintWindow* window = Application->HintWindow();
    for (const auto& c : cases) {
        c.Control->SetHint(c.Hint);
        SetCursorPos(c.Control->ClientToScreen(POINT{2, 2}).x, c.Control->ClientToScreen(POINT{2, 2}).y);
        const bool shown = PumpUntil([&] { return IsWindowVisible(window->Handle()) && window->Caption() == c.Hint; },
                                     std::chrono::milliseconds(c.Shows ? 2000 : 300));
        EXPECT_EQ(shown, c.Shows) << c.Hint;
        EXPECT_EQ(Application->HintControl(), c.Control) << c.Hint;
    }
    delete off;
    EXPECT_EQ(Application->HintControl(), nullptr) << "a freed control is forgotten";
    Application->SetShowHint(false);
    Application->HintPause = 500;
}

// An automatic drag starts on the press; the control under the cursor
// accepts or not, which the cursor shows; the release drops only on an
// accepting target, and the source hears where it ended.
TEST_F(ControlsTest, AutomaticDragAsksTargetsShowsItInTheCursorAndDropsOnAnAcceptingOne)
{
    TForm* form = MakeForm(300, 200);
    auto* source = AddControl<TPanel>(form, 10, 10, 50, 50);
    auto* accepting = AddControl<TPanel>(form, 100, 10, 50, 50);
    AddControl<TSwatch>(form, 200, 10, 50, 50);  // refuses
    source->SetDragMode(dmAutomatic);
    source->SetDragCursor(crHandPoint);
    std::vector<std::string> log;
    source->OnStartDrag = [&](TObject*) { log.push_back("start"); };
    source->OnEndDrag = [&](TObject*, TObject* target, int x, int y) {
        log.push_back(std::string("end ") + (target == accepting ? "on target " : "nowhere ") + std::to_string(x) +
                      "," + std::to_string(y));
    };
    accepting->OnDragOver = [&](TObject*, TObject* from, int x, int y, TDragState state, bool& accept) {
        log.push_back("over " + std::to_string(state) + " " + std::to_string(x) + "," + std::to_string(y));
        accept = from == source;
    };
    accepting->OnDragDrop = [&](TObject*, TObject*, int x, int y) {
        log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
    };
    int clicks = 0;
    source->OnClick = [&](TObject*) { ++clicks; };
    const HWND wnd = source->Handle();
    const auto mouse = [&](UINT msg, int formX) {  // along y = 20 of the form
        SendMessageA(wnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(formX - 10, 10));
    };
    for (const int releaseAt : {220, 120}) {
        mouse(WM_LBUTTONDOWN, 20);
        EXPECT_TRUE(source->Dragging());
        mouse(WM_MOUSEMOVE, 110);
        EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint)) << "accepted";
        mouse(WM_MOUSEMOVE, 210);
        EXPECT_EQ(GetCursor(), Screen->Cursors(crNoDrop)) << "refused";
        mouse(WM_MOUSEMOVE, releaseAt);
        mouse(WM_LBUTTONUP, releaseAt);
        EXPECT_FALSE(source->Dragging());
    }
    EXPECT_EQ(log, (std::vector<std::string>{"start", "over 0 10,10", "over 1 110,10", "end nowhere 0,0", "start",
                                             "over 0 10,10", "over 1 110,10", "over 0 20,10", "drop 20,10",
                                             "end on target 20,10"}));
    EXPECT_EQ(clicks, 0) << "the press starts the drag instead";
}

}  // namespace
