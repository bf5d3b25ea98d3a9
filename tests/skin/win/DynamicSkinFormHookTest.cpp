// The skinned form's hook on its form: which messages the form's own
// procedure still sees, the skin-change walk over the controls, the system
// menu and the menu modes (minimizing to the tray icon: TrayIconTest).
#include "DynamicSkinFormTestSupport.h"
#include "classlib/core/ShortCuts.h"
#include "skin/forms/SkinPopupMenu.h"
#include "skin/forms/TrayIcon.h"

using skinformtest::TSkinnedForm;

namespace {

// What the form's own procedure saw of the watched message.
struct TWatch {
    UINT Watched = 0;
    int Reached = 0;
    // Runs when the watched message reaches the form's own procedure.
    std::function<void()> OnReach;
};

// A form whose own procedure counts the messages that reach it, under the
// skinned form's hook (no skin: the default frame).
struct THookedForm : TWatch, TSkinnedForm {
    THookedForm()
        : TSkinnedForm({}, false, [this](TForm& form) {
              auto own = form.WindowProc;
              form.WindowProc = [this, own](TMessage& m) {
                  if (m.Msg == Watched) {
                      ++Reached;
                      if (OnReach)
                          OnReach();
                  }
                  own(m);
              };
          })
    {
    }
    int Reaching(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr)
    {
        Watched = msg;
        Reached = 0;
        const LRESULT r = SendMessageA(Form->Handle(), msg, wParam, lParam);
        if (result != nullptr)
            *result = r;
        return Reached;
    }
};

// Counts the WM_NCPAINT messages a window gets, ahead of every procedure
// of the form.
struct TNCPaintCounter {
    explicit TNCPaintCounter(HWND window) : Window(window)
    {
        Count = 0;
        Old = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TNCPaintCounter::Proc)));
    }
    ~TNCPaintCounter() { SetWindowLongPtrA(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Old)); }
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m == WM_NCPAINT)
            ++Count;
        return CallWindowProcA(Old, w, m, wp, lp);
    }
    HWND Window;
    static inline int Count = 0;
    static inline WNDPROC Old = nullptr;
};

// Counts the skin-change steps that reach it.
class TCountingControl : public TspSkinControl {
public:
    using TspSkinControl::TspSkinControl;
    void BeforeChangeSkinData() override { ++Befores; }
    void ChangeSkinData() override { ++Changes; }
    int Befores = 0, Changes = 0;
};

// The menu's captions, joined by "|".
std::string Captions(TPopupMenu* menu)
{
    std::string text;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        text += (i > 0 ? "|" : "") + menu->Items()->Items(i)->Caption();
    return text;
}

}  // namespace

