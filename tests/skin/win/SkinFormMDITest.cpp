// Skinned MDI forms under Wine: a real MDI frame with a skinned form
// component and a skinned menu bar, and two skinned MDI children, driven by
// real clicks and keys: maximizing by the frame button, the frame's caption
// and the bar's MDI buttons, a maximized child without frame or shape,
// minimized slots, the MDI client's background and the caption that names
// a maximized child (both also in client-area mode),
// Ctrl+F4 and activation by a click, the frame's activation shown by its
// active child, skin changes, the system menu and the menu modes of
// children, an MDI main form that starts in the tray.
#include <cstdlib>
#include <functional>
#include <memory>

#include "DynamicSkinFormTestSupport.h"
#include "classlib/core/ShortCuts.h"
#include "classlib/ui/Screen.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinPopupMenu.h"
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

// Handles messages until `done` holds, for at most five seconds (a bound
// that a loaded machine does not reach); whether it came to hold.
bool PumpUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 1000 && !done(); ++i)
        Pump(1);
    return done();
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

// What the screen shows in a rectangle (screen coordinates).
std::unique_ptr<TBitmap> ScreenShot(const RECT& r)
{
    auto picture = std::make_unique<TBitmap>();
    picture->SetSize(r.right - r.left, r.bottom - r.top);
    const HDC screen = GetDC(nullptr);
    BitBlt(picture->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return picture;
}

int DifferingPixels(TBitmap& a, TBitmap& b)
{
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            differing += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y);
    return differing;
}

