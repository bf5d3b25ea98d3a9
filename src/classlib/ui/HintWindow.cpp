#include "classlib/ui/HintWindow.h"

#include "classlib/graphics/Colors.h"
#include "classlib/ui/Screen.h"

THintWindowClass HintWindowClass = CreateHintWindowOf<THintWindow>;

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    SetColor(clInfoBk);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW;
    params.WndParent = Application->Handle();
    params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::WndProc(TMessage& message)
{
    // A click on the hint must not take the activation from the form below.
    if (message.Msg == WM_MOUSEACTIVATE) {
        message.Result = MA_NOACTIVATE;
        return;
    }
    TCustomControl::WndProc(message);
}

void THintWindow::ActivateHint(RECT rect, const std::string& AHint)
{
    SetCaption(AHint);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (Screen != nullptr) {
        if (rect.left + width > Screen->Width())
            rect.left = Screen->Width() - width;
        if (rect.top + height > Screen->Height())
            rect.top = Screen->Height() - height;
    }
    SetBounds(rect.left, rect.top, width, height);
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::Paint()
{
    TCanvas* canvas = Canvas();
    RECT rect = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
    rect.left += 2;
    rect.top += 2;
    canvas->Font()->SetColor(clInfoText);
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(Caption(), rect, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