// The frame messages are the component's alone; the others reach the form,
// the hook goes with the component, and the caption goes with every window.
TEST(DynamicSkinFormHook, MessageRouting)
{
    THookedForm f;
    EXPECT_EQ(GetWindowLongA(f.Form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    RECT r{0, 0, 240, 140};
    LRESULT result = 0;
    EXPECT_EQ(f.Reaching(WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&r)), 0);
    EXPECT_EQ(r.top, f.Skin->GetDefCaptionHeight() + 3);
    EXPECT_EQ(f.Reaching(WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(f.Reaching(WM_NCHITTEST, 0, MAKELPARAM(110, 105)), 0);
    const HDC dc = GetDC(f.Form->Handle());
    EXPECT_EQ(f.Reaching(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, &result), 0);
    EXPECT_EQ(result, 1);
    ReleaseDC(f.Form->Handle(), dc);
    EXPECT_EQ(f.Reaching(WM_NCACTIVATE, 0, 0, &result), 0);
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(f.Skin->FormActive);
    // These reach the form's procedure once, before the component's work.
    f.Skin->NewWidth = 0;
    int seen = -1;
    f.OnReach = [&] { seen = f.Skin->NewWidth; };
    EXPECT_EQ(f.Reaching(WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100)), 1);
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(f.Skin->NewWidth, f.Form->Width());
    int deactivations = 0;
    f.Skin->OnDeActivate = [&](TObject*) { ++deactivations; };
    f.OnReach = [&] { seen = deactivations; };
    EXPECT_EQ(f.Reaching(WM_ACTIVATE, WA_INACTIVE, 0), 1);
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(deactivations, 1);
    {
        TNCPaintCounter paints(f.Form->Handle());
        f.OnReach = [&] { seen = TNCPaintCounter::Count; };
        EXPECT_EQ(f.Reaching(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new")), 1);
        EXPECT_EQ(seen, 0);
        EXPECT_EQ(TNCPaintCounter::Count, 1);

        // The default frame shows a new caption font at once.
        f.Skin->DefCaptionFont()->SetColor(clRed);
        EXPECT_EQ(TNCPaintCounter::Count, 2);
        f.Skin->DefInActiveCaptionFont()->SetHeight(16);
        EXPECT_EQ(TNCPaintCounter::Count, 3);
    }
    f.OnReach = nullptr;

    // Coordinates are signed: a form on a monitor left of the primary one.
    f.Form->SetBounds(-300, 100, 240, 140);
    EXPECT_EQ(SendMessageA(f.Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(-250, 110)), HTCAPTION);

    f.Form->RecreateWnd();
    f.Form->HandleNeeded();
    EXPECT_EQ(GetWindowLongA(f.Form->Handle(), GWL_STYLE) & WS_CAPTION, 0);

    delete f.Skin;
    EXPECT_EQ(f.Reaching(WM_NCHITTEST, 0, MAKELPARAM(110, 105)), 1);
}

// A maximized form keeps its place while dragged; a captured frame object
// gets the moves the capture makes client messages, at signed window
// points.
TEST(DynamicSkinFormHook, MovingAndCapturedMoves)
{
    THookedForm f;
    f.Skin->SetWindowState(2);
    const RECT bounds = f.Form->BoundsRect();
    RECT moving{bounds.left + 40, bounds.top + 30, bounds.right + 40, bounds.bottom + 30};
    SendMessageA(f.Form->Handle(), WM_MOVING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&moving));
    EXPECT_TRUE(EqualRect(&moving, &bounds));
    f.Skin->SetWindowState(0);

    int moves = 0;
    TPoint at{};
    f.Skin->OnMouseMoveEvent = [&](const std::string&, int x, int y, const TRect&) {
        ++moves;
        at = {x, y};
    };
    SendMessageA(f.Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, 10));
    EXPECT_EQ(moves, 0);
    f.Skin->CaptureObject = 0;
    SendMessageA(f.Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, 10));
    POINT origin{0, 0};
    ClientToScreen(f.Form->Handle(), &origin);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(at.X, origin.x - f.Form->Left() - 5);
    EXPECT_EQ(at.Y, origin.y - f.Form->Top() + 10);
    f.Skin->CaptureObject = -1;
}

// Removing a component clears every property that names it; the component
// freed before its form takes back the handlers it gave the form and the
// tray icon.
TEST(DynamicSkinFormHook, RemovedSkinLeavesNoReference)
{
    THookedForm f;
    auto* data = new TspSkinData(nullptr);
    f.Skin->SetSkinData(data);
    f.Skin->SetMenusSkinData(data);
    delete data;
    EXPECT_EQ(f.Skin->SkinData(), nullptr);
    EXPECT_EQ(f.Skin->MenusSkinData(), nullptr);

    auto* icon = new TspTrayIcon(f.Form.get());
    f.Skin->SetTrayIcon(icon);
    ASSERT_TRUE(icon->OnDblClick && f.Form->OnShortCut);
    delete f.Skin;
    EXPECT_FALSE(f.Form->OnShortCut || icon->OnDblClick);
    EXPECT_EQ(icon->PopupMenu(), nullptr);
}

// The component's tray menu opens with the form's skin of the moment, not
// with the one it first opened with; without a skin it opens with the
// menus' skin.
TEST(DynamicSkinFormHook, TrayMenuFollowsTheFormsSkin)
{
    THookedForm f;
    f.Form->Show();
    auto* first = new TspSkinData(f.Form.get());
    auto* second = new TspSkinData(f.Form.get());
    auto* menus = new TspSkinData(f.Form.get());
    const auto skinOfTrayMenu = [&] {
        f.Skin->TrayMenu()->Popup(150, 150);
        TspSkinData* shown = f.Skin->SkinMenu()->Active() ? f.Skin->SkinMenu()->SkinData() : nullptr;
        f.Skin->SkinMenu()->CloseMenu();
        return shown;
    };
    f.Skin->SetSkinData(first);
    EXPECT_EQ(skinOfTrayMenu(), first);
    f.Skin->SetSkinData(second);
    EXPECT_EQ(skinOfTrayMenu(), second);
    f.Skin->SetMenusSkinData(menus);
    f.Skin->SetSkinData(nullptr);
    EXPECT_EQ(skinOfTrayMenu(), menus);
}

// The skin-change messages re-skin the form only for its own skin, and
// reach exactly the controls of the skin they name, nested ones included.
TEST(DynamicSkinFormHook, SkinChangesReachTheirControls)
{
    THookedForm f;
    auto* own = new TspSkinData(f.Form.get());
    auto* other = new TspSkinData(f.Form.get());
    f.Skin->SetSkinData(own);
    auto* ownControl = new TCountingControl(f.Form.get());
    ownControl->SetParent(f.Form.get());
    ownControl->SetSkinData(own);
    auto* nested = new TCountingControl(f.Form.get());
    nested->SetParent(ownControl);
    nested->SetSkinData(other);
    int reskins = 0;
    f.Skin->OnChangeSkinData = [&](TObject*) { ++reskins; };
    auto send = [&](UINT msg, TspSkinData* skin, LPARAM tag = SkinDataMessageTag) {
        ownControl->Befores = ownControl->Changes = nested->Befores = nested->Changes = 0;
        reskins = 0;
        SendMessageA(f.Form->Handle(), msg, reinterpret_cast<WPARAM>(skin), tag);
    };

    send(WM_SKINDATA_CHANGED, other);
    EXPECT_EQ(reskins, 0);
    EXPECT_EQ(ownControl->Changes, 0);
    EXPECT_EQ(nested->Changes, 1);
    send(WM_SKINDATA_CHANGED, nullptr);
    EXPECT_EQ(ownControl->Changes + nested->Changes, 2);
    send(WM_SKINDATA_CHANGED, own);
    EXPECT_EQ(reskins, 1);
    EXPECT_EQ(ownControl->Changes, 1);
    EXPECT_EQ(nested->Changes, 0);
    send(WM_SKINDATA_CHANGED, own, 999);
    EXPECT_EQ(reskins + ownControl->Changes, 0);

    // A menu shown with a skin closes before that skin's records go.
    ASSERT_TRUE(f.Skin->SkinMenu()->Popup(nullptr, other, 0, {}, f.Skin->GetSystemMenu()->Items(), false));
    send(WM_SKINDATA_BEFORECHANGE, other);
    EXPECT_FALSE(f.Skin->SkinMenu()->Active());
    EXPECT_EQ(ownControl->Befores + nested->Befores, 0);
    send(WM_SKINDATA_BEFORECHANGE, own);
    EXPECT_EQ(ownControl->Befores, 1);
    EXPECT_EQ(nested->Befores, 0);
}

// The system menu offers what the state allows; a user's menu keeps its own
// items between the component's and a final Close, however often it is
// completed.
TEST(DynamicSkinFormHook, SystemMenuByState)
{
    THookedForm f;
    f.Form->SetBorderStyle(bsNone);
    EXPECT_EQ(Captions(f.Skin->GetSystemMenu()), "Mi&nimize|Ma&ximize|Ro&llUp|-|&Close");
    EXPECT_EQ(f.Skin->GetSystemMenu()->Items()->Items(4)->ShortCut(), TextToShortCut("Alt+F4"));
    f.Skin->SetWindowState(1);
    EXPECT_EQ(Captions(f.Skin->GetSystemMenu()), "Ma&ximize|&Restore|-|&Close");
    f.Skin->SetWindowState(0);
    f.Skin->SetRollUpState(true);
    EXPECT_EQ(Captions(f.Skin->GetSystemMenu()), "Mi&nimize|Ma&ximize|&Restore|-|&Close");
    f.Skin->GetSystemMenu()->Items()->Items(2)->Click();
    EXPECT_FALSE(f.Skin->RollUpState);
    f.Skin->SetBorderIcons(biSystemMenu | biMinimize | biRollUp);
    EXPECT_EQ(Captions(f.Skin->GetSystemMenu()), "Mi&nimize|Ro&llUp|-|&Close");

    auto* user = new TPopupMenu(f.Form.get());
    skinformtest::AddItem(user->Items(), "Mine", user, "MineItem");
    f.Skin->SetSystemMenu(user);
    EXPECT_EQ(Captions(f.Skin->GetSystemMenu()), "Mi&nimize|Ro&llUp|Mine|&Close");
    EXPECT_EQ(Captions(f.Skin->GetSystemMenu()), "Mi&nimize|Ro&llUp|Mine|&Close");
}

// The system-menu button opens the menu in skinned-menu mode with the key
// hook; a click closes it and is still handled; the application's own
// handler comes back. Only a key that types an accelerator chooses: F9, F3,
// numpad 3 and numpad '.' have the codes of 'x', 'r', 'c' and 'n' and choose
// nothing from the rolled-up form's Minimize, Maximize, Restore, Close; 'C'
// does, also as the system key without Alt that an active form with no
// focused control gets. Alt alone enters main-menu mode, Escape leaves it.
TEST(DynamicSkinFormHook, MenuModesAndTheKeyHook)
{
    THookedForm f;
    f.Form->Show();
    int own = 0, closes = 0;
    Application->OnMessage = [&](MSG&, bool&) { ++own; };
    f.Form->OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = caNone;
    };
    f.Skin->SetRollUpState(true);
    auto* button = dynamic_cast<TspSkinButtonObject*>(f.Object("sysmenubutton"));
    ASSERT_NE(button, nullptr);
    button->MouseDown(5, 5, mbLeft);
    ASSERT_TRUE(f.Skin->SkinMenu()->Active());
    EXPECT_TRUE(f.Skin->InSkinMenu);
    for (const WORD key : {WORD{'A'}, WORD{VK_F9}, WORD{VK_F3}, WORD{VK_NUMPAD3}, WORD{VK_DECIMAL}}) {
        EXPECT_TRUE(skintest::OfferKey(key));
        ASSERT_TRUE(f.Skin->SkinMenu()->Active()) << "chosen by key " << key;
    }
    EXPECT_EQ(own, 0);
    EXPECT_TRUE(f.Skin->RollUpState && f.Skin->WindowState == 0);

    EXPECT_EQ(f.Reaching(WM_LBUTTONDOWN, 0, MAKELPARAM(20, 20)), 1);
    EXPECT_FALSE(f.Skin->SkinMenu()->Active());
    EXPECT_FALSE(f.Skin->InSkinMenu);
    EXPECT_FALSE(button->Down);
    skintest::OfferKey('A');
    EXPECT_EQ(own, 1);

    button->MouseDown(5, 5, mbLeft);
    MSG c{f.Form->Handle(), WM_SYSKEYDOWN, 'C', 1, 0, {}};
    bool handled = false;
    Application->OnMessage(c, handled);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(f.Skin->SkinMenu()->Active());

    // The system's low bits of the command do not matter.
    EXPECT_EQ(f.Reaching(WM_SYSCOMMAND, SC_KEYMENU | 0x3, 0), 0);
    EXPECT_TRUE(f.Skin->InMainMenu);
    skintest::OfferKey(VK_ESCAPE);
    EXPECT_FALSE(f.Skin->InMainMenu);
    skintest::OfferKey('A');
    EXPECT_EQ(own, 2);
    Application->OnMessage = nullptr;
}

