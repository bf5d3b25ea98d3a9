// Docking the skinned panel by real mouse input under Wine: into a dock
// site by the drop zone, floating in a tool window away from any site, an
// old host refusing to let it go, and sites refusing it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "../../support/RealInput.h"
#include "../../support/ScreenPixels.h"
#include "SkinTestSheet.h"
#include "classlib/ui/ControlDock.h"
#include "classlib/ui/DockForm.h"
#include "classlib/ui/Screen.h"
#include "skin/controls/SkinPanel.h"

namespace {

class SkinPanelDockTest : public skintest::TFormTest {
protected:
    SkinPanelDockTest() : TFormTest(true) {}

    void SetUp() override
    {
        Seen.clear();
        Watch.reset(SetWindowsHookExA(WH_MOUSE, SeeMouse, nullptr, GetCurrentThreadId()));
        ASSERT_NE(Watch, nullptr);
        TFormTest::SetUp();
        SetForegroundWindow(Form->Handle());
        Panel = Make<TspSkinPanel>(20, 20, 100, 60);
        Panel->SetCaption("Tools");
        Panel->SetDragKind(dkDock);
        Panel->SetDragMode(dmAutomatic);
        Panel->OnStartDock = [this](TObject*) { Log.push_back("start"); };
        Panel->OnEndDock = [this](TObject*, TObject* target, int x, int y) {
            Log.push_back("end " + NameOf(target) + " " + std::to_string(x) + "," + std::to_string(y));
        };
    }
    void TearDown() override
    {
        MouseTo(POINT{0, 0});
        TFormTest::TearDown();
        while (Screen->FormCount() > 0)
            delete Screen->Forms(Screen->FormCount() - 1);
        // What reached the application, for a red run: input with tag 0
        // came from elsewhere than the test.
        if (HasFailure()) {
            std::string taken;
            for (const TSeenInput& seen : Seen)
                taken += " " + std::to_string(seen.Msg) + "@" + std::to_string(seen.Pt.x) + "," +
                         std::to_string(seen.Pt.y) + "#" + std::to_string(seen.Tag & 0xFFFF);
            std::printf("mouse messages taken (message@point#input):%s\n", taken.c_str());
        }
        Watch.reset();
    }

    // A dock site on the form whose events are logged.
    TspSkinPanel* Site(const char* name, int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* site = Make<TspSkinPanel>(left, top, width, height);
        site->SetName(name);
        if (parent != nullptr)
            site->SetParent(parent);
        site->DockSite = true;
        site->OnDockOver = [this, site](TObject*, TDragDockObject* source, int, int, TDragState state, bool& accept) {
            EXPECT_TRUE(accept) << "a site accepts by default";
            EXPECT_EQ(source->Control(), Panel);
            const std::string entry = "over " + NameOf(site) + " " + std::to_string(state);
            if (Log.empty() || Log.back() != entry)
                Log.push_back(entry);
            Outline = source->DockRect;
        };
        site->OnDockDrop = [this, site](TObject*, TDragDockObject* source, int x, int y) {
            EXPECT_EQ(Panel->Parent(), site) << "the control is in when the site hears of it";
            EXPECT_EQ(source->Control(), Panel);
            Log.push_back("drop " + NameOf(site) + " " + std::to_string(x) + "," + std::to_string(y));
        };
        return site;
    }

    static std::string NameOf(TObject* object)
    {
        auto* component = dynamic_cast<TComponent*>(object);
        return component == nullptr ? "none" : component->Name();
    }

