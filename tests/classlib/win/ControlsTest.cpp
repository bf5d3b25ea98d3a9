// Controls under Wine: layout, notifications reflected to the child they
// concern, windowless children painted and fed by their parent, font and
// colour inheritance, foreign parent windows, keys and exceptions.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "UiTestSupport.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/StdCtrls.h"

namespace {

using uitest::UiTest;

class ControlsTest : public UiTest {
protected:
    static TForm* NewForm(int clientWidth, int clientHeight) { return MakeForm(clientWidth, clientHeight, false); }

    static TWinControl* NewChild(TWinControl* parent, TAlign align, int left, int top, int width, int height)
    {
        auto* child = new TWinControl(parent);
        child->SetBounds(left, top, width, height);
        child->SetParent(parent);
        child->SetAlign(align);
        return child;
    }

    // The window's rectangle in its parent's client coordinates.
    static RECT WindowBounds(HWND wnd)
    {
        RECT rect{};
        GetWindowRect(wnd, &rect);
        MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
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
    TForm* form = NewForm(400, 300);
    form->DisableAlign();
    TWinControl* client = NewChild(form, alClient, 0, 0, 10, 10);
    TWinControl* top2 = NewChild(form, alTop, 0, 50, 10, 20);
    TWinControl* top1 = NewChild(form, alTop, 0, 0, 10, 30);
    TWinControl* bottom = NewChild(form, alBottom, 0, 0, 10, 25);
    TWinControl* left = NewChild(form, alLeft, 0, 0, 40, 10);
    TWinControl* right = NewChild(form, alRight, 0, 0, 60, 10);
    TWinControl* hidden = NewChild(form, alTop, 0, 0, 10, 99);
    hidden->Hide();
    client->SetName("client");
    top1->SetName("top1");
    top2->SetName("top2");
    form->EnableAlign();
    form->Show();
    ASSERT_EQ(form->ClientWidth(), 400);
    ASSERT_EQ(form->ClientHeight(), 300);

    // Two top strips keep the order of their positions, not of creation.
    ExpectBounds(top1, 0, 0, 400, 30);
    ExpectBounds(top2, 0, 30, 400, 20);
    ExpectBounds(bottom, 0, 275, 400, 25);
    ExpectBounds(left, 0, 50, 40, 225);
    ExpectBounds(right, 340, 50, 60, 225);
    ExpectBounds(client, 40, 50, 300, 225);
    const RECT real = WindowBounds(client->Handle());
    EXPECT_TRUE(real.left == 40 && real.top == 50 && real.right == 340 && real.bottom == 275);

    // Resizing the form lays the strips out again.
    int resized = 0;
    client->OnResize = [&](TObject*) { ++resized; };
    form->SetClientWidth(500);
    form->SetClientHeight(200);
    ExpectBounds(top1, 0, 0, 500, 30);
    ExpectBounds(bottom, 0, 175, 500, 25);
    ExpectBounds(right, 440, 50, 60, 125);
    ExpectBounds(client, 40, 50, 400, 125);
    EXPECT_GE(resized, 1);

    // A strip that shows up or changes its height moves the others.
    hidden->SetTop(-5);
    hidden->Show();
    ExpectBounds(hidden, 0, 0, 500, 99);
    ExpectBounds(top1, 0, 99, 500, 30);
    top1->SetHeight(10);
    ExpectBounds(client, 40, 129, 400, 46);

    // BorderWidth leaves a margin all around.
    hidden->Hide();
    form->SetBorderWidth(5);
    ExpectBounds(top1, 5, 5, 490, 10);
    ExpectBounds(bottom, 5, 170, 490, 25);
}

TEST_F(ControlsTest, AnchoredChildrenKeepTheirDistancesToTheEdges)
{
    TForm* form = NewForm(300, 200);
    TWinControl* stretch = NewChild(form, alNone, 10, 10, 280, 20);
    stretch->SetAnchors(akLeft | akTop | akRight);
    TWinControl* corner = NewChild(form, alNone, 200, 150, 90, 40);
    corner->SetAnchors(akRight | akBottom);
    TWinControl* fixed = NewChild(form, alNone, 10, 50, 30, 30);
    TWinControl* both = NewChild(form, alNone, 10, 100, 30, 30);
    both->SetAnchors(akTop | akBottom | akLeft);
    form->Show();

    form->SetClientWidth(400);
    form->SetClientHeight(260);
    ExpectBounds(stretch, 10, 10, 380, 20);
    ExpectBounds(corner, 300, 210, 90, 40);
    ExpectBounds(fixed, 10, 50, 30, 30);
    ExpectBounds(both, 10, 100, 30, 90);

    form->SetClientWidth(250);
    ExpectBounds(stretch, 10, 10, 230, 20);
    ExpectBounds(corner, 150, 210, 90, 40);
    const RECT real = WindowBounds(corner->Handle());
    EXPECT_EQ(real.left * 1000 + real.top, 150210) << "the window follows";
}

TEST_F(ControlsTest, ButtonClickFiresOnClickOnceAndSetsTheModalResult)
{
    TForm* form = NewForm(200, 100);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetCaption("OK");
    button->SetModalResult(mrOk);
    int clicks = 0;
    button->OnClick = [&](TObject* sender) { clicks += sender == button ? 1 : 100; };
    form->Show();
    const HWND wnd = button->Handle();
    char className[16] = {};
    GetClassNameA(wnd, className, sizeof(className));
    EXPECT_STRCASEEQ(className, "Button");
    EXPECT_EQ((GetWindowLongA(wnd, GWL_STYLE) & (0xF | WS_TABSTOP)), BS_PUSHBUTTON | WS_TABSTOP);
    EXPECT_EQ(WindowText(wnd), "OK");

    SendMessageA(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), mrOk);