// A handler that other code sets while the key hook is in place stays when
// the hook ends, in main-menu mode and in skinned-menu mode alike; the
// handler the hook took over is not put back over it.
TEST(DynamicSkinFormHook, AnEndingKeyHookLeavesAHandlerSetOverIt)
{
    THookedForm f;
    f.Form->Show();
    int before = 0, over = 0;
    const auto offerOther = [] {
        MSG msg{nullptr, WM_MOUSEMOVE, 0, 0, 0, {}};
        bool handled = false;
        if (Application->OnMessage)
            Application->OnMessage(msg, handled);
    };
    const std::function<void()> enter[] = {[&] { f.Skin->MainMenuEnter(); }, [&] { f.Skin->SkinMenuOpen(); }};
    const std::function<void()> leave[] = {[&] { f.Skin->MainMenuExit(); }, [&] { f.Skin->SkinMenuClose(); }};
    for (int mode = 0; mode < 2; ++mode) {
        Application->OnMessage = [&](MSG&, bool&) { ++before; };
        enter[mode]();
        ASSERT_TRUE(f.Skin->InMainMenu || f.Skin->InSkinMenu) << mode;
        Application->OnMessage = [&](MSG&, bool&) { ++over; };
        leave[mode]();
        offerOther();
        EXPECT_EQ(over, mode + 1) << mode;
        EXPECT_EQ(before, 0) << mode;
    }
    Application->OnMessage = nullptr;
}

