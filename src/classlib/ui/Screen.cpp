#include "classlib/ui/Screen.h"

#include <algorithm>

#include "classlib/core/SysUtils.h"

TScreen* InitScreen()
{
    static TScreen screen;
    return &screen;
}

TScreen* Screen = InitScreen();

TScreen::TScreen() : TComponent(nullptr)
{
}

TScreen::~TScreen()
{
    Screen = nullptr;
}

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

void TScreen::SetCursor(TCursor cursor)
{
    if (cursor == FCursor)
        return;
    FCursor = cursor;
    if (cursor != crDefault) {
        ::SetCursor(Cursors(cursor));
        return;
    }
    // Let the window under the mouse choose its cursor again.
    POINT point{};
    GetCursorPos(&point);
    if (HWND wnd = WindowFromPoint(point)) {
        if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
            const LRESULT hit = SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
            SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
        }
    }
}

HCURSOR TScreen::Cursors(TCursor index) const
{
    const char* system = nullptr;
    switch (index) {
    case crDefault:
    case crArrow:
        system = IDC_ARROW;
        break;
    case crNone:
        return nullptr;
    case crCross:
        system = IDC_CROSS;
        break;
    case crIBeam:
        system = IDC_IBEAM;
        break;
    case crSizeNESW:
        system = IDC_SIZENESW;
        break;
    case crSizeNS:
        system = IDC_SIZENS;
        break;
    case crSizeNWSE:
        system = IDC_SIZENWSE;
        break;
    case crSizeWE:
        system = IDC_SIZEWE;
        break;
    case crUpArrow:
        system = IDC_UPARROW;
        break;
    case crHourGlass:
        system = IDC_WAIT;
        break;
    case crNo:
    case crNoDrop:
        system = IDC_NO;
        break;
    case crAppStart:
        system = IDC_APPSTARTING;
        break;
    case crHelp:
        system = IDC_HELP;
        break;
    case crHandPoint:
        system = IDC_HAND;
        break;
    case crSizeAll:
        system = IDC_SIZEALL;
        break;
    default: {
        const auto found = FCursors.find(index);
        if (found != FCursors.end())
            return found->second;
        system = IDC_ARROW;
    }
    }
    return LoadCursorA(nullptr, system);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor)
{
    FCursors[index] = cursor;
}

TCustomForm* TScreen::Forms(int index) const
{
    CheckListIndex(index, FormCount());
    return FForms[static_cast<size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form)
{
    FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
    if (FActiveForm == form)
        FActiveForm = nullptr;
}