    // The caption set on the window is what the control reads back.
    SetWindowTextA(wnd, "Apply");
    EXPECT_EQ(button->Caption(), "Apply");
    button->RecreateWnd();
    EXPECT_NE(button->Handle(), wnd);
    EXPECT_EQ(button->Caption(), "Apply");
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlsTest, NotificationsAreReflectedToTheChildTheyConcern)
{
    TForm* form = NewForm(200, 100);
    auto* probe = new TProbe(form);
    probe->SetBounds(10, 10, 100, 20);
    probe->SetParent(form);
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

    // A notification from a window that is not a control stays with the parent.
    NMHDR foreign{parent, 0, 1};
    probe->Reflected.clear();
    SendMessageA(parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&foreign));
    EXPECT_TRUE(probe->Reflected.empty());
}

TEST_F(ControlsTest, CheckBoxesTakeTheFormColourThroughCtlColor)
{
    TForm* form = NewForm(200, 100);
    auto* probe = new TProbe(form);
    probe->SetParent(form);
    form->SetColor(RGB(10, 120, 200));
    form->Show();
    EXPECT_EQ(probe->Color(), form->Color()) << "ParentColor";

    const HDC dc = GetDC(probe->Handle());
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(probe->Handle())));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH info{};
    GetObjectA(brush, sizeof(info), &info);
    EXPECT_EQ(info.lbColor, RGB(10, 120, 200));
    EXPECT_EQ(GetBkColor(dc), RGB(10, 120, 200));

    // A system colour is resolved; a new colour gives a new brush.
    form->SetColor(clBtnFace);
    brush = reinterpret_cast<HBRUSH>(
        SendMessageA(form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(probe->Handle())));
    GetObjectA(brush, sizeof(info), &info);
    EXPECT_EQ(info.lbColor, GetSysColor(COLOR_BTNFACE));
    ReleaseDC(probe->Handle(), dc);
}

TEST_F(ControlsTest, GraphicControlPaintsOnItsParentAndGetsItsMouseMessages)
{
    TForm* form = NewForm(200, 150);
    form->SetColor(RGB(0, 0, 255));
    auto* swatch = new TSwatch(form);
    swatch->SetBounds(20, 30, 50, 40);
    swatch->SetParent(form);
    form->Show();
    Activate(form);
    UpdateWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return swatch->Paints > 0; }));
    UpdateWindow(form->Handle());

    const HWND wnd = form->Handle();
    EXPECT_TRUE(Near(PixelOf(wnd, 25, 35), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(PixelOf(wnd, 69, 69), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(PixelOf(wnd, 70, 50), RGB(0, 0, 255))) << "clipped to the control";
    EXPECT_TRUE(Near(PixelOf(wnd, 10, 10), RGB(0, 0, 255)));

    swatch->Fill = RGB(0, 255, 0);
    swatch->Repaint();
    EXPECT_TRUE(Near(PixelOf(wnd, 40, 50), RGB(0, 255, 0)));
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
    swatch->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    swatch->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    int formDowns = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; };

    SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(25, 35));
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
    // Pressed inside, released outside: captured, but no click.
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(21, 31));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 140));
    SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(150, 140));
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 140));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 140));
    const std::vector<std::string> expected{"enter", "down 0 5,5", "click", "up 10,10", "down 0 1,1",
                                            "up 130,110", "leave"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(formDowns, 1);
}

