// Window messages as the class library hands them to message methods.
//
// `TMessage` is one message in a form a method can answer: it fills `Result`,
// which becomes the window procedure's return value. A method that wants the
// system's default behaviour for a message asks for it explicitly with
// `CallDefWindowProc`.
#pragma once

#include <windows.h>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// A key message (WM_KEYDOWN, WM_SYSKEYDOWN ...) as shortcut handlers see it:
// the virtual-key code and the key data (repeat count, scan code, flags).
struct TWMKey {
    UINT Msg;
    WORD CharCode;
    LPARAM KeyData;
    LRESULT Result;
};

// Gives `message` the default processing of `wnd`: Result = DefWindowProcA.
inline void CallDefWindowProc(HWND wnd, TMessage& message)
{
    message.Result = DefWindowProcA(wnd, message.Msg, message.WParam, message.LParam);
}
