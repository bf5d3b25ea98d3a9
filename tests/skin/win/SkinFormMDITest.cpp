// Skinned MDI forms under Wine: a real MDI frame with a skinned form
// component and a skinned menu bar, and two skinned MDI children, driven by
// real clicks and keys: maximizing by the frame button, the frame's caption
// and the bar's MDI buttons, minimized slots, the MDI client's background,
// Ctrl+F4 and activation by a click, skin changes, the system menu and the
// menu modes of children, an MDI main form that starts in the tray.
#include <cstdlib>

#include "DynamicSkinFormTestSupport.h"
#include "classlib/core/ShortCuts.h"
#include "classlib/ui/Screen.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinPopupWindow.h"
#include "skin/forms/TrayIcon.h"
#include "../../support/RealInput.h"

using namespace skinformtest;

namespace {

void Pump(int rounds = 10)
{
    for (int i = 0; i < rounds; ++i, Sleep(5))
        Application->ProcessMessages();
}

void RealClickAt(POINT screen)
{
    testsupport::LeftClickAt(screen);
    Pump();
}

void TypeCtrlKey(WORD key)
{
    testsupport::CtrlKey(key);
    Pump();
}

// The MDI frame "Frame" (skinned, a skinned menu bar on top) and its two
// skinned children "Child" and "Second", all on one skin.
class DynamicSkinFormMDI : public ::testing::Test {
protected:
    void SetUp() override
    {
        Frame = new TForm(nullptr);
        Frame->SetName("Frame");
        Frame->SetCaption("Frame");
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(40, 40, 420, 320);
        FrameSkin = new TspDynamicSkinForm(Frame);
        Data = new TspSkinData(Frame);
        FillStored(Stored, Options);
        Data->SetStoredSkin(&Stored);
        FrameSkin->SetSkinData(Data);
        Menu = new TMainMenu(Frame);
        AddItem(Menu->Items(), "&File", Menu);
        Bar = new TspSkinMainMenuBar(Frame);
        Bar->SetParent(Frame);
        Bar->SetAlign(alTop);
        Bar->SetMainMenu(Menu);
        Bar->SetDynamicSkinForm(FrameSkin);
        FrameSkin->SetMainMenuBar(Bar);
        Application->SetMainForm(Frame);
        Frame->Show();
        ActivateFrame();
        A = MakeChild("Child", 10, 10, ASkin);
        B = MakeChild("Second", 150, 60, BSkin);
        Pump();
    }
    void TearDown() override
    {
        for (TForm* child : {B, A})
            if (Alive(child))
                delete child;
        delete Frame;
        Application->SetMainForm(nullptr);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
    }
    static bool Alive(TForm* form)
    {
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) == form)
                return true;
        return false;
    }
    TForm* MakeChild(const std::string& caption, int left, int top, TspDynamicSkinForm*& skin)
    {
        auto* child = new TForm(nullptr);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(left, top, 200, 120);
        skin = new TspDynamicSkinForm(child);
        skin->SetSkinData(Data);
        child->Show();
        return child;
    }
    void ActivateFrame()
    {
        SetForegroundWindow(Frame->Handle());
        SetActiveWindow(Frame->Handle());
        SetFocus(Frame->Handle());
    }
    TRect ClientArea() const { return TspDynamicSkinForm::GetMDIClientRect(); }
    // The screen point of a frame object's centre in a child's window.
    static POINT ObjectOnScreen(TForm* child, TspDynamicSkinForm* skin, const std::string& name)
    {
        for (const auto& object : skin->ObjectList)
            if (object->IDName == name) {
                RECT w{};
                GetWindowRect(child->Handle(), &w);
                const TRect& r = object->ObjectRect;
                return {w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2};
            }
        ADD_FAILURE() << "no object " << name;
        return {};
    }
    static COLORREF ScreenPixel(HWND wnd, int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(wnd, &p);
        const HDC dc = GetDC(nullptr);
        const COLORREF colour = GetPixel(dc, p.x, p.y);
        ReleaseDC(nullptr, dc);
        return colour;
    }

    TSkinOptions Options{.FormInfoExtra = "bgpictureindex=1\n"};
    TspStoredSkin Stored{nullptr};
    TForm* Frame = nullptr;
    TspDynamicSkinForm* FrameSkin = nullptr;
    TspSkinData* Data = nullptr;
    TMainMenu* Menu = nullptr;
    TspSkinMainMenuBar* Bar = nullptr;
    TForm* A = nullptr;
    TForm* B = nullptr;
    TspDynamicSkinForm* ASkin = nullptr;
    TspDynamicSkinForm* BSkin = nullptr;
};