    // Real input: the pointer to a screen point, with `flags` there. Waits,
    // with a bound that no load reaches, until the application has handled
    // the input's own message (the press, the release, or the move when the
    // pointer moves), then handles what that brought. (A move may come back
    // merged with the X server's echo of it, which carries no tag: any move
    // to the point counts.)
    static void MouseTo(POINT screen, DWORD flags = 0)
    {
        POINT now{};
        GetCursorPos(&now);
        const bool moves = now.x != screen.x || now.y != screen.y;
        const ULONG_PTR tag = ++LastTag;
        const size_t before = Seen.size();
        testsupport::MouseAt(screen, flags, 0, tag);
        const auto handled = [&] {
            const auto since = Seen.begin() + static_cast<std::ptrdiff_t>(before);
            return std::any_of(since, Seen.end(), [&](const TSeenInput& seen) {
                const bool move = seen.Msg == WM_MOUSEMOVE || seen.Msg == WM_NCMOUSEMOVE;
                if (flags == 0)
                    return seen.Tag == tag || (move && seen.Pt.x == screen.x && seen.Pt.y == screen.y);
                if (seen.Tag != tag)
                    return false;
                if ((flags & MOUSEEVENTF_LEFTDOWN) != 0)
                    return seen.Msg == WM_LBUTTONDOWN || seen.Msg == WM_LBUTTONDBLCLK ||
                           seen.Msg == WM_NCLBUTTONDOWN || seen.Msg == WM_NCLBUTTONDBLCLK;
                if ((flags & MOUSEEVENTF_LEFTUP) != 0)
                    return seen.Msg == WM_LBUTTONUP || seen.Msg == WM_NCLBUTTONUP;
                return true;
            });
        };
        if (flags != 0 || moves)
            EXPECT_TRUE(PumpUntil(handled, 10000))
                << "the input at " << screen.x << "," << screen.y << " never reached the application";
        Pump();
    }
    static void Pump()
    {
        for (int i = 0; i < 4; ++i, Sleep(3))
            Application->ProcessMessages();
    }

    // The mouse messages the thread took, each with its input's tag.
    struct TSeenInput {
        UINT Msg;
        POINT Pt;
        ULONG_PTR Tag;
    };
    static LRESULT CALLBACK SeeMouse(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION) {
            const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
            try {
                Seen.push_back(TSeenInput{static_cast<UINT>(wParam), info->pt, info->dwExtraInfo});
            } catch (...) {
                // A lost entry makes a step wait in vain and fail by name.
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<TSeenInput> Seen;
    static inline ULONG_PTR LastTag = 0x5EED0000;
    std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> Watch{nullptr, &UnhookWindowsHookEx};

    // Whether the screen comes to show the drag outline's grey at `at` (or,
    // with `shown` false, to show something else) within a bound: what a
    // window draws reaches the screen a little later.
    static bool ShowsOutline(POINT at, bool shown = true)
    {
        return PumpUntil(
            [&] { return testsupport::ColoursNear(testsupport::ScreenPixel(at.x, at.y), RGB(64, 64, 64)) == shown; });
    }

    // Presses the left button at `from` (screen), moves through `through`
    // and releases at the last of them.
    void Drag(POINT from, std::initializer_list<POINT> through)
    {
        MouseTo(from);
        EXPECT_TRUE(PumpUntil([&] { return WindowFromPoint(from) == Panel->Handle(); }, 10000))
            << "the panel is not under " << from.x << "," << from.y;
        MouseTo(from, MOUSEEVENTF_LEFTDOWN);
        for (const POINT& point : through)
            MouseTo(point);
        MouseTo(*(through.end() - 1), MOUSEEVENTF_LEFTUP);
    }

    // Back on the form at its first place.
    void Home()
    {
        EXPECT_TRUE(Panel->ManualDock(Form, alNone));
        Panel->SetBounds(20, 20, 100, 60);
    }

    // A point of the form's client area on the screen.
    POINT OnForm(int x, int y) const { return Form->ClientToScreen(POINT{x, y}); }

    static RECT ScreenRect(TControl* control)
    {
        const POINT origin = control->ClientToScreen(POINT{0, 0});
        return RECT{origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height()};
    }

    TspSkinPanel* Panel = nullptr;
    std::vector<std::string> Log;
    RECT Outline{};
};

// A click leaves the control where it is; a drag into the left third of a
// site docks it there on the left, keeping its width, with its events in
// order; the outline showed that strip before the release.
TEST_F(SkinPanelDockTest, DraggedOntoADockSiteItDocksAlignedByTheDropZone)
{
    TspSkinPanel* site = Site("Site", 200, 20, 180, 240);
    const POINT grip = Panel->ClientToScreen(POINT{50, 30});
    MouseTo(grip);
    MouseTo(grip, MOUSEEVENTF_LEFTDOWN);
    MouseTo(grip, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Panel->Parent(), Form) << "a click does not dock";
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "end none 0,0"}));
    Log.clear();