TEST_F(ControlsTest, FontsAndColoursComeFromTheParentUntilSetOwn)
{
    TForm* form = NewForm(200, 100);
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    auto* inner = new TButton(form);
    inner->SetParent(panel);
    auto* swatch = new TSwatch(form);
    swatch->SetParent(panel);
    form->Show();

    form->Font()->SetName("Arial");
    form->Font()->SetHeight(-20);
    form->Font()->SetStyle(fsBold);
    for (TControl* control : std::vector<TControl*>{panel, inner, swatch}) {
        EXPECT_TRUE(control->Font()->Height() == -20 && control->Font()->Name() == "Arial" &&
                    control->Font()->Style() == fsBold && control->ParentFont());
    }
    // The window uses the control's font.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(inner->Handle(), WM_GETFONT, 0, 0)), inner->Font()->Handle());

    panel->Font()->SetHeight(-30);
    EXPECT_FALSE(panel->ParentFont());
    EXPECT_EQ(inner->Font()->Height(), -30);
    form->Font()->SetHeight(-12);
    EXPECT_EQ(panel->Font()->Height(), -30) << "own font kept";
    EXPECT_EQ(inner->Font()->Height(), -30);
    panel->SetParentFont(true);
    EXPECT_EQ(panel->Font()->Height(), -12);
    EXPECT_EQ(swatch->Font()->Height(), -12);

    // A control moved to another parent takes that parent's font and colour.
    auto* other = new TWinControl(form);
    other->SetParent(form);
    other->SetParentFont(false);
    other->Font()->SetHeight(-40);
    other->SetColor(clRed);
    swatch->SetParent(other);
    EXPECT_EQ(swatch->Font()->Height(), -40);
    EXPECT_EQ(swatch->Color(), clRed);

    form->SetColor(clLime);
    EXPECT_EQ(panel->Color(), clLime);
    EXPECT_EQ(inner->Color(), clLime);
    EXPECT_EQ(other->Color(), clRed);
}

TEST_F(ControlsTest, ChildrenAreListedInIndexOrderAndFreedWithTheirParent)
{
    struct TTracked : TWinControl {
        TTracked(TComponent* owner, int* freed) : TWinControl(owner), Freed(freed) {}
        ~TTracked() override { ++*Freed; }
        int* Freed;
    };
    int freed = 0;
    auto* form = NewForm(100, 100);
    auto* panel = new TWinControl(nullptr);
    panel->SetParent(form);
    auto* a = new TTracked(nullptr, &freed);
    auto* b = new TSwatch(nullptr);
    auto* c = new TTracked(nullptr, &freed);
    a->SetParent(panel);
    b->SetParent(panel);
    c->SetParent(panel);
    ASSERT_EQ(panel->ControlCount(), 3);
    EXPECT_TRUE(panel->Controls(0) == a && panel->Controls(1) == b && panel->Controls(2) == c);
    EXPECT_THROW(panel->Controls(3), EListError);

    a->SetParent(form);
    EXPECT_EQ(panel->ControlCount(), 2);
    EXPECT_EQ(panel->Controls(0), b);
    EXPECT_EQ(form->Controls(form->ControlCount() - 1), a);

    form->Show();
    const HWND cWnd = c->Handle();
    EXPECT_EQ(GetParent(cWnd), panel->Handle());
    delete panel;
    EXPECT_EQ(freed, 1) << "c freed with its parent";
    EXPECT_FALSE(IsWindow(cWnd));
    EXPECT_EQ(form->ControlCount(), 1);
}

TEST_F(ControlsTest, WindowsAreMadeOnDemandAndNeedAParent)
{
    auto* orphan = new TWinControl(nullptr);
    orphan->SetName("Orphan");
    EXPECT_FALSE(orphan->HandleAllocated());
    EXPECT_EQ(uitest::ErrorOf<EInvalidOperation>([&] { orphan->Handle(); }), "Control 'Orphan' has no parent window");
    TForm* form = NewForm(100, 100);
    orphan->SetBounds(5, 6, 30, 20);
    orphan->SetCaption("text");
    orphan->SetParent(form);
    EXPECT_FALSE(orphan->HandleAllocated()) << "the form has no window yet";
    const HWND wnd = orphan->Handle();
    EXPECT_TRUE(form->HandleAllocated()) << "the parent's window comes first";
    EXPECT_EQ(orphan->Text(), "text");
    orphan->DestroyHandle();
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_FALSE(orphan->HandleAllocated());
    EXPECT_EQ(orphan->Text(), "text");
    EXPECT_EQ(orphan->ClientOrigin().x, form->ClientOrigin().x + 5);
    EXPECT_EQ(orphan->ClientToScreen(POINT{1, 1}).y, form->ClientOrigin().y + 7);
    EXPECT_EQ(orphan->ScreenToClient(orphan->ClientToScreen(POINT{3, 4})).x, 3);
}

