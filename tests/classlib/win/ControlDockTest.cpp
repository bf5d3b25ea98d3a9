// Dragging, docking and floating whose handlers free the control being
// dragged, by real mouse input under Wine: the drag or the drop ends there,
// quietly (no event, outline or cursor after), and the next drag works.
// (Docking itself: the skinned panel's dock tests.)
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "classlib/ui/ControlDock.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/Screen.h"

namespace {

using uitest::UiTest;

class ControlDockTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        Form = MakeForm(400, 260);
        Site = AddControl<TPanel>(Form, 200, 20, 180, 220);
        Site->DockSite = true;
        Site->OnDockOver = [this](TObject*, TDragDockObject*, int, int, TDragState state, bool&) {
            Log.push_back("over " + std::to_string(state));
        };
        Panel = NewPanel();
    }
    void TearDown() override
    {
        testsupport::MouseAt(POINT{0, 0});
        Drain();
        UiTest::TearDown();
    }

    // A dock client on the form at its first place, whose OnEndDock is logged.
    TPanel* NewPanel()
    {
        auto* panel = AddControl<TPanel>(Form, 20, 20, 100, 60);
        panel->SetDragKind(dkDock);
        panel->SetDragMode(dmAutomatic);
        panel->OnEndDock = [this](TObject*, TObject* target, int, int) {
            Log.push_back(target != nullptr ? "end docked" : "end");
        };
        return panel;
    }

    // A plainly dragged panel at the dock client's place, whose OnEndDrag is
    // logged.
    TPanel* NewDragSource()
    {
        auto* panel = AddControl<TPanel>(Form, 20, 20, 100, 60);
        panel->SetDragMode(dmAutomatic);
        panel->OnEndDrag = [this](TObject*, TObject* target, int, int) {
            Log.push_back(target != nullptr ? "end dropped" : "end");
        };
        return panel;
    }

    // Real input: the pointer to a point of the form's client area with
    // `flags`, then the loop runs until `done` holds. The bound is generous:
    // parallel runs load the machine.
    bool MouseTo(POINT client, DWORD flags, const std::function<bool()>& done) const
    {
        testsupport::MouseAt(Form->ClientToScreen(client), flags);
        return PumpUntil(done, std::chrono::seconds(10));
    }

    // Real input: the pointer to the panel's grip and a press there, until
    // the panel drags.
    bool PressPanel() const
    {
        return MouseTo(Grip, 0, [] { return true; }) &&
               MouseTo(Grip, MOUSEEVENTF_LEFTDOWN, [this] { return Panel->Dragging(); });
    }

    // The drag's outlines on the screen: visible topmost utility windows of
    // this thread.
    static int ShownOutlines()
    {
        int count = 0;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND wnd, LPARAM found) {
                char name[32] = {};
                GetClassNameA(wnd, name, sizeof name);
                if (IsWindowVisible(wnd) && std::string(name) == "TPUtilWindow" &&
                    (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
                    ++*reinterpret_cast<int*>(found);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count;
    }

    // Handles queued messages one at a time until the one whose handling
    // makes `done` hold; `then` runs at once after that one.
    static bool DispatchUntil(const std::function<bool()>& done, const std::function<void()>& then)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            MSG msg;
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                Sleep(1);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (done()) {
                then();
                return true;
            }
        }
        return false;
    }

    // Counts the drag outlines made on this thread (windows of the
    // utility class) from when Counting is set, while it lives.
    class TOutlineWatch {
    public:
        TOutlineWatch() : FHook(SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId()))
        {
            Counting = false;
            Made = 0;
        }
        ~TOutlineWatch() { UnhookWindowsHookEx(FHook); }
        TOutlineWatch(const TOutlineWatch&) = delete;
        TOutlineWatch& operator=(const TOutlineWatch&) = delete;

        static inline bool Counting = false;
        static inline int Made = 0;

    private:
        static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam)
        {
            if (code == HCBT_CREATEWND && Counting) {
                char name[32] = {};
                GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
                Made += std::string(name) == "TPUtilWindow";
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }

        HHOOK FHook;
    };

    bool Logged(const std::string& entry) const
    {
        for (const std::string& logged : Log) {
            if (logged == entry)
                return true;
        }
        return false;
    }

    // Where the panel is pressed, in the form's client area: 50, 30 into it.
    static constexpr POINT Grip{70, 50};

    TForm* Form = nullptr;
    TPanel* Site = nullptr;
    TPanel* Panel = nullptr;
    std::vector<std::string> Log;
};

