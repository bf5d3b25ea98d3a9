// MDI forms under Wine: the MDI client among aligned controls, children in
// it and their activation by real clicks, the MDI system keys typed for
// real, closing children and the frame, the error for a child without an
// MDI form, stay-on-top forms and FormStyle read from a description.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "../../support/RealInput.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/FormResources.h"

namespace {

using uitest::UiTest;

class FormsMDITest : public UiTest {
protected:
    // The main form, an MDI form of the given client size, shown and active.
    TForm* MakeFrame(int clientWidth = 400, int clientHeight = 300)
    {
        auto* frame = new TForm(nullptr);
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(20, 20, 100, 100);
        frame->SetClientWidth(clientWidth);
        frame->SetClientHeight(clientHeight);
        Application->SetMainForm(frame);
        frame->Show();
        Activate(frame);
        return frame;
    }
    static TForm* MakeChild(const std::string& caption, int left, int top)
    {
        auto* child = new TForm(nullptr);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(left, top, 160, 120);
        child->Show();
        return child;
    }
    // The window's rectangle in the client coordinates of `parent`.
    static RECT RectIn(HWND wnd, HWND parent)
    {
        RECT r{};
        GetWindowRect(wnd, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Ctrl held around a key, as a user types it.
    static void TypeCtrlKey(WORD key)
    {
        testsupport::CtrlKey(key);
        for (int i = 0; i < 10; ++i, Sleep(5))
            Application->ProcessMessages();
    }
    // A real left click at a client point of `wnd`.
    static void RealClick(HWND wnd, int x, int y)
    {
        POINT p{x, y};
        ClientToScreen(wnd, &p);
        testsupport::LeftClickAt(p);
        for (int i = 0; i < 10; ++i, Sleep(5))
            Application->ProcessMessages();
    }
};

TEST_F(FormsMDITest, TheMDIClientTakesWhatTheAlignedControlsLeaveAndKeepsItOnResize)
{
    TForm* frame = MakeFrame();
    auto* top = AddControl<TPanel>(frame, 0, 0, 10, 30);
    top->SetAlign(alTop);
    auto* left = AddControl<TPanel>(frame, 0, 0, 50, 10);
    left->SetAlign(alLeft);
    const HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    char className[32] = {};
    GetClassNameA(client, className, sizeof(className));
    EXPECT_STRCASEEQ(className, "MDIClient");
    EXPECT_EQ(GetParent(client), frame->Handle());
    RECT r = RectIn(client, frame->Handle());
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 300);

    // DefFrameProc spreads the client over the whole form on WM_SIZE; the
    // layout puts it back.
    frame->SetClientWidth(500);
    frame->SetClientHeight(250);
    r = RectIn(client, frame->Handle());
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 500);
    EXPECT_EQ(r.bottom, 250);
    top->SetVisible(false);
    EXPECT_EQ(RectIn(client, frame->Handle()).top, 0) << "a hidden strip leaves room";

    auto* plain = MakeForm();
    EXPECT_EQ(plain->ClientHandle(), nullptr);
    EXPECT_EQ(plain->MDIChildCount(), 0);
}

TEST_F(FormsMDITest, ChildrenLiveInTheMDIClientAndAClickActivatesOne)
{
    TForm* frame = MakeFrame();
    TForm* a = MakeChild("A", 10, 10);
    TForm* b = MakeChild("B", 200, 120);
    EXPECT_EQ(GetParent(a->Handle()), frame->ClientHandle());
    EXPECT_NE(GetWindowLongA(b->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD, 0);
    EXPECT_EQ(RectIn(b->Handle(), frame->ClientHandle()).left, 200) << "placed in the client's coordinates";
    EXPECT_EQ(b->Left(), 200);
    ASSERT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    EXPECT_EQ(frame->MDIChildren(0), b);
    EXPECT_EQ(frame->MDIChildren(1), a);
    EXPECT_THROW(frame->MDIChildren(2), EListError);
    EXPECT_TRUE(b->Active());

    // The click's WM_CHILDACTIVATE makes the child active (DefMDIChildProc).
    RealClick(a->Handle(), 20, 20);
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());

    // The frame's focus goes on to the active child (DefFrameProc).
    SetFocus(frame->Handle());
    EXPECT_EQ(GetFocus(), a->Handle());
}

TEST_F(FormsMDITest, CtrlF6WalksTheChildrenAndCtrlF4ClosesTheActiveOneByItsCloseAction)
{
    TForm* frame = MakeFrame();
    TForm* a = MakeChild("A", 10, 10);
    TForm* b = MakeChild("B", 200, 120);
    TForm* c = MakeChild("C", 100, 60);
    bool bGone = false;
    b->OnDestroy = [&](TObject*) { bGone = true; };
    b->OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caMinimize) << "an MDI child minimizes by default";
        action = caFree;
    };
    ASSERT_EQ(frame->ActiveMDIChild(), c);
    TypeCtrlKey(VK_F6);
    EXPECT_NE(frame->ActiveMDIChild(), c) << "Ctrl+F6 walks on";
    SendMessageA(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    ASSERT_EQ(frame->ActiveMDIChild(), b);
    TypeCtrlKey(VK_F4);
    EXPECT_TRUE(PumpUntil([&] { return bGone; })) << "caFree releases the child";
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_NE(frame->ActiveMDIChild(), nullptr) << "another child is active";

    // The default action minimizes; without biMinimize the child stays.
    a->SetBorderIcons(biSystemMenu | biMaximize);
    a->Close();
    EXPECT_FALSE(IsIconic(a->Handle()));
    EXPECT_TRUE(IsWindowVisible(a->Handle()));
    c->Close();
    EXPECT_TRUE(IsIconic(c->Handle()));
}

