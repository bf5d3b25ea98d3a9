// Test support of the program's end-to-end tests: runs of Corvalen.scr as
// the system starts them, the stored options, the dialog's controls found by
// class and text and driven as a user would, and pixels on the screen.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../../support/DropDownList.h"
#include "../../support/ScreenPixels.h"
#include "classlib/core/BmpCodec.h"
#include "classlib/system/KernelHandles.h"
#include "../../support/TempFolder.h"
#include "../../support/ProgramPath.h"
#include "../../support/RealInput.h"

namespace endtoend {

using testsupport::ProgramPath;

// Bounds of the waits for the program to show its sign of readiness (a
// window of a kind) and to end: a start takes a few seconds alone and has
// taken more than 20 under the load of parallel runs, so the bounds lie far
// beyond anything load reaches and only a fault turns a run red. A wait for
// a run's window ends at once when the run has ended or never started.
constexpr DWORD ReadyBound = 180000;
constexpr DWORD EndBound = 60000;

// Whether `done` comes true within `ms`.
template <class Done>
bool Within(DWORD ms, Done done)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start <= ms; Sleep(20))
        if (done())
            return true;
    return false;
}

// One run of a program; a run still going at the end is ended by force.
class TRun {
public:
    // With `errorFile`, the run's error output (where Wine writes its
    // trace) goes to that file.
    TRun(const std::string& program, const std::string& parameters, const std::string& directory = {},
         const std::string& errorFile = {})
    {
        std::string command = "\"" + program + "\" " + parameters;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        TKernelHandle errors;
        if (!errorFile.empty()) {
            SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
            errors.Reset(CreateFileA(errorFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
            startup.hStdOutput = errors.Get();
            startup.hStdError = errors.Get();
        }
        PROCESS_INFORMATION started{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, errorFile.empty() ? FALSE : TRUE, 0, nullptr,
                           directory.empty() ? nullptr : directory.c_str(), &startup, &started)) {
            TKernelHandle thread(started.hThread);  // not needed: closed at once
            FProcess.Reset(started.hProcess);
            FProcessId = started.dwProcessId;
        }
    }
    ~TRun()
    {
        if (FProcess && !WaitForEnd(0)) {
            TerminateProcess(FProcess.Get(), 1);
            WaitForEnd(5000);
        }
    }

    bool Started() const { return static_cast<bool>(FProcess); }
    bool WaitForEnd(DWORD ms) const { return WaitForSingleObject(FProcess.Get(), ms) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(FProcess.Get(), &code);
        return code;
    }

    // A visible top-level window of the run that `accept` takes, waited for
    // up to `ms` while the run goes on; none for a run that did not start.
    HWND WaitForWindow(DWORD ms, const std::function<bool(HWND)>& accept) const
    {
        return FProcess ? WaitForWindowOf(FProcessId, ms, accept, 0, FProcess.Get()) : nullptr;
    }
    // The same for a window of any process but `excluded`'s, while the
    // process `running` (unless null) goes on.
    static HWND WaitForWindowOf(DWORD processId, DWORD ms, const std::function<bool(HWND)>& accept,
                                DWORD excluded = 0, HANDLE running = nullptr)
    {
        HWND found = nullptr;
        Within(ms, [&] {
            if (running != nullptr && WaitForSingleObject(running, 0) == WAIT_OBJECT_0)
                return true;
            for (HWND wnd = GetTopWindow(nullptr); wnd != nullptr && !found; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(wnd, &pid);
                const bool owned = processId != 0 ? pid == processId : pid != excluded;
                if (owned && IsWindowVisible(wnd) && accept(wnd))
                    found = wnd;
            }
            return found != nullptr;
        });
        return found;
    }
    DWORD ProcessId() const { return FProcessId; }

    // What a wait that found nothing saw: whether the run still goes on, and
    // each top-level window of it (class, caption, visible, enabled).
    std::string Windows() const
    {
        if (!Started())
            return "never started";
        std::string seen = WaitForEnd(0) ? "ended" : "still running";
        for (HWND wnd = GetTopWindow(nullptr); wnd != nullptr; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(wnd, &pid);
            if (pid != FProcessId)
                continue;
            char name[64] = {}, text[128] = {};
            GetClassNameA(wnd, name, sizeof name);
            GetWindowTextA(wnd, text, sizeof text);
            seen += std::string("; ") + name + " \"" + text + "\"" + (IsWindowVisible(wnd) ? " visible" : " hidden") +
                    (IsWindowEnabled(wnd) ? "" : " disabled");
        }
        return seen;
    }

private:
    TKernelHandle FProcess;
    DWORD FProcessId = 0;
};

inline bool CoversTheScreen(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    return r.left <= 0 && r.top <= 0 && r.right >= GetSystemMetrics(SM_CXSCREEN) &&
           r.bottom >= GetSystemMetrics(SM_CYSCREEN) && (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

inline void PressKey(HWND wnd, WPARAM key)
{
    SetForegroundWindow(wnd);
    PostMessageA(wnd, WM_KEYDOWN, key, 1);
    PostMessageA(wnd, WM_KEYUP, key, 1u | (1u << 30) | (1u << 31));
}

// The options of the product version under root: value name -> text.
const char* const OptionKey = "Software\\Veltrask Software\\3D Corvalen 2";

using TOptions = std::map<std::string, std::string>;

inline TOptions Options(HKEY root)
{
    TOptions result;
    HKEY key;
    if (RegOpenKeyExA(root, OptionKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return result;
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        data[dataSize] = 0;
        result[name] = type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data))
                                         : std::string(reinterpret_cast<char*>(data));
    }
    RegCloseKey(key);
    return result;
}

// The option as the program reads it: HKEY_LOCAL_MACHINE first, then HKEY_CURRENT_USER.
inline std::string OptionOf(const std::string& name)
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const TOptions options = Options(root);
        if (auto it = options.find(name); it != options.end())
            return it->second;
    }
    return "(missing)";
}