    // Into the site at (20, 120) of its client area: 20 from its left
    // edge, in the middle third from top to bottom.
    MouseTo(grip);
    MouseTo(grip, MOUSEEVENTF_LEFTDOWN);
    for (const POINT& point : {OnForm(120, 80), OnForm(205, 130), OnForm(220, 140)})
        MouseTo(point);
    // The layout area of the site is its client area inside the 1-pixel
    // frame; the strip is the panel's width of it.
    const POINT siteOrigin = site->ClientToScreen(POINT{0, 0});
    const RECT strip{siteOrigin.x + 1, siteOrigin.y + 1, siteOrigin.x + 101, siteOrigin.y + 239};
    EXPECT_TRUE(EqualRect(&Outline, &strip));
    EXPECT_TRUE(ShowsOutline(POINT{strip.left + 1, siteOrigin.y + 120}))
        << "the outline stands on the strip's left edge";
    EXPECT_TRUE(ShowsOutline(POINT{strip.right - 2, siteOrigin.y + 120})) << "and on its right edge";
    MouseTo(OnForm(220, 140), MOUSEEVENTF_LEFTUP);

    EXPECT_EQ(Log,
              (std::vector<std::string>{"start", "over Site 0", "over Site 2", "drop Site 20,120", "end Site 20,120"}));
    EXPECT_EQ(Panel->Parent(), site);
    EXPECT_EQ(Panel->HostDockSite(), site);
    EXPECT_FALSE(Panel->Floating());
    EXPECT_EQ(Panel->Align(), alLeft);
    const RECT bounds = ScreenRect(Panel);
    EXPECT_TRUE(EqualRect(&bounds, &strip))
        << bounds.left << "," << bounds.top << "," << bounds.right << "," << bounds.bottom;
    EXPECT_EQ(GetParent(Panel->Handle()), site->Handle());
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragged again within the site, to its bottom third: it moves to the
    // bottom, keeping its height, and its host is not asked to let it go.
    site->OnUnDock = [this](TObject*, TControl*, TWinControl*, bool&) { Log.push_back("undock"); };
    Log.clear();
    const POINT again = Panel->ClientToScreen(POINT{50, 30});
    Drag(again, {site->ClientToScreen(POINT{60, 150}), site->ClientToScreen(POINT{90, 225})});
    EXPECT_EQ(Panel->Align(), alBottom);
    EXPECT_EQ(Panel->Height(), 60);
    EXPECT_EQ(Panel->Parent(), site);
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.back(), "end Site 90,225");
    EXPECT_EQ(std::count(Log.begin(), Log.end(), "undock"), 0);
}

// A drag that loses the mouse to another window ends there, without
// docking, and takes its outline away.
TEST_F(SkinPanelDockTest, ADragThatLosesTheMouseEndsWithoutDocking)
{
    TspSkinPanel* site = Site("Site", 200, 20, 180, 240);
    const POINT grip = Panel->ClientToScreen(POINT{50, 30});
    MouseTo(grip);
    MouseTo(grip, MOUSEEVENTF_LEFTDOWN);
    MouseTo(OnForm(150, 100));
    MouseTo(site->ClientToScreen(POINT{30, 120}));
    const POINT onOutline = site->ClientToScreen(POINT{2, 120});
    EXPECT_TRUE(ShowsOutline(onOutline));
    SetCapture(Form->Handle());
    Pump();
    EXPECT_FALSE(Panel->Dragging());
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "over Site 0", "over Site 1", "end none 0,0"}));
    EXPECT_TRUE(ShowsOutline(onOutline, false)) << "the outline is gone";
    ReleaseCapture();
    MouseTo(site->ClientToScreen(POINT{30, 120}), MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Panel->Parent(), Form);
}