TEST_F(FormsMDITest, ClosingTheFrameAsksTheChildrenFirstAndReleasesThemBeforeTheLoopEnds)
{
    TForm* frame = MakeFrame();
    TForm* a = MakeChild("A", 10, 10);
    TForm* b = MakeChild("B", 200, 120);
    bool allow = false;
    bool aGone = false, bGone = false;
    std::vector<std::string> order;
    a->OnCloseQuery = [&](TObject*, bool& canClose) {
        order.push_back("A");
        canClose = allow;
    };
    frame->OnCloseQuery = [&](TObject*, bool&) { order.push_back("Frame"); };
    a->OnDestroy = [&](TObject*) { aGone = true; };
    b->OnDestroy = [&](TObject*) { bGone = true; };

    SendMessageA(frame->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(order, std::vector<std::string>{"A"}) << "a refusing child keeps the frame";
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(frame->MDIChildCount(), 2);

    allow = true;
    order.clear();
    SendMessageA(frame->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(order, (std::vector<std::string>{"A", "Frame"}));
    {
        uitest::TLoopWatchdog watchdog;
        Application->Run();  // ends with the frame's close
        EXPECT_FALSE(watchdog.Fired());
    }
    EXPECT_TRUE(aGone);
    EXPECT_TRUE(bGone);
}

TEST_F(FormsMDITest, AChildWithoutAnMDIFormIsAClearErrorAndStayOnTopIsTopmost)
{
    TForm* main = MakeForm();
    Application->SetMainForm(main);
    auto* child = new TForm(nullptr);
    child->SetFormStyle(fsMDIChild);
    try {
        child->Show();
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message, "Cannot create form. No MDI forms are currently active");
    }
    EXPECT_FALSE(child->HandleAllocated());

    TForm* onTop = MakeForm();
    onTop->SetFormStyle(fsStayOnTop);
    EXPECT_NE(GetWindowLongA(onTop->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    onTop->SetFormStyle(fsNormal);
    EXPECT_EQ(GetWindowLongA(onTop->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    auto* fresh = new TForm(nullptr);
    fresh->SetFormStyle(fsStayOnTop);
    fresh->Show();
    EXPECT_NE(GetWindowLongA(fresh->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(FormsMDITest, FormStyleIsReadFromADescription)
{
    RegisterClassLibraryClasses();
    auto* frame = new TForm(nullptr);
    TFormReader().ReadInto("object Frame: TForm\n  FormStyle = fsMDIForm\n  object Bar: TPanel\n"
                           "    Align = alTop\n    Height = 40\n  end\nend",
                           *frame);
    EXPECT_EQ(frame->FormStyle(), fsMDIForm);
    Application->SetMainForm(frame);
    frame->Show();
    ASSERT_NE(frame->ClientHandle(), nullptr);
    auto* bar = dynamic_cast<TControl*>(frame->FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(RectIn(frame->ClientHandle(), frame->Handle()).top, 40);
    auto* child = new TForm(nullptr);
    TFormReader().ReadInto("object Child: TForm\n  FormStyle = fsMDIChild\nend", *child);
    child->Show();
    EXPECT_EQ(frame->MDIChildCount(), 1);
}

}  // namespace
