#include "classlib/ui/ExtCtrlsBars.h"

#include <algorithm>

#include "classlib/ui/StdCtrlsDraw.h"

// --- TSplitter ------------------------------------------------------------------------

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crSizeWE);
}

void TSplitter::SetBounds(int left, int top, int width, int height)
{
    // Every change of alignment reaches the splitter through its parent's
    // layout, which places it here.
    SetCursor(Horizontal() ? crSizeNS : crSizeWE);
    TGraphicControl::SetBounds(left, top, width, height);
}

TControl* TSplitter::FindControl() const
{
    const TWinControl* parent = Parent();
    if (parent == nullptr || Align() == alNone || Align() == alClient)
        return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == this || !control->Visible() || control->Align() != Align())
            continue;
        const RECT r = control->BoundsRect();
        const bool touches = (Align() == alLeft && r.right == Left()) ||
                             (Align() == alRight && r.left == Left() + Width()) ||
                             (Align() == alTop && r.bottom == Top()) ||
                             (Align() == alBottom && r.top == Top() + Height());
        if (touches)
            return control;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    FControl = FindControl();
    if (FControl == nullptr)
        return;
    FDownPos = Horizontal() ? y + Top() : x + Left();
    FStartSize = Horizontal() ? FControl->Height() : FControl->Width();
    // The control may take the room up to the far edge of the parent's
    // client area, less the splitter itself.
    const RECT client = Parent()->ClientRect();
    const int extent = Horizontal() ? client.bottom - client.top : client.right - client.left;
    FMaxSize = std::max(FMinSize, extent - (Horizontal() ? Height() : Width()));
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (FControl == nullptr)
        return;
    const int position = Horizontal() ? y + Top() : x + Left();
    const int delta = Align() == alLeft || Align() == alTop ? position - FDownPos : FDownPos - position;
    const int size = std::clamp(FStartSize + delta, FMinSize, FMaxSize);
    if (Horizontal()) {
        if (size != FControl->Height())
            FControl->SetBounds(FControl->Left(), Align() == alBottom ? FControl->Top() + FControl->Height() - size
                                                                      : FControl->Top(),
                                FControl->Width(), size);
    } else if (size != FControl->Width()) {
        FControl->SetBounds(Align() == alRight ? FControl->Left() + FControl->Width() - size : FControl->Left(),
                            FControl->Top(), size, FControl->Height());
    }
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && FControl != nullptr)
        StopSizing();
}

void TSplitter::StopSizing()
{
    FControl = nullptr;
    Fire(OnMoved, this);
}

void TSplitter::Paint()
{
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(RECT{0, 0, Width(), Height()});
}

// --- TCustomControlBar -------------------------------------------------------------------

TCustomControlBar::TCustomControlBar(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 100, 50);
}

RECT TCustomControlBar::BandRect(TControl* control)
{
    return RECT{control->Left() - BandGrabberWidth, control->Top() - BandBorder,
                control->Left() + control->Width() + BandBorder, control->Top() + control->Height() + BandBorder};
}

void TCustomControlBar::AlignBands()
{
    if (FAligning || (ComponentState() & (csLoading | csDestroying)) != 0)
        return;
    FAligning = true;
    RECT client = ClientRect();
    AdjustClientRect(client);
    int x = client.left;
    int y = client.top;
    int rowHeight = 0;
    for (TControl* control : FBands) {
        if (!control->Visible())
            continue;
        const int bandWidth = control->Width() + BandGrabberWidth + BandBorder;
        const int bandHeight = control->Height() + 2 * BandBorder;
        if (x > client.left && x + bandWidth > client.right) {
            x = client.left;
            y += rowHeight;
            rowHeight = 0;
        }
        control->SetBounds(x + BandGrabberWidth, y + BandBorder, control->Width(), control->Height());
        x += bandWidth;
        rowHeight = std::max(rowHeight, bandHeight);
    }
    FAligning = false;
    Invalidate();
}

void TCustomControlBar::Loaded()
{
    TCustomControl::Loaded();
    AlignBands();
}

void TCustomControlBar::WndProc(TMessage& message)
{
    if (message.Msg == CM_CONTROLCHANGE) {
        auto* control = reinterpret_cast<TControl*>(message.WParam);
        std::erase(FBands, control);
        if (message.LParam != 0)
            FBands.push_back(control);
        else if (control == FDragBand)
            FDragBand = nullptr;
    }
    TCustomControl::WndProc(message);
    if (message.Msg == CM_CONTROLCHANGE || message.Msg == WM_WINDOWPOSCHANGED)
        AlignBands();
}

void TCustomControlBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    for (TControl* control : FBands) {
        const RECT band = BandRect(control);
        if (control->Visible() && PtInRect(&band, POINT{x, y}))
            FDragBand = control;
    }
}

void TCustomControlBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TControl* dragged = button == mbLeft ? FDragBand : nullptr;
    if (button == mbLeft)
        FDragBand = nullptr;
    if (dragged != nullptr) {
        std::erase(FBands, dragged);
        auto place = FBands.begin();
        for (; place != FBands.end(); ++place) {
            const RECT band = BandRect(*place);
            if ((*place)->Visible() &&
                (y < band.top || (y < band.bottom && x < (band.left + band.right) / 2)))
                break;
        }
        FBands.insert(place, dragged);
        AlignBands();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomControlBar::ControlResized(TControl* /*control*/)
{
    AlignBands();
    Invalidate();
}

void TCustomControlBar::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(RECT{0, 0, Width(), Height()});
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Visible())
            DrawBand(Canvas(), control, BandRect(control));
    }
}

void TCustomControlBar::DrawBand(TCanvas* canvas, TControl* /*control*/, RECT rect)
{
    const HDC dc = canvas->Handle();
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT);
    // The grabber: two raised lines down the left strip.
    for (const int x : {rect.left + 3, rect.left + 6}) {
        RECT line{x, rect.top + 2, x + 3, rect.bottom - 2};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
    }
}