// Released over no site the control floats in a tool window, placed so
// that it lies under the pointer as it was gripped; dragged from there
// into a site, it docks and the emptied tool window is freed. (The tool
// window floats beside the form: under load, Wine without a window manager
// was seen to put the form back over an overlapping tool window late, with
// no call of ours, and the next press then found the form.)
TEST_F(SkinPanelDockTest, ReleasedAwayFromAnySiteItFloatsInAToolWindowFreedWhenItLeaves)
{
    TspSkinPanel* site = Site("Site", 250, 20, 140, 240);
    const POINT release = OnForm(520, 200);
    Drag(Panel->ClientToScreen(POINT{50, 30}), {OnForm(80, 120), release});

    EXPECT_EQ(Log, (std::vector<std::string>{"start", "end none 0,0"}));
    ASSERT_TRUE(Panel->Floating());
    auto* host = dynamic_cast<TCustomDockForm*>(Panel->Parent());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(Panel->HostDockSite(), host);
    const HWND hostWnd = host->Handle();
    EXPECT_TRUE(IsWindowVisible(hostWnd));
    EXPECT_NE(GetWindowLongA(hostWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(host->Caption(), "Tools");
    EXPECT_EQ(Panel->Align(), alClient);
    const POINT grip = Panel->ClientToScreen(POINT{50, 30});
    EXPECT_EQ(grip.x, release.x);
    EXPECT_EQ(grip.y, release.y);
    // The system's smallest tool window may be wider than the panel.
    EXPECT_GE(host->ClientWidth(), 100);
    EXPECT_EQ(host->ClientHeight(), 60);
    EXPECT_EQ(WindowFromPoint(release), Panel->Handle());

    // Dragged inside its own tool window and a little on, it does not dock
    // into it: the window moves along.
    Log.clear();
    Drag(grip, {POINT{grip.x + 20, grip.y + 10}, POINT{grip.x + 30, grip.y + 15}});
    EXPECT_EQ(Panel->Parent(), host);
    EXPECT_EQ(Panel->ClientToScreen(POINT{50, 30}).x, grip.x + 30);
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "end none 0,0"}));

    const int forms = Screen->FormCount();
    Log.clear();
    Drag(Panel->ClientToScreen(POINT{50, 30}),
         {site->ClientToScreen(POINT{70, 100}), site->ClientToScreen(POINT{70, 120})});
    EXPECT_EQ(Panel->Parent(), site);
    EXPECT_EQ(Panel->Align(), alClient);
    EXPECT_FALSE(Panel->Floating());
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hostWnd); })) << "the empty tool window is freed";
    EXPECT_EQ(Screen->FormCount(), forms - 1);
}

