// Hooks on a control's WindowProc and on the application window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/WindowProcHook.h"

namespace {

constexpr UINT Probe = WM_APP + 7;

}  // namespace

// Hooks come off in any order without an older procedure replacing a newer
// hook; each sees the messages while it is installed.
TEST(WindowHooks, WindowProcHooksRemovedInAnyOrder)
{
    TForm form(nullptr);
    std::string seen;
    auto hook = [&seen](TWindowProcHook& self, char name) {
        return [&seen, &self, name](TMessage& m) {
            if (m.Msg == Probe)
                seen += name;
            self.CallPrevious(m);
        };
    };
    TWindowProcHook a, b, c;
    a.Install(&form, hook(a, 'a'));
    b.Install(&form, hook(b, 'b'));
    c.Install(&form, hook(c, 'c'));
    form.Perform(Probe, 0, 0);
    EXPECT_EQ(seen, "cba");
    b.Remove();
    seen.clear();
    form.Perform(Probe, 0, 0);
    EXPECT_EQ(seen, "ca");
    c.Remove();
    seen.clear();
    form.Perform(Probe, 0, 0);
    EXPECT_EQ(seen, "a");
    a.Remove();
    seen.clear();
    form.Perform(Probe, 0, 0);
    EXPECT_EQ(seen, "");
    EXPECT_EQ(form.Perform(WM_GETTEXTLENGTH, 0, 0), 0);
}

// Application-window hooks see messages first, newest first; one that
// answers true ends the message; removed hooks see nothing more.
TEST(WindowHooks, ApplicationWindowHooks)
{
    std::string seen;
    const int first = Application->HookMainWindow([&](TMessage& m) {
        if (m.Msg != Probe)
            return false;
        seen += '1';
        m.Result = 11;
        return true;
    });
    const int second = Application->HookMainWindow([&](TMessage& m) {
        if (m.Msg == Probe)
            seen += '2';
        return false;
    });
    EXPECT_EQ(SendMessageA(Application->Handle(), Probe, 0, 0), 11);
    EXPECT_EQ(seen, "21");
    Application->UnhookMainWindow(first);
    seen.clear();
    EXPECT_EQ(SendMessageA(Application->Handle(), Probe, 0, 0), 0);
    EXPECT_EQ(seen, "2");
    Application->UnhookMainWindow(second);
    seen.clear();
    SendMessageA(Application->Handle(), Probe, 0, 0);
    EXPECT_EQ(seen, "");
    EXPECT_NE(Application->Icon(), nullptr);
}
