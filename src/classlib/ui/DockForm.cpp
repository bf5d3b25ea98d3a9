#include "classlib/ui/DockForm.h"

TCustomDockForm::TCustomDockForm(TComponent* owner) : TCustomForm(owner)
{
    SetBorderStyle(bsSizeToolWin);
    SetBorderIcons(biSystemMenu);
    DockSite = true;
}

void TCustomDockForm::SetClientBounds(const RECT& screenRect)
{
    const HWND wnd = Handle();
    RECT outer = screenRect;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(wnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(wnd, GWL_EXSTYLE)));
    SetBounds(outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top);
}

void TCustomDockForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_CONTROLCHANGE:
        if (message.LParam == 0 && ControlCount() == 0 && !FReleasedEmpty) {
            FReleasedEmpty = true;
            Release();
        }
        break;
    case CM_RELEASE:
        // Released for being empty, but a client has come in since.
        if (FReleasedEmpty) {
            FReleasedEmpty = false;
            if (ControlCount() > 0)
                return;
        }
        break;
    }
    TCustomForm::WndProc(message);
}