// An old host that refuses keeps the control: neither another site nor a
// tool window takes it, by mouse or by ManualFloat; once it agrees,
// ManualFloat floats the control where asked.
TEST_F(SkinPanelDockTest, ARefusedUndockKeepsTheControlInPlace)
{
    TspSkinPanel* home = Site("Home", 10, 10, 180, 200);
    TspSkinPanel* other = Site("Other", 210, 10, 180, 200);
    EXPECT_TRUE(Panel->ManualDock(home, alTop));
    EXPECT_EQ(Panel->Parent(), home);
    EXPECT_EQ(Panel->Align(), alTop);
    EXPECT_EQ(Log, (std::vector<std::string>{"drop Home 10,10"})) << "the panel's old place, in the site";
    bool allow = false;
    std::vector<TWinControl*> asked;
    home->OnUnDock = [&](TObject* sender, TControl* client, TWinControl* newTarget, bool& allowed) {
        EXPECT_EQ(sender, home);
        EXPECT_EQ(client, Panel);
        asked.push_back(newTarget);
        allowed = allow;
    };
    const int forms = Screen->FormCount();

    Log.clear();
    Drag(Panel->ClientToScreen(POINT{50, 30}),
         {other->ClientToScreen(POINT{90, 50}), other->ClientToScreen(POINT{90, 100})});
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "over Other 0", "over Other 2", "over Other 1", "end none 0,0"}));
    Log.clear();
    Drag(Panel->ClientToScreen(POINT{50, 30}), {OnForm(200, 235), OnForm(150, 240)});
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "end none 0,0"}));
    EXPECT_FALSE(Panel->ManualFloat(RECT{300, 300, 400, 360}));
    EXPECT_EQ(asked, (std::vector<TWinControl*>{other, nullptr, nullptr}));
    EXPECT_EQ(Panel->Parent(), home);
    EXPECT_EQ(Panel->Align(), alTop);
    EXPECT_EQ(GetParent(Panel->Handle()), home->Handle());
    EXPECT_EQ(Screen->FormCount(), forms) << "no tool window was made";

    allow = true;
    EXPECT_TRUE(Panel->ManualFloat(RECT{300, 300, 400, 360}));
    ASSERT_TRUE(Panel->Floating());
    EXPECT_EQ(Panel->ClientToScreen(POINT{0, 0}).x, 300);
    EXPECT_EQ(Panel->ClientToScreen(POINT{0, 0}).y, 300);
    EXPECT_EQ(Panel->Height(), 60);
}

// A site whose OnGetSiteInfo refuses passes the control to the next site
// outwards, as does one whose influence rectangle leaves the pointer out;
// a site whose OnDockOver refuses lets it float.
TEST_F(SkinPanelDockTest, SitesRefuseByTheirSiteInfoOrTheirDockOver)
{
    TspSkinPanel* outer = Site("Outer", 150, 10, 240, 250);
    TspSkinPanel* inner = Site("Inner", 20, 20, 200, 100, outer);
    bool canDock = false;
    inner->OnGetSiteInfo = [&](TObject*, TControl* client, RECT& influence, POINT mouse, bool& can) {
        EXPECT_EQ(client, Panel);
        RECT window{};
        GetWindowRect(inner->Handle(), &window);
        EXPECT_TRUE(EqualRect(&influence, &window)) << "the site's window by default";
        EXPECT_TRUE(PtInRect(&window, mouse));
        can = canDock;
        if (can)  // its right half only
            influence.left = (window.left + window.right) / 2;
    };
    const POINT inInnerLeft = inner->ClientToScreen(POINT{40, 50});
    Drag(Panel->ClientToScreen(POINT{50, 30}), {inInnerLeft, POINT{inInnerLeft.x + 5, inInnerLeft.y}});
    EXPECT_EQ(Panel->Parent(), outer) << "refused";
    Home();
    canDock = true;
    Drag(Panel->ClientToScreen(POINT{50, 30}), {inInnerLeft, POINT{inInnerLeft.x + 5, inInnerLeft.y}});
    EXPECT_EQ(Panel->Parent(), outer) << "outside its influence";
    Home();
    Drag(Panel->ClientToScreen(POINT{50, 30}),
         {inner->ClientToScreen(POINT{150, 50}), inner->ClientToScreen(POINT{160, 50})});
    EXPECT_EQ(Panel->Parent(), inner) << "inside it";
    EXPECT_EQ(Panel->Align(), alRight);

    outer->OnDockOver = [](TObject*, TDragDockObject*, int, int, TDragState, bool& accept) { accept = false; };
    Log.clear();
    Drag(Panel->ClientToScreen(POINT{50, 30}),
         {outer->ClientToScreen(POINT{100, 200}), outer->ClientToScreen(POINT{100, 210})});
    EXPECT_TRUE(Panel->Floating()) << "refused by its dock-over";
    EXPECT_EQ(Log, (std::vector<std::string>{"start", "end none 0,0"}));
}

}  // namespace