// The site's OnDockDrop frees the control it was given: the drop ends with
// no OnEndDock on the freed control and nothing left behind; the next drag
// docks as usual. ManualDock whose old host frees the control in OnUnDock
// answers false.
TEST_F(ControlDockTest, ADropWhoseHandlerFreesTheControlEndsThere)
{
    Site->OnDockDrop = [this](TObject*, TDragDockObject* source, int, int) {
        Log.push_back("drop");
        EXPECT_EQ(source->Control(), Panel);
        FreeComponent(source->Control());
        EXPECT_EQ(source->Control(), nullptr) << "the drop knows its control is gone";
    };
    ASSERT_TRUE(PressPanel());
    ASSERT_TRUE(MouseTo(POINT{260, 120}, 0, [this] { return Logged("over 0"); }));
    ASSERT_TRUE(MouseTo(POINT{260, 120}, MOUSEEVENTF_LEFTUP, [this] { return Logged("drop"); }));
    Drain();
    EXPECT_EQ(Log, (std::vector<std::string>{"over 0", "drop"}));
    EXPECT_EQ(Site->ControlCount(), 0);
    EXPECT_EQ(Form->ControlCount(), 1) << "the site alone";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Errors.empty());

    // The drag machinery is free for the next one.
    Site->OnDockDrop = [this](TObject*, TDragDockObject*, int, int) { Log.push_back("drop"); };
    Panel = NewPanel();
    Log.clear();
    ASSERT_TRUE(PressPanel());
    ASSERT_TRUE(MouseTo(POINT{260, 120}, 0, [this] { return Logged("over 0"); }));
    ASSERT_TRUE(MouseTo(POINT{260, 120}, MOUSEEVENTF_LEFTUP, [this] { return Logged("end docked"); }));
    EXPECT_EQ(Panel->Parent(), Site);

    Site->OnUnDock = [this](TObject*, TControl* client, TWinControl*, bool&) {
        Log.push_back("undock");
        FreeComponent(client);
    };
    auto* other = AddControl<TPanel>(Form, 20, 120, 100, 100);
    other->DockSite = true;
    Log.clear();
    EXPECT_FALSE(Panel->ManualDock(other, alTop));
    EXPECT_EQ(Log, (std::vector<std::string>{"undock"}));
    EXPECT_EQ(other->ControlCount(), 0);
    EXPECT_EQ(Site->ControlCount(), 0);
}

// The site's OnDockOver frees the control as the drag enters it: the drag
// ends there, its outline goes and no other is left, and the release does
// nothing more.
TEST_F(ControlDockTest, ADragWhoseSiteFreesTheControlOnTheWayEndsThere)
{
    bool freeIt = true;
    Site->OnDockOver = [this, &freeIt](TObject*, TDragDockObject* source, int, int, TDragState state, bool&) {
        Log.push_back("over " + std::to_string(state));
        if (freeIt) {
            freeIt = false;
            FreeComponent(source->Control());
        }
    };
    // Away from the site first: the outline shows where the panel would
    // float, gripped where it was pressed.
    const POINT away{140, 190};
    const POINT awayScreen = Form->ClientToScreen(away);
    const POINT onOutline{awayScreen.x - 50 + 1, awayScreen.y};
    const auto outlineShown = [&] {
        return testsupport::ColoursNear(testsupport::ScreenPixel(onOutline.x, onOutline.y), RGB(64, 64, 64));
    };
    ASSERT_TRUE(PressPanel());
    ASSERT_TRUE(MouseTo(away, 0, outlineShown));
    EXPECT_EQ(ShownOutlines(), 1);
    ASSERT_TRUE(MouseTo(POINT{260, 120}, 0, [this] { return Logged("over 0"); }));
    EXPECT_TRUE(PumpUntil([&] { return !outlineShown(); }, std::chrono::seconds(10))) << "the outline went";
    EXPECT_EQ(ShownOutlines(), 0);
    EXPECT_EQ(Form->ControlCount(), 1) << "the site alone";
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_TRUE(MouseTo(POINT{270, 130}, MOUSEEVENTF_LEFTUP, [] { return true; }));
    Drain();
    EXPECT_EQ(Log, (std::vector<std::string>{"over 0"})) << "no leave, no drop, no end";
    EXPECT_TRUE(Errors.empty());
}

// The site's OnDockOver frees the control as the drag first enters it,
// before any outline was shown: the drag makes none after that.
TEST_F(ControlDockTest, ADragWhoseSiteFreesTheControlAsItEntersShowsNoOutline)
{
    bool freeIt = true;
    Site->OnDockOver = [this, &freeIt](TObject*, TDragDockObject* source, int, int, TDragState state, bool& accept) {
        Log.push_back("over " + std::to_string(state));
        if (freeIt) {
            freeIt = false;
            FreeComponent(source->Control());
            accept = true;
            TOutlineWatch::Counting = true;
        }
    };
    const TOutlineWatch outlines;
    ASSERT_TRUE(PressPanel());
    ASSERT_TRUE(MouseTo(POINT{260, 120}, 0, [this] { return Logged("over 0"); }));
    Drain();
    EXPECT_EQ(TOutlineWatch::Made, 0) << "an outline was made for the freed control";
    EXPECT_EQ(Form->ControlCount(), 1) << "the site alone";
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_TRUE(MouseTo(POINT{270, 130}, MOUSEEVENTF_LEFTUP, [] { return true; }));
    Drain();
    EXPECT_EQ(Log, (std::vector<std::string>{"over 0"}));
    EXPECT_TRUE(Errors.empty());
}

