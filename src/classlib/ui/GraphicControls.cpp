#include "classlib/ui/Controls.h"


TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner)
{
}

void TGraphicControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_PAINT && message.WParam != 0) {
        const TPaintCanvasScope scope(&FCanvas, reinterpret_cast<HDC>(message.WParam), Font());
        Paint();
        message.Result = 0;
        return;
    }
    TControl::WndProc(message);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
    FCustomPaint = true;
}

void TCustomControl::PaintWindow(HDC dc)
{
    const TPaintCanvasScope scope(&FCanvas, dc, Font());
    Paint();
}