// A shortcut key message offered twice in a row is taken once; any other
// key is processed.
TEST(DynamicSkinFormHook, ShortCutTakenOnce)
{
    THookedForm f;
    auto* menu = new TMainMenu(f.Form.get());
    TMenuItem* item = skinformtest::AddItem(menu->Items(), "Refresh", menu, "F5Item");
    item->SetShortCut(TextToShortCut("F5"));
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    f.Skin->SetMainMenu(menu);
    TWMKey f5{WM_KEYDOWN, VK_F5, 0x3F0001, 0};
    TWMKey other{WM_KEYDOWN, 'Q', 0x100001, 0};
    bool handled = false;
    f.Skin->FormShortCut(f5, handled);
    EXPECT_TRUE(handled);
    f.Skin->FormShortCut(f5, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(clicks, 1);
    f.Skin->FormShortCut(f5, handled);
    f.Skin->FormShortCut(other, handled);
    f.Skin->FormShortCut(f5, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(clicks, 3);
}

// The form becomes a layered window with the set transparency, held to
// 100 percent, keeps it when its window is made again, and loses it.
TEST(DynamicSkinFormHook, AlphaBlendMakesALayeredWindow)
{
    THookedForm f;
    ASSERT_TRUE(f.Skin->AlphaBlendSupport());
    auto layered = [&](BYTE* alpha) {
        *alpha = 0;
        GetLayeredWindowAttributes(f.Form->Handle(), nullptr, alpha, nullptr);
        return (GetWindowLongA(f.Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    };
    BYTE alpha = 0;
    f.Skin->SetAlphaBlendValue(40);
    EXPECT_FALSE(layered(&alpha));
    f.Skin->SetAlphaBlend(true);
    EXPECT_TRUE(layered(&alpha));
    EXPECT_EQ(alpha, LayeredWindowAlpha(40));
    f.Skin->SetAlphaBlendValue(150);
    EXPECT_EQ(f.Skin->AlphaBlendValue(), 100);
    f.Form->RecreateWnd();
    f.Form->HandleNeeded();
    EXPECT_TRUE(layered(&alpha));
    EXPECT_EQ(alpha, LayeredWindowAlpha(100));
    f.Skin->SetAlphaBlend(false);
    EXPECT_FALSE(layered(&alpha));
}
