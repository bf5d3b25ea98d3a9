// Dragging one control onto another. One drag runs at a time; its source
// holds the mouse capture, so every move and the release reach it. A dock
// drag hands its moves and its end to its TDragDockObject.
#include <windowsx.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "classlib/ui/ControlDock.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/Screen.h"

namespace {

struct TDrag {
    TControl* Source = nullptr;
    TControl* Target = nullptr;
    bool Accepted = false;
    bool Started = false;  // the threshold was passed
    int Threshold = 0;
    POINT Start{};
    POINT Last{};
    // Set for a dkDock source. Whoever runs one of its steps holds it too:
    // a handler that frees the source ends the drag meanwhile.
    std::shared_ptr<TDragDockObject> Dock;
};

TDrag Drag;

// The drags whose ends are running their handlers (EndDrag clears Drag
// first): a control a handler frees is cleared from these too.
std::vector<TDrag*> Ending;

// Lists a drag in Ending while its end's handlers run.
class TEndingScope {
public:
    explicit TEndingScope(TDrag& drag) : FDrag(&drag) { Ending.push_back(FDrag); }
    ~TEndingScope() { std::erase(Ending, FDrag); }
    TEndingScope(const TEndingScope&) = delete;
    TEndingScope& operator=(const TEndingScope&) = delete;

private:
    TDrag* FDrag;
};

// The control under a screen point: the innermost window of ours there,
// then its windowless child at the point.
TControl* FindDragTarget(POINT screen)
{
    HWND wnd = WindowFromPoint(screen);
    TWinControl* windowed = nullptr;
    for (; wnd != nullptr && windowed == nullptr; wnd = GetParent(wnd))
        windowed = TWinControl::FindControl(wnd);
    if (windowed == nullptr)
        return nullptr;
    TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(screen));
    return child != nullptr ? child : windowed;
}

}  // namespace

void TControl::BeginDrag(bool immediate, int threshold)
{
    if (Drag.Source != nullptr)
        return;
    Drag = TDrag{};
    Drag.Source = this;
    Drag.Started = immediate;
    Drag.Threshold = threshold < 0 ? 5 : threshold;
    GetCursorPos(&Drag.Start);
    Drag.Last = Drag.Start;
    if (FDragKind == dkDock) {
        Drag.Dock = std::make_shared<TDragDockObject>(this);
        Drag.Dock->Begin(Drag.Start);
    }
    SetMouseCapture(true);
    if (Drag.Dock != nullptr)
        Fire(OnStartDock, this);
    else
        Fire(OnStartDrag, this);
}

bool TControl::Dragging() const
{
    return Drag.Source == this;
}

void TControl::EndDrag(bool drop)
{
    if (!Dragging())
        return;
    TDrag drag = std::move(Drag);
    Drag = TDrag{};
    SetMouseCapture(false);
    if (drag.Dock != nullptr) {
        drag.Dock->Finish(drop && drag.Started);
        return;
    }
    const bool dropped = drop && drag.Started && drag.Accepted && drag.Target != nullptr;
    POINT at{};
    if (drag.Target != nullptr) {
        at = drag.Target->ScreenToClient(drag.Last);
        {
            const TEndingScope ending(drag);
            if (dropped) {
                drag.Target->DragDrop(this, at.x, at.y);
            } else {
                bool accept = false;
                drag.Target->DragOver(this, at.x, at.y, dsDragLeave, accept);
            }
        }
        // The target's handler freed the source: its drag ends unheard.
        if (drag.Source == nullptr)
            return;
    }
    if (dropped)
        Fire(OnEndDrag, this, drag.Target, at.x, at.y);
    else
        Fire(OnEndDrag, this, nullptr, 0, 0);
}

bool TControl::DragMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        const POINT screen = ClientToScreen(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        Drag.Last = screen;
        if (!Drag.Started && (std::abs(screen.x - Drag.Start.x) >= Drag.Threshold ||
                              std::abs(screen.y - Drag.Start.y) >= Drag.Threshold))
            Drag.Started = true;
        if (message.Msg == WM_LBUTTONUP) {
            // Dropped where the last move was answered; a dock drag answers
            // the release point first when no move did.
            if (Drag.Dock != nullptr && Drag.Started &&
                (screen.x != Drag.Dock->DragPos().x || screen.y != Drag.Dock->DragPos().y)) {
                const std::shared_ptr<TDragDockObject> dock = Drag.Dock;
                dock->MoveTo(screen);
                if (Drag.Source != this)  // freed by a handler of the move
                    return true;
            }
            EndDrag(true);
            return true;
        }
        if (Drag.Started && Drag.Dock != nullptr) {
            const std::shared_ptr<TDragDockObject> dock = Drag.Dock;
            dock->MoveTo(screen);
        } else if (Drag.Started) {
            TControl* target = FindDragTarget(screen);
            TDragState state = dsDragMove;
            if (target != Drag.Target) {
                if (Drag.Target != nullptr) {
                    const POINT at = Drag.Target->ScreenToClient(screen);
                    bool accept = false;
                    Drag.Target->DragOver(this, at.x, at.y, dsDragLeave, accept);
                    if (Drag.Source != this)  // freed by the handler
                        return true;
                }
                Drag.Target = target;
                state = dsDragEnter;
            }
            Drag.Accepted = false;
            if (target != nullptr) {
                const POINT at = target->ScreenToClient(screen);
                target->DragOver(this, at.x, at.y, state, Drag.Accepted);
                if (Drag.Source != this)
                    return true;
            }
            ::SetCursor(Screen->Cursors(Drag.Accepted ? FDragCursor : crNoDrop));
        }
        return true;
    }
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:  // another window took the mouse: no release will come
        EndDrag(false);
        return false;
    }
    return false;
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
    accept = static_cast<bool>(OnDragOver);
    Fire(OnDragOver, this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y)
{
    Fire(OnDragDrop, this, source, x, y);
}

void TControl::ForgetDragControl(TControl* control)
{
    TDragDockObject::ControlFreed(control);
    if (Drag.Target == control) {
        Drag.Target = nullptr;
        Drag.Accepted = false;
    }
    if (Drag.Source == control) {
        Drag = TDrag{};
        control->SetMouseCapture(false);
    }
    for (TDrag* ending : Ending) {
        if (ending->Source == control)
            ending->Source = nullptr;
        if (ending->Target == control)
            ending->Target = nullptr;
    }
}