// The MDI frame "Frame" (skinned, a skinned menu bar on top) and its two
// skinned children "Child" and "Second", all on one skin.
class DynamicSkinFormMDI : public ::testing::Test {
protected:
    // The frame's component draws the skin in the non-client area.
    virtual bool FrameMode() const { return true; }
    void SetUp() override
    {
        Frame = new TForm(nullptr);
        Frame->SetName("Frame");
        Frame->SetCaption("Frame");
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(40, 40, 420, 320);
        FrameSkin = new TspDynamicSkinForm(Frame);
        FrameSkin->SetSupportNCArea(FrameMode());
        Data = new TspSkinData(Frame);
        FillStored(Stored, Options);
        Data->SetStoredSkin(&Stored);
        FrameSkin->SetSkinData(Data);
        if (!FrameMode()) {
            // The skin's caption band stays uncovered: a windowless spacer
            // above the bar, which the MDI client leaves alone.
            auto* band = new TLabel(Frame);
            band->SetTransparent(true);
            band->SetAlign(alTop);
            band->SetHeight(CaptionBand);
            band->SetParent(Frame);
        }
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
    // What the screen shows of a frame object of a form's window (its
    // objects lie in the client area without the frame mode).
    static std::unique_ptr<TBitmap> ObjectShot(TForm* form, TspActiveSkinObject* object)
    {
        RECT w{};
        GetWindowRect(form->Handle(), &w);
        if (const TspDynamicSkinForm* skin = TspDynamicSkinForm::GetDynamicSkinForm(form);
            skin != nullptr && !skin->SupportNCArea()) {
            const POINT origin = form->ClientToScreen(POINT{0, 0});
            w.left = origin.x;
            w.top = origin.y;
        }
        const TRect& r = object->ObjectRect;
        return ScreenShot(RECT{w.left + r.Left, w.top + r.Top, w.left + r.Right, w.top + r.Bottom});
    }
    // The frame's caption on the screen: "Frame - [Child]" once the child is
    // maximized, its new caption when renamed, the old one again when it
    // comes back; the child's own caption objects show the new one once it
    // is restored, and the frame its own caption alone.
    void ExpectTheFramesCaptionFollowsAMaximizedChild()
    {
        TspActiveSkinObject* caption = FrameSkin->ObjectList[0].get();
        ASSERT_NE(dynamic_cast<TspSkinCaptionObject*>(caption), nullptr);
        const auto alone = ObjectShot(Frame, caption);
        RealClickAt(ObjectOnScreen(A, ASkin, "maxbutton"));
        ASSERT_TRUE(PumpUntil([&] { return ASkin->WindowState == 2; }));
        EXPECT_TRUE(PumpUntil([&] { return DifferingPixels(*alone, *ObjectShot(Frame, caption)) > 20; }))
            << "the frame names the maximized child";
        Pump();
        const auto named = ObjectShot(Frame, caption);
        A->SetCaption("Renamed");
        EXPECT_EQ(FrameSkin->FrameCaption(Frame->Caption()), "Frame - [Renamed]");
        EXPECT_TRUE(PumpUntil([&] { return DifferingPixels(*named, *ObjectShot(Frame, caption)) > 20; }))
            << "the frame shows the new caption";
        A->SetCaption("Child");
        EXPECT_TRUE(PumpUntil([&] { return DifferingPixels(*named, *ObjectShot(Frame, caption)) < 5; }))
            << "and the old one when it comes back";

        A->SetCaption("Renamed");
        ASkin->SetWindowState(0);
        auto* own = dynamic_cast<TspSkinCaptionObject*>(ASkin->ObjectList[0].get());
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(own->Text(), "Renamed");
        EXPECT_TRUE(PumpUntil([&] { return DifferingPixels(*alone, *ObjectShot(Frame, caption)) < 5; }))
            << "the restored child's name left the frame's caption";
    }
    int MDIClientHeight() const
    {
        RECT r{};
        GetClientRect(Frame->ClientHandle(), &r);
        return r.bottom;
    }
    // The MDI client erased and painted again; the screen pixel at its
    // client point (x, y).
    COLORREF RepaintedMDIClientPixel(int x, int y) const
    {
        RedrawWindow(Frame->ClientHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Pump();
        return ScreenPixel(Frame->ClientHandle(), x, y);
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

    static constexpr int CaptionBand = 25;  // the rows above the skin's client part
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
        ScreenShot(w)->SaveToFile(shot);
    }

    ASkin->SetWindowState(0);
    EXPECT_EQ(ToTRect(A->BoundsRect()), (TRect{10, 10, 210, 130}));
    EXPECT_FALSE(FrameSkin->MDIChildMaximized);
    EXPECT_FALSE(Bar->MDIButtonsShown);
    EXPECT_EQ(FrameSkin->FrameCaption(Frame->Caption()), "Frame");
}

// A maximized child has no frame: every point of its window is client
// area (a click on a control along its bottom edge reaches it, its right
// edge is no border), and no shape cuts its corners; restored, it has its
// mask's shape again.
TEST_F(DynamicSkinFormMDI, AMaximizedChildIsClientAreaAllOverAndHasNoShape)
{
    auto* bottom = new TLabel(A);
    bottom->SetParent(A);
    bottom->SetAutoSize(false);
    bottom->SetAlign(alBottom);
    bottom->SetHeight(20);
    bottom->SetCaption("Bottom");
    int clicks = 0;
    bottom->OnClick = [&](TObject*) { ++clicks; };
    const HRGN shape = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(A->Handle(), shape), ERROR) << "the mask shapes a child with a frame";

    RealClickAt(ObjectOnScreen(A, ASkin, "maxbutton"));
    ASSERT_TRUE(PumpUntil([&] { return ASkin->WindowState == 2; }));
    EXPECT_EQ(GetWindowRgn(A->Handle(), shape), ERROR) << "no shape";

    POINT onLabel{bottom->Left() + bottom->Width() / 2, bottom->Top() + bottom->Height() / 2};
    ClientToScreen(A->Handle(), &onLabel);
    RealClickAt(onLabel);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    // The right strip that a frame's right border would take answers as
    // client area too.
    POINT right{A->ClientWidth() - 3, A->ClientHeight() / 2};
    ClientToScreen(A->Handle(), &right);
    EXPECT_EQ(SendMessageA(A->Handle(), WM_NCHITTEST, 0, MAKELPARAM(right.x, right.y)), HTCLIENT);

    ASkin->SetWindowState(0);
    EXPECT_NE(GetWindowRgn(A->Handle(), shape), ERROR);
    DeleteObject(shape);
}

// The frame's caption names a maximized child by its current caption; the
// child's own caption objects follow too and show it once it is restored.
TEST_F(DynamicSkinFormMDI, TheFramesCaptionFollowsAMaximizedChildsCaption)
{
    ExpectTheFramesCaptionFollowsAMaximizedChild();
}
// The active child looks inactive while another top-level window is active
// and active again with its frame; the other child stays inactive.
TEST_F(DynamicSkinFormMDI, TheActiveChildsLookFollowsTheFramesActivation)
{
    const auto other = std::make_unique<TForm>(nullptr);
    other->SetBounds(520, 40, 200, 150);
    other->Show();
    ActivateFrame();
    Pump();
    ASSERT_EQ(Frame->ActiveMDIChild(), B);
    ASSERT_TRUE(BSkin->FormActive);
    int activations = 0, deactivations = 0;
    BSkin->OnActivate = [&](TObject*) { ++activations; };
    BSkin->OnDeActivate = [&](TObject*) { ++deactivations; };
    TspActiveSkinObject* caption = BSkin->ObjectList[0].get();
    const auto active = ObjectShot(B, caption);

    POINT inOther{50, 50};
    ClientToScreen(other->Handle(), &inOther);
    RealClickAt(inOther);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == other->Handle(); }));
    EXPECT_TRUE(PumpUntil([&] { return !BSkin->FormActive; }));
    EXPECT_GT(deactivations, 0);
    EXPECT_TRUE(PumpUntil([&] { return DifferingPixels(*active, *ObjectShot(B, caption)) > 20; }))
        << "drawn inactive";

    POINT inB{30, 30};
    ClientToScreen(B->Handle(), &inB);
    RealClickAt(inB);
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == Frame->Handle(); }));
    EXPECT_TRUE(PumpUntil([&] { return BSkin->FormActive; }));
    EXPECT_GT(activations, 0);
    EXPECT_TRUE(PumpUntil([&] { return DifferingPixels(*active, *ObjectShot(B, caption)) < 5; }))
        << "drawn active again";
    EXPECT_FALSE(ASkin->FormActive);
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
    const int x = 3, y = MDIClientHeight() - 3;  // left of and below both children
    COLORREF pixel = RepaintedMDIClientPixel(x, y);
    EXPECT_TRUE(ColoursNear(pixel, RGB(30 * (x % 7), 40 * (y % 5), 7), 2)) << std::hex << pixel;
    Data->ClearAll();
    Data->Empty = true;
    FrameSkin->ChangeSkinData();
    pixel = RepaintedMDIClientPixel(x, y);
    EXPECT_TRUE(ColoursNear(pixel, GetSysColor(COLOR_APPWORKSPACE), 2)) << std::hex << pixel;
}