TEST_F(ControlsTest, ParentWindowEmbedsAControlInAForeignWindow)
{
    const HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 50, 60, 300, 200, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    auto* control = new TWinControl(nullptr);
    control->SetBounds(10, 20, 100, 50);
    control->SetParentWindow(host);
    ASSERT_TRUE(control->HandleAllocated()) << "a visible control gets its window at once";
    EXPECT_EQ(GetParent(control->Handle()), host);
    EXPECT_NE(GetWindowLongA(control->Handle(), GWL_STYLE) & WS_CHILD, 0);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    EXPECT_EQ(control->ClientOrigin().x, origin.x + 10);
    EXPECT_EQ(control->ClientOrigin().y, origin.y + 20);

    // A form embedded the same way becomes a child window without caption.
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetParentWindow(host);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    EXPECT_EQ(GetParent(form->Handle()), host);
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & (WS_CHILD | WS_CAPTION), WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    delete form;
    delete control;
    EXPECT_TRUE(IsWindow(host));
    DestroyWindow(host);
}

TEST_F(ControlsTest, KeysAndMessagesReachTheControlThroughItsReplaceableWindowProc)
{
    TForm* form = NewForm(100, 100);
    auto* control = new TWinControl(form);
    control->SetParent(form);
    std::string typed;
    std::vector<WORD> downs;
    control->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        downs.push_back(key);
        if (key == VK_F2)
            key = 0;
    };
    control->OnKeyPress = [&](TObject*, char& key) {
        typed += key;
        if (key == 'a')
            key = 'b';
    };
    // WindowProc sees every message and may answer or pass it on.
    std::vector<WPARAM> passed;
    std::vector<UINT> seen;
    const auto previous = control->WindowProc;
    control->WindowProc = [&](TMessage& message) {
        seen.push_back(message.Msg);
        if (message.Msg == WM_USER + 5) {
            message.Result = 5;
            return;
        }
        previous(message);
        if (message.Msg == WM_CHAR)
            passed.push_back(message.WParam);
    };
    form->Show();
    Activate(form);
    control->SetFocus();
    EXPECT_TRUE(control->Focused());
    SendMessageA(control->Handle(), WM_KEYDOWN, VK_F2, 0);
    SendMessageA(control->Handle(), WM_KEYDOWN, VK_F3, 0);
    SendMessageA(control->Handle(), WM_CHAR, 'a', 0);
    EXPECT_EQ(downs, (std::vector<WORD>{VK_F2, VK_F3}));
    EXPECT_EQ(typed, "a");
    EXPECT_EQ(passed, (std::vector<WPARAM>{'b'})) << "OnKeyPress changed the key before the default processing";

    EXPECT_EQ(SendMessageA(control->Handle(), WM_USER + 5, 0, 0), 5);
    EXPECT_EQ(control->Perform(WM_USER + 5, 0, 0), 5);
    SendMessageA(control->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    EXPECT_EQ(control->Text(), "abc") << "passed on to the default processing";
    EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETTEXT)), seen.end());
}

TEST_F(ControlsTest, ExceptionInAnEventHandlerReachesOnExceptionAndTheLoopGoesOn)
{
    TForm* form = NewForm(200, 100);
    auto* button = new TButton(form);
    button->SetParent(form);
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        if (clicks == 1)
            throw EConvertError("bad click");
        throw std::runtime_error("worse click");
    };
    form->Show();
    EXPECT_TRUE(RunScenario([&] {
        PostMessageA(button->Handle(), BM_CLICK, 0, 0);
        PostMessageA(button->Handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
    }));
    EXPECT_EQ(Errors, (std::vector<std::string>{"bad click", "worse click"}));
    ASSERT_EQ(ErrorSenders.size(), 2u);
    EXPECT_EQ(ErrorSenders[0], form) << "caught where the form's window procedure ends";
    EXPECT_TRUE(IsWindow(button->Handle()));
}

}  // namespace
