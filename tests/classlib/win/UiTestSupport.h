// Shared pieces of the window tests: a watchdog that ends a message loop
// instead of letting it hang, and a fixture that runs a scenario inside
// Application->Run, the way forms live in the real program.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"
#include "../../support/ExceptionMessage.h"
#include "../../support/RealInput.h"
#include "../../support/ScreenPixels.h"

namespace uitest {

using testsupport::MessageOf;

// Posts WM_QUIT to the creating thread when it is not cancelled in time.
class TLoopWatchdog {
public:
    explicit TLoopWatchdog(std::chrono::milliseconds limit = std::chrono::seconds(5))
        : FThreadId(GetCurrentThreadId()), FThread([this, limit] { Watch(limit); })
    {
    }
    ~TLoopWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FCancelled = true;
        }
        FWake.notify_all();
        FThread.join();
    }
    TLoopWatchdog(const TLoopWatchdog&) = delete;
    TLoopWatchdog& operator=(const TLoopWatchdog&) = delete;
    bool Fired() const { return FFired; }

private:
    void Watch(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> lock(FMutex);
        if (!FWake.wait_for(lock, limit, [this] { return FCancelled; })) {
            FFired = true;
            PostThreadMessageA(FThreadId, WM_QUIT, 0, 0);
        }
    }

    DWORD FThreadId;
    std::mutex FMutex;
    std::condition_variable FWake;
    bool FCancelled = false;
    std::atomic<bool> FFired{false};
    std::thread FThread;
};

// Runs `thrower` and hands what it throws to the application, as the loop does.
template <typename Throw>
void HandleThrown(Throw thrower)
{
    try {
        thrower();
    } catch (...) {
        Application->HandleException(nullptr);
    }
}

class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Drain();
        Application->OnException = [this](TObject* sender, Exception& e) {
            Errors.push_back(e.Message);
            ErrorSenders.push_back(sender);
        };
    }
    void TearDown() override
    {
        while (Screen->FormCount() > 0)
            delete Screen->Forms(Screen->FormCount() - 1);
        Application->SetMainForm(nullptr);
        Application->OnException = nullptr;
        Application->OnIdle = nullptr;
        Application->OnShortCut = nullptr;
        Screen->SetCursor(crDefault);
        Drain();
    }

    // Handles what is queued; a WM_QUIT left over from a test is dropped.
    static void Drain()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

    // Handles messages until `done` says so or `limit` passes; false on timeout.
    static bool PumpUntil(const std::function<bool()>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(3))
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            Application->ProcessMessages();
            Sleep(1);
        }
        return true;
    }

    // Runs `body` from a message handled by Application->Run, then ends the
    // loop; false when the watchdog had to end it.
    static bool RunScenario(const std::function<void()>& body,
                            std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const HWND trigger = AllocateHWnd([&body](TMessage& message) {
            if (message.Msg == WM_USER) {
                body();
                Application->Terminate();
            }
        });
        PostMessageA(trigger, WM_USER, 0, 0);
        bool ok;
        {
            TLoopWatchdog watchdog(limit);
            Application->Run();
            ok = !watchdog.Fired();
        }
        DeallocateHWnd(trigger);
        return ok;
    }

    // Makes the form the foreground window (no window manager does it here).
    static void Activate(TCustomForm* form)
    {
        SetForegroundWindow(form->Handle());
        SetActiveWindow(form->Handle());
        SetFocus(form->Handle());
    }

    // A form of the given client size, shown and active when `show`.
    static TForm* MakeForm(int clientWidth = 300, int clientHeight = 200, bool show = true)
    {
        auto* form = new TForm(nullptr);
        form->SetClientWidth(clientWidth);
        form->SetClientHeight(clientHeight);
        if (show) {
            form->Show();
            Activate(form);
        }
        return form;
    }

    template <class T>
    static T* AddControl(TWinControl* parent, int left, int top, int width, int height)
    {
        auto* control = new T(parent);
        control->SetBounds(left, top, width, height);
        control->SetParent(parent);
        return control;
    }

    // A key pressed and released on the control, focused first.
    static void PressKey(TWinControl* control, WORD key)
    {
        control->SetFocus();
        SendMessageA(control->Handle(), WM_KEYDOWN, key, 1);
        SendMessageA(control->Handle(), WM_KEYUP, key, 1u | (1u << 30) | (1u << 31));
    }

    // A key typed as a user types it (real input, to the focused window of
    // the foreground one), with Shift held when `shift`; TypeKey then lets
    // the application's loop handle what it brought.
    static void SendKey(WORD key, bool shift = false)
    {
        std::vector<INPUT> inputs;
        const auto add = [&inputs](WORD code, DWORD flags) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        };
        if (shift)
            add(VK_SHIFT, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (shift)
            add(VK_SHIFT, KEYEVENTF_KEYUP);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    static void TypeKey(WORD key, bool shift = false)
    {
        SendKey(key, shift);
        for (int i = 0; i < 10; ++i, Sleep(5))
            Application->ProcessMessages();
    }

    // A left click at (x, y) of the window's client area.
    static void ClickAt(HWND wnd, int x, int y)
    {
        SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

    static std::string WindowText(HWND wnd)
    {
        char text[256] = {};
        GetWindowTextA(wnd, text, sizeof(text));
        return text;
    }

    static COLORREF PixelOf(HWND wnd, int x, int y)
    {
        const HDC dc = GetDC(wnd);
        const COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(wnd, dc);
        return color;
    }

    static bool Near(COLORREF a, COLORREF b) { return testsupport::ColoursNear(a, b); }

    std::vector<std::string> Errors;
    std::vector<TObject*> ErrorSenders;
};

}  // namespace uitest