// The value stored as text (the key made when missing).
inline void SetOption(HKEY root, const std::string& name, const std::string& value)
{
    ASSERT_EQ(RegSetKeyValueA(root, OptionKey, name.c_str(), REG_SZ, value.c_str(),
                              static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
}

inline void ClearOptions()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, OptionKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, OptionKey);
}

// Every test starts and ends without stored options, with a folder of its
// own to run the program in.
class ProgramEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ClearOptions(); }
    void TearDown() override { ClearOptions(); }
    testsupport::TTempFolder Dir;
};

inline bool HasCaption(HWND wnd, const std::string& caption)
{
    char text[128] = {};
    GetWindowTextA(wnd, text, sizeof text);
    return caption == text;
}

// The dialog once its controls show the options (its caption carries the version then).
inline bool IsReadyDialog(HWND wnd) { return HasCaption(wnd, "3D Corvalen v2.30"); }

inline bool IsAboutBox(HWND wnd) { return HasCaption(wnd, "About 3D Corvalen Screen Saver"); }

// The first window below `parent` (at any depth) of that class and, unless
// empty, that text.
inline HWND FindControl(HWND parent, const std::string& className, const std::string& text = {})
{
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (_stricmp(name, className.c_str()) == 0 && (text.empty() || HasCaption(child, text)))
            return child;
        if (const HWND found = FindControl(child, className, text))
            return found;
    }
    return nullptr;
}

// The control of that class inside the group box with that caption.
inline HWND InGroup(HWND dialog, const std::string& group, const std::string& className, const std::string& text = {})
{
    const HWND box = FindControl(dialog, "TspSkinGroupBox", group);
    return box == nullptr ? nullptr : FindControl(box, className, text);
}

// A mouse click on a button, check box or radio button (skinned or not)
// in the shape a user's takes: the pointer over its centre, then a press
// and a release there; posted to the control (not real input), so that a
// modal loop or the end of the program does not hold the test.
inline void Press(HWND button)
{
    ASSERT_NE(button, nullptr);
    RECT client{};
    GetClientRect(button, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    POINT screen = centre;
    ClientToScreen(button, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    PostMessageA(button, WM_MOUSEMOVE, 0, at);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
}

using testsupport::MouseAt;

// A real left click (system input) on the centre of a control, its window
// brought to the front first, as a user clicks it. The caller waits for
// the click's effect.
inline void Click(HWND control)
{
    ASSERT_NE(control, nullptr);
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    RECT r{};
    GetWindowRect(control, &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    MouseAt(centre);
    testsupport::LeftClickAt(centre);
}

inline bool IsChecked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The thumb moved to `position` and let go, as a user's drag ends.
inline void Slide(HWND trackBar, int position)
{
    ASSERT_NE(trackBar, nullptr);
    SendMessageA(trackBar, TBM_SETPOS, TRUE, position);
    SendMessageA(GetParent(trackBar), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(trackBar));
}

inline int SliderPosition(HWND trackBar) { return static_cast<int>(SendMessageA(trackBar, TBM_GETPOS, 0, 0)); }

inline void Choose(HWND comboBox, int index)
{
    ASSERT_NE(comboBox, nullptr);
    SendMessageA(comboBox, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboBox));
}

inline int Chosen(HWND comboBox) { return static_cast<int>(SendMessageA(comboBox, CB_GETCURSEL, 0, 0)); }

using testsupport::Dropped;
using testsupport::DropButtonOf;
using testsupport::DroppedItemOf;

// A 16 x 16 grid of points over the window as the screen shows it.
inline std::vector<COLORREF> PixelsOn(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    std::vector<COLORREF> pixels;
    for (int i = 0; i < 16; ++i)
        for (int j = 0; j < 16; ++j)
            pixels.push_back(testsupport::ScreenPixel(r.left + (r.right - r.left) * (2 * i + 1) / 32,
                                                      r.top + (r.bottom - r.top) * (2 * j + 1) / 32));
    return pixels;
}

// At some moment within `ms` the screen shows a picture over the window,
// not a cleared window: many colours.
inline bool ShowsAPicture(HWND wnd, DWORD ms = ReadyBound)
{
    return Within(ms, [wnd] {
        const std::vector<COLORREF> pixels = PixelsOn(wnd);
        return std::set<COLORREF>(pixels.begin(), pixels.end()).size() >= 20;
    });
}

}  // namespace endtoend