// Without the frame mode, the MDI client still shows the skin's background.
class DynamicSkinFormMDIClientArea : public DynamicSkinFormMDI {
protected:
    bool FrameMode() const override { return false; }
};

// The caption drawn in the client area follows a maximized child as the
// frame's does.
TEST_F(DynamicSkinFormMDIClientArea, TheFormsCaptionFollowsAMaximizedChildsCaption)
{
    ExpectTheFramesCaptionFollowsAMaximizedChild();
}

TEST_F(DynamicSkinFormMDIClientArea, TheMDIClientShowsTheSkinsBackground)
{
    const int x = 6, y = MDIClientHeight() - 6;  // left of and below both children
    COLORREF pixel = RepaintedMDIClientPixel(x, y);
    EXPECT_TRUE(ColoursNear(pixel, RGB(30 * (x % 7), 40 * (y % 5), 7), 2)) << std::hex << pixel;
    // Without a background picture: the form picture's client part, tiled.
    Data->BGPictureIndex = -1;
    pixel = RepaintedMDIClientPixel(x, y);
    EXPECT_TRUE(ColoursNear(pixel, skinformtest::PictureColour(5 + x % 90, 25 + y % 30), 2)) << std::hex << pixel;
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
    // The tray menu's close item says the same, also for a child whose style
    // was set after its component was made (as a form description reads it).
    auto trayClose = [](TspDynamicSkinForm* skin) {
        TMenuItem* items = skin->TrayMenu()->Items();
        return items->Items(items->Count() - 1)->ShortCut();
    };
    EXPECT_EQ(trayClose(ASkin), TextToShortCut("Ctrl+F4"));
    EXPECT_EQ(trayClose(FrameSkin), TextToShortCut("Alt+F4"));
    auto* late = new TForm(nullptr);
    auto* lateSkin = new TspDynamicSkinForm(late);
    late->SetFormStyle(fsMDIChild);
    late->SetBounds(60, 20, 200, 120);
    late->Show();
    EXPECT_EQ(trayClose(lateSkin), TextToShortCut("Ctrl+F4"));
    delete late;
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
// keys to the form's component: Escape leaves the form's mode. The form's
// and the children's key hooks stack and end in any order, also by a child
// freed in its menu mode: the application's own handler comes back, and no
// hook that has ended is left in the chain.
TEST_F(DynamicSkinFormMDI, AChildsKeysGoToTheMDIFormsMenuMode)
{
    int own = 0;
    Application->OnMessage = [&own](MSG&, bool&) { ++own; };
    auto offerOther = [] {
        MSG msg{nullptr, WM_MOUSEMOVE, 0, 0, 0, {}};
        bool handled = false;
        Application->OnMessage(msg, handled);
    };

    FrameSkin->MainMenuEnter();
    ASSERT_TRUE(FrameSkin->InMainMenu);
    ASkin->SkinMenuOpen();
    MSG msg{A->Handle(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    bool handled = false;
    ASSERT_TRUE(static_cast<bool>(Application->OnMessage));
    Application->OnMessage(msg, handled);
    EXPECT_TRUE(handled);
    EXPECT_FALSE(FrameSkin->InMainMenu);
    // The form's hook ended under the child's: the child's passes on to the
    // application's handler, and its end puts that handler back.
    offerOther();
    EXPECT_EQ(own, 1);
    ASkin->SkinMenuClose();
    offerOther();
    EXPECT_EQ(own, 2);
    EXPECT_FALSE(skintest::OfferKey(VK_ESCAPE));
    EXPECT_EQ(own, 3);

    // The other way round: a child's menu, then the form's mode over it; the
    // child's menu ends first.
    BSkin->SkinMenuOpen();
    FrameSkin->MainMenuEnter();
    BSkin->SkinMenuClose();
    ASSERT_TRUE(FrameSkin->InMainMenu);
    EXPECT_TRUE(skintest::OfferKey('Q')) << "the form's hook still takes the keys";
    EXPECT_EQ(own, 3);
    FrameSkin->MainMenuExit();
    offerOther();
    EXPECT_EQ(own, 4);

    // A child freed in its menu mode under the form's mode leaves no hook.
    ASkin->SkinMenuOpen();
    FrameSkin->MainMenuEnter();
    delete A;
    A = nullptr;
    ASSERT_TRUE(FrameSkin->InMainMenu);
    EXPECT_TRUE(skintest::OfferKey(VK_ESCAPE));
    EXPECT_FALSE(FrameSkin->InMainMenu);
    offerOther();
    EXPECT_EQ(own, 5);
    // The handler counts into this frame.
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