// The MDI client sits under the bar; a child maximized by its frame button
// fills it without a frame, the frame's caption names the child, the bar
// shows its MDI buttons; restoring undoes all three.
TEST_F(DynamicSkinFormMDI, AChildMaximizedByItsFrameButtonFillsTheMDIClient)
{
    const HWND client = Frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    RECT r{};
    GetWindowRect(client, &r);
    MapWindowPoints(nullptr, Frame->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, Bar->Height()) << "under the bar";
    EXPECT_EQ(ToTRect(r), ClientArea());
    EXPECT_EQ(GetWindowLongA(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE ? 1 : 0, 1);
    RECT inner{};
    GetClientRect(client, &inner);
    EXPECT_EQ(inner.right, r.right - r.left) << "the hooked client has no border";

    ASSERT_EQ(Frame->ActiveMDIChild(), B);
    // The frame's caption object, drawn before and after: the child's name
    // is added to the text.
    auto drawCaption = [this] {
        TspActiveSkinObject* caption = FrameSkin->ObjectList[0].get();
        auto target = std::make_unique<TTarget>(Frame->Width(), 40);
        caption->Draw(target->Bitmap.Canvas(), true);
        return target;
    };
    const auto plainCaption = drawCaption();
    RealClickAt(ObjectOnScreen(A, ASkin, "maxbutton"));
    EXPECT_EQ(ASkin->WindowState, 2);
    EXPECT_EQ(ToTRect(A->BoundsRect()), (TRect{0, 0, RectWidth(ClientArea()), RectHeight(ClientArea())}));
    RECT ac{};
    GetClientRect(A->Handle(), &ac);
    EXPECT_EQ(ac.right, A->Width()) << "no frame";
    EXPECT_EQ(ac.bottom, A->Height());
    EXPECT_TRUE(FrameSkin->MDIChildMaximized);
    EXPECT_EQ(FrameSkin->FrameCaption(Frame->Caption()), "Frame - [Child]");
    const auto namedCaption = drawCaption();
    int differing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < Frame->Width(); ++x)
            differing += plainCaption->Pixel(x, y) != namedCaption->Pixel(x, y);
    EXPECT_GT(differing, 20) << "the caption object shows the child's name";
    EXPECT_TRUE(Bar->MDIButtonsShown);
    EXPECT_EQ(FrameSkin->GetMaximizedMDIChildSkinForm(), ASkin);
    EXPECT_EQ(FrameSkin->HasMaximizedMDIChild(), ASkin);
    // CORVALEN_MDI_SHOT=<file.bmp> keeps a picture of the frame as it is now.
    if (const char* shot = std::getenv("CORVALEN_MDI_SHOT")) {
        RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        RECT w{};
        GetWindowRect(Frame->Handle(), &w);
        TBitmap picture;
        picture.SetSize(w.right - w.left, w.bottom - w.top);
        const HDC screen = GetDC(nullptr);
        BitBlt(picture.Canvas()->Handle(), 0, 0, w.right - w.left, w.bottom - w.top, screen, w.left, w.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        picture.SaveToFile(shot);
    }

    ASkin->SetWindowState(0);
    EXPECT_EQ(ToTRect(A->BoundsRect()), (TRect{10, 10, 210, 130}));
    EXPECT_FALSE(FrameSkin->MDIChildMaximized);
    EXPECT_FALSE(Bar->MDIButtonsShown);
    EXPECT_EQ(FrameSkin->FrameCaption(Frame->Caption()), "Frame");
}

// Minimized children line up from the MDI client's bottom-left and follow
// its size; restoring gives a child its bounds back.
TEST_F(DynamicSkinFormMDI, MinimizedChildrenStandInTheFirstSlotsOfTheMDIClient)
{
    ASkin->SetWindowState(1);
    BSkin->SetWindowState(1);
    const int w = ASkin->GetMinWidth(), h = ASkin->GetMinHeight();
    int bottom = RectHeight(ClientArea());
    EXPECT_EQ(ToTRect(A->BoundsRect()), (TRect{0, bottom - h, w, bottom}));
    EXPECT_EQ(ToTRect(B->BoundsRect()), (TRect{w, bottom - h, 2 * w, bottom}));
    Frame->SetHeight(Frame->Height() + 40);
    bottom = RectHeight(ClientArea());
    EXPECT_EQ(A->Top(), bottom - h) << "the MDI client's resize re-slots them";
    EXPECT_EQ(B->Top(), bottom - h);
    ASkin->SetWindowState(0);
    EXPECT_EQ(ToTRect(A->BoundsRect()), (TRect{10, 10, 210, 130}));
}

// The MDI client shows the skin's background tile, and the application
// workspace colour once the skin is gone.
TEST_F(DynamicSkinFormMDI, TheMDIClientsBackgroundFollowsTheSkin)
{
    const HWND client = Frame->ClientHandle();
    RECT r{};
    GetClientRect(client, &r);
    const int x = 3, y = r.bottom - 3;  // left of and below both children
    RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(ColoursNear(ScreenPixel(client, x, y), RGB(30 * (x % 7), 40 * (y % 5), 7), 2))
        << std::hex << ScreenPixel(client, x, y);
    Data->ClearAll();
    Data->Empty = true;
    FrameSkin->ChangeSkinData();
    RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(ColoursNear(ScreenPixel(client, x, y), GetSysColor(COLOR_APPWORKSPACE), 2))
        << std::hex << ScreenPixel(client, x, y);
}

// A click activates the other child (only the active one is drawn active);
// Ctrl+F4 closes the active child by its close action, also a maximized
// one, which the frame and the bar then forget.
TEST_F(DynamicSkinFormMDI, AClickActivatesAChildAndCtrlF4ClosesTheActiveOne)
{
    ASSERT_EQ(Frame->ActiveMDIChild(), B);
    int activations = 0;
    ASkin->OnActivate = [&](TObject*) { ++activations; };
    POINT inA{20, 20};
    ClientToScreen(A->Handle(), &inA);
    RealClickAt(inA);
    EXPECT_GT(activations, 0) << "an MDI child is active as its frame says, not as the active window";
    EXPECT_EQ(Frame->ActiveMDIChild(), A);
    EXPECT_TRUE(ASkin->FormActive);
    EXPECT_FALSE(BSkin->FormActive);

    EXPECT_EQ(FrameSkin->GetActiveMDIChildSkinForm(), ASkin);

    A->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    ASkin->SetWindowState(2);
    ASSERT_TRUE(Bar->MDIButtonsShown);
    ActivateFrame();
    TypeCtrlKey(VK_F4);
    for (int i = 0; i < 50 && Alive(A); ++i)
        Pump(1);
    ASSERT_FALSE(Alive(A));
    EXPECT_EQ(Frame->MDIChildCount(), 1);
    EXPECT_FALSE(FrameSkin->MDIChildMaximized);
    EXPECT_FALSE(Bar->MDIButtonsShown);
    EXPECT_EQ(FrameSkin->FrameCaption("Frame"), "Frame");
}

// The active child that was drawn inactive is active again at a mouse
// press; a maximized child whose window goes tells the frame.
TEST_F(DynamicSkinFormMDI, AMousePressActivatesTheActiveChildAndAGoneWindowRestoresTheFrame)
{
    ASSERT_EQ(Frame->ActiveMDIChild(), B);
    BSkin->FormActive = false;
    int activations = 0;
    BSkin->OnActivate = [&](TObject*) { ++activations; };
    SendMessageA(B->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Frame->Handle()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_TRUE(BSkin->FormActive);
    EXPECT_EQ(activations, 1);
    ASkin->FormActive = false;
    SendMessageA(A->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Frame->Handle()),
                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_FALSE(ASkin->FormActive) << "not the active child";

    ASkin->SetWindowState(2);
    ASSERT_TRUE(FrameSkin->MDIChildMaximized);
    A->DestroyHandle();
    EXPECT_EQ(ASkin->WindowState, 0);
    EXPECT_FALSE(FrameSkin->MDIChildMaximized);
    EXPECT_FALSE(Bar->MDIButtonsShown);
}

// A new skin fits a maximized child to the MDI client again.
TEST_F(DynamicSkinFormMDI, ASkinChangeRefitsAMaximizedChild)
{
    ASkin->SetWindowState(2);
    A->SetBounds(3, 4, 50, 60);
    Data->LoadFromStoredSkin(&Stored);
    const TRect filled{0, 0, RectWidth(ClientArea()), RectHeight(ClientArea())};
    EXPECT_EQ(ToTRect(A->BoundsRect()), filled);
    // The announcement that ends a skin change refits on its own.
    A->SetBounds(3, 4, 50, 60);
    SendMessageA(Frame->Handle(), WM_SKINDATA_AFTERCHANGE, reinterpret_cast<WPARAM>(Data), SkinDataMessageTag);
    EXPECT_EQ(ToTRect(A->BoundsRect()), filled);
}

// A child's system menu closes with Ctrl+F4 and, maximized, offers no
// roll-up; its points and its menu's place are taken in its own frame
// inside the MDI client; it snaps to the MDI client's edges.
TEST_F(DynamicSkinFormMDI, AChildsMenusPointsAndSnappingLiveInItsMDIClient)
{
    auto names = [](TPopupMenu* menu) {
        std::string all;
        for (int i = 0; i < menu->Items()->Count(); ++i)
            all += (menu->Items()->Items(i)->Caption() == "-" ? std::string("-") : menu->Items()->Items(i)->Name()) + " ";
        return all;
    };
    TPopupMenu* menu = ASkin->GetSystemMenu();
    TMenuItem* close = menu->Items()->Items(menu->Items()->Count() - 1);
    EXPECT_EQ(close->ShortCut(), TextToShortCut("Ctrl+F4"));
    TPopupMenu* frameMenu = FrameSkin->GetSystemMenu();
    EXPECT_EQ(frameMenu->Items()->Items(frameMenu->Items()->Count() - 1)->ShortCut(), TextToShortCut("Alt+F4"));
    ASkin->SetWindowState(2);
    EXPECT_EQ(names(ASkin->GetSystemMenu()), "DSF_MINITEM DSF_RESTORE - DSF_CLOSE ");
    auto* user = new TPopupMenu(A);
    AddItem(user->Items(), "Own", user, "Own");
    ASkin->SetSystemMenu(user);
    EXPECT_EQ(names(ASkin->GetSystemMenu()), "DSF_MINITEM DSF_RESTORE Own DSF_CLOSE ");
    ASkin->SetSystemMenu(nullptr);
    ASkin->SetWindowState(0);

    POINT origin{0, 0};
    ClientToScreen(A->Handle(), &origin);
    EXPECT_EQ(ASkin->WindowPoint({origin.x + 1, origin.y + 1}), (TPoint{6, 26}));

    // The system menu opens under the caption object of the child's window.
    RECT window{};
    GetWindowRect(A->Handle(), &window);
    TspActiveSkinObject* caption = ASkin->ObjectList[0].get();
    ASkin->PopupUnder(caption, ASkin->GetSystemMenu(), false);
    ASSERT_TRUE(ASkin->InSkinMenu);
    ASSERT_FALSE(ASkin->SkinMenu()->Levels().empty());
    RECT level{};
    GetWindowRect(ASkin->SkinMenu()->Levels()[0]->Handle(), &level);
    EXPECT_EQ(level.left, window.left + caption->ObjectRect.Left);
    EXPECT_EQ(level.top, window.top + caption->ObjectRect.Bottom);

    // The frame's closing messages reach the active child's open menu.
    SendMessageA(Frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(A->Handle()), 0);
    SendMessageA(Frame->Handle(), WM_CANCELMODE, 0, 0);
    Pump();
    EXPECT_FALSE(ASkin->InSkinMenu);

    POINT clientOrigin{ClientArea().Left, ClientArea().Top};
    ClientToScreen(Frame->Handle(), &clientOrigin);
    int x = clientOrigin.x + 7, y = clientOrigin.y + 30;
    ASkin->DoMagnetic(x, y, 100, 50);
    EXPECT_EQ(x, clientOrigin.x);
    EXPECT_EQ(y, clientOrigin.y + 30);
}

// While the MDI form is in main-menu mode, a child's key hook hands the
// keys to the form's component: Escape leaves the form's mode.
TEST_F(DynamicSkinFormMDI, AChildsKeysGoToTheMDIFormsMenuMode)
{
    FrameSkin->MainMenuEnter();
    ASSERT_TRUE(FrameSkin->InMainMenu);
    ASkin->SkinMenuOpen();
    MSG msg{A->Handle(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    bool handled = false;
    ASSERT_TRUE(static_cast<bool>(Application->OnMessage));
    Application->OnMessage(msg, handled);
    EXPECT_TRUE(handled);
    EXPECT_FALSE(FrameSkin->InMainMenu);
    ASkin->SkinMenuClose();
    // The hooks were stacked and not ended in reverse order: the child put
    // back the form's, which is no longer installed.
    Application->OnMessage = nullptr;
}

// An MDI main form whose tray icon starts minimized hides the application
// window at its first move.
TEST_F(DynamicSkinFormMDI, AnMDIMainFormStartingInTheTrayHidesTheApplicationWindow)
{
    const HWND app = Application->Handle();
    auto* plain = new TspTrayIcon(Frame);
    ShowWindow(app, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(app)) << "without MinimizedOnStart";
    ShowWindow(app, SW_HIDE);
    delete plain;
    auto* tray = new TspTrayIcon(Frame);
    tray->MinimizedOnStart = true;
    ShowWindow(app, SW_SHOWNA);
    EXPECT_FALSE(IsWindowVisible(app));
    delete tray;
}

}  // namespace
