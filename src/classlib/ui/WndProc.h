// From window handles to C++ objects.
//
// Every window class the class library registers has one window procedure,
// `StdWndProc`. It finds the object attached to the window (a
// `TWindowTarget`, kept in a window property) and hands it the message. The
// object is attached either at creation - pass the target as the
// `lpParam` of CreateWindowEx, converted to `TWindowTarget*` first, and it is
// attached on WM_NCCREATE - or later with `AttachWindowTarget`, which also
// works for windows of foreign classes by subclassing them.
//
// No C++ exception leaves the procedure: anything a target throws goes to
// `Application->HandleException` and the message returns 0.
//
// A target must outlive its window or detach itself first; after the
// window's last message (WM_NCDESTROY) it is detached and told through
// `WindowDestroyed`.
#pragma once

#include <windows.h>

#include <functional>

#include "classlib/ui/Messages.h"

class TWindowTarget {
public:
    virtual ~TWindowTarget() = default;

    // One message of `wnd`; the result is the window procedure's. Messages
    // the target does not answer go to DefaultWindowProc.
    virtual LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    // `wnd` has handled its last message and the target is detached from it.
    virtual void WindowDestroyed(HWND /*wnd*/) {}
};

LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Registers `windowClass` with StdWndProc as its procedure and this module
// as its instance (cbSize, lpfnWndProc and hInstance are filled in), unless
// a class of that name is registered already. Raises Exception when the
// class cannot be registered.
void RegisterWindowClass(WNDCLASSEXA windowClass);

// Attaches `target` to an existing window, replacing any target it had. A
// window whose procedure is not StdWndProc is subclassed; its own procedure
// then gives the default processing (DefaultWindowProc).
void AttachWindowTarget(HWND wnd, TWindowTarget* target);
// Detaches the window's target and undoes the subclassing where it can;
// the window's messages then get only the default processing.
void DetachWindowTarget(HWND wnd);
TWindowTarget* WindowTargetOf(HWND wnd);

// The processing `wnd` has without a target: the procedure it had before it
// was subclassed, or DefWindowProcA.
LRESULT DefaultWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A hidden top-level window (class "TPUtilWindow") whose messages all go to
// `method`: it gets them as TMessage, answers in Result (0 by default) and
// calls CallDefWindowProc itself for the messages it leaves to the system.
// The messages of the window's creation get the default processing.
// Raises Exception when the window cannot be created.
HWND AllocateHWnd(std::function<void(TMessage&)> method);
// Destroys a window made by AllocateHWnd; its method gets no more messages,
// not even those of the destruction. A null handle is ignored.
void DeallocateHWnd(HWND wnd);