// A docked control floated out of its site, whose OnUnDock frees it: the
// float answers false and makes no tool window.
TEST_F(ControlDockTest, AFloatWhoseOldSiteFreesTheControlEndsThere)
{
    ASSERT_TRUE(Panel->ManualDock(Site, alTop));
    ASSERT_EQ(Panel->Parent(), Site);
    Site->OnUnDock = [this](TObject*, TControl* client, TWinControl* newTarget, bool&) {
        Log.push_back(newTarget == nullptr ? "undock to float" : "undock");
        FreeComponent(client);
    };
    const int forms = Screen->FormCount();
    EXPECT_FALSE(Panel->ManualFloat(RECT{500, 300, 600, 360}));
    EXPECT_EQ(Log, (std::vector<std::string>{"undock to float"}));
    EXPECT_EQ(Site->ControlCount(), 0);
    EXPECT_EQ(Screen->FormCount(), forms) << "no tool window";
    EXPECT_TRUE(Errors.empty());
}

// A plain drag: the target frees the dragged control from OnDragOver as it
// enters, or from OnDragDrop. Either ends the drag there with no OnEndDrag
// on the freed control and the mouse released; the next drag ends as usual.
TEST_F(ControlDockTest, APlainDragWhoseTargetFreesTheControlEndsThere)
{
    for (const bool onDrop : {false, true}) {
        SCOPED_TRACE(onDrop ? "freed on the drop" : "freed on the way");
        FreeComponent(Panel);
        Panel = NewDragSource();
        bool freeIt = true;
        Site->OnDragOver = [&, onDrop](TObject*, TObject* dragged, int, int, TDragState state, bool& accept) {
            Log.push_back("drag over " + std::to_string(state));
            accept = true;
            if (!onDrop && freeIt) {
                freeIt = false;
                FreeComponent(static_cast<TComponent*>(dragged));
            }
        };
        Site->OnDragDrop = [&](TObject*, TObject* dragged, int, int) {
            Log.push_back("drag drop");
            if (freeIt) {
                freeIt = false;
                FreeComponent(static_cast<TComponent*>(dragged));
            }
        };
        Log.clear();
        ASSERT_TRUE(PressPanel());
        ASSERT_TRUE(MouseTo(POINT{260, 120}, 0, [this] { return Logged("drag over 0"); }));
        ASSERT_TRUE(MouseTo(POINT{270, 130}, 0, [this, onDrop] { return !onDrop || Logged("drag over 2"); }));
        ASSERT_TRUE(MouseTo(POINT{270, 130}, MOUSEEVENTF_LEFTUP, [this, onDrop] {
            return !onDrop || Logged("drag drop");
        }));
        Drain();
        EXPECT_EQ(Log, onDrop ? (std::vector<std::string>{"drag over 0", "drag over 2", "drag drop"})
                              : (std::vector<std::string>{"drag over 0"}));
        EXPECT_EQ(Form->ControlCount(), 1) << "the site alone";
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_TRUE(Errors.empty());

        // The next drag is heard to its end.
        Panel = NewDragSource();
        Log.clear();
        ASSERT_TRUE(PressPanel());
        ASSERT_TRUE(MouseTo(POINT{260, 120}, 0, [this] { return Logged("drag over 0"); }));
        ASSERT_TRUE(MouseTo(POINT{260, 120}, MOUSEEVENTF_LEFTUP, [this] { return Logged("end dropped"); }));
        EXPECT_EQ(Panel->Parent(), Form) << "a plain drag moves nothing";
    }
}

// A plain drag whose target frees the dragged control from OnDragOver as it
// enters, not accepting it: the drag that ended there sets no cursor after.
TEST_F(ControlDockTest, APlainDragWhoseTargetFreesTheControlSetsNoCursorAfter)
{
    FreeComponent(Panel);
    Panel = NewDragSource();
    bool freeIt = true;
    Site->OnDragOver = [this, &freeIt](TObject*, TObject* dragged, int, int, TDragState state, bool&) {
        Log.push_back("drag over " + std::to_string(state));
        if (freeIt) {
            freeIt = false;
            FreeComponent(static_cast<TComponent*>(dragged));
        }
    };
    ASSERT_TRUE(PressPanel());
    ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));  // whatever an earlier test left
    testsupport::MouseAt(Form->ClientToScreen(POINT{260, 120}));
    // The cursor as the move that freed the control leaves it, before any
    // later input sets another.
    HCURSOR after = nullptr;
    ASSERT_TRUE(DispatchUntil([&] { return Logged("drag over 0"); }, [&] { after = GetCursor(); }));
    EXPECT_NE(after, LoadCursorA(nullptr, IDC_NO)) << "the ended drag showed its no-drop cursor";
    Drain();
    EXPECT_EQ(Form->ControlCount(), 1) << "the site alone";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"drag over 0"}));
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
