#include "classlib/ui/ControlDock.h"

#include <algorithm>
#include <memory>

#include "classlib/core/DockZones.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/graphics/WinTypes.h"
#include "classlib/ui/DockForm.h"

namespace {

// The control's outer rectangle in screen coordinates.
RECT ScreenBounds(TControl* control)
{
    POINT origin{control->Left(), control->Top()};
    if (control->Parent() != nullptr)
        origin = control->Parent()->ClientToScreen(origin);
    return RECT{origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height()};
}

// Whether `control` is `container` or lies inside it.
bool IsWithin(const TControl* control, const TControl* container)
{
    for (; control != nullptr; control = control->Parent()) {
        if (control == container)
            return true;
    }
    return false;
}

TAlign AlignOf(TDockZone zone)
{
    switch (zone) {
    case TDockZone::Left:
        return alLeft;
    case TDockZone::Top:
        return alTop;
    case TDockZone::Right:
        return alRight;
    case TDockZone::Bottom:
        return alBottom;
    case TDockZone::Client:
        break;
    }
    return alClient;
}

// Where the site lays out its children, in screen coordinates.
TRect LayoutArea(TWinControl* site)
{
    RECT area = site->ClientRect();
    site->AdjustClientRect(area);
    const POINT origin = site->ClientOrigin();
    OffsetRect(&area, origin.x, origin.y);
    return ToTRect(area);
}

}  // namespace

// A frame above every window that the mouse passes through: it answers
// HTTRANSPARENT, so WindowFromPoint finds what lies below it, and its
// window region is the frame alone.
class TDragDockObject::TOutline {
public:
    TOutline() : FWnd(AllocateHWnd([this](TMessage& message) { Handle(message); })) {}
    ~TOutline() { DeallocateHWnd(FWnd); }
    TOutline(const TOutline&) = delete;
    TOutline& operator=(const TOutline&) = delete;

    void Show(const RECT& rect)
    {
        if (EqualRect(&rect, &FRect))
            return;
        FRect = rect;
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (width <= 0 || height <= 0) {
            ShowWindow(FWnd, SW_HIDE);
            return;
        }
        const HRGN frame = CreateRectRgn(0, 0, width, height);
        {
            const TGdiObject inside(CreateRectRgn(Thickness, Thickness, width - Thickness, height - Thickness));
            CombineRgn(frame, frame, static_cast<HRGN>(inside.Get()), RGN_DIFF);
        }
        // The window owns the region once it has taken it.
        if (SetWindowRgn(FWnd, frame, FALSE) == 0)
            DeleteObject(frame);
        SetWindowPos(FWnd, HWND_TOPMOST, rect.left, rect.top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        RedrawWindow(FWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

private:
    static constexpr int Thickness = 3;

    void Handle(TMessage& message)
    {
        switch (message.Msg) {
        case WM_NCHITTEST:
            message.Result = HTTRANSPARENT;
            return;
        case WM_MOUSEACTIVATE:
            message.Result = MA_NOACTIVATE;
            return;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(FWnd, &client);
            FillRect(reinterpret_cast<HDC>(message.WParam), &client, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
            message.Result = 1;
            return;
        }
        }
        message.Result = DefWindowProcA(FWnd, message.Msg, message.WParam, message.LParam);
    }

    HWND FWnd;
    RECT FRect{};
};

TDragDockObject* TDragDockObject::FLive = nullptr;

TDragDockObject::TDragDockObject(TControl* control) : FControl(control), FNextLive(FLive)
{
    DockRect = ScreenBounds(control);
    FLive = this;
}

TDragDockObject::~TDragDockObject()
{
    for (TDragDockObject** link = &FLive; *link != nullptr; link = &(*link)->FNextLive) {
        if (*link == this) {
            *link = FNextLive;
            break;
        }
    }
}

void TDragDockObject::ControlFreed(TControl* control)
{
    for (TDragDockObject* dock = FLive; dock != nullptr; dock = dock->FNextLive) {
        if (dock->FControl == control)
            dock->FControl = nullptr;
        if (dock->FDragTarget == control) {
            dock->FDragTarget = nullptr;
            dock->FAccepted = false;
        }
    }
}

SIZE TDragDockObject::DockSize() const
{
    // Floating, its size is the tool window's, which the user may have changed.
    const TAlign align = FControl->Floating() ? alNone : FControl->Align();
    if (align != alTop && align != alBottom && align != alClient)
        FControl->FDockWidth = FControl->Width();
    if (align != alLeft && align != alRight && align != alClient)
        FControl->FDockHeight = FControl->Height();
    return SIZE{FControl->FDockWidth >= 0 ? FControl->FDockWidth : FControl->Width(),
                FControl->FDockHeight >= 0 ? FControl->FDockHeight : FControl->Height()};
}

void TDragDockObject::Begin(POINT press)
{
    FDragPos = press;
    FGrab = POINT{press.x - DockRect.left, press.y - DockRect.top};
}

TWinControl* TDragDockObject::FindSite(POINT screen) const
{
    for (HWND wnd = WindowFromPoint(screen); wnd != nullptr; wnd = GetParent(wnd)) {
        TWinControl* site = TWinControl::FindControl(wnd);
        if (site == nullptr || !site->DockSite || IsWithin(site, FControl))
            continue;
        // Docking back into the tool window it floats in alone changes nothing.
        if (site == FControl->Parent() && FControl->Floating() && site->ControlCount() == 1)
            continue;
        RECT influence{};
        GetWindowRect(wnd, &influence);
        bool canDock = true;
        site->GetSiteInfo(FControl, influence, screen, canDock);
        if (FControl == nullptr)
            return nullptr;
        if (canDock && PtInRect(&influence, screen))
            return site;
    }
    return nullptr;
}

void TDragDockObject::MoveTo(POINT screen)
{
    FDragPos = screen;
    TWinControl* site = FindSite(screen);
    if (FControl == nullptr)
        return;
    TDragState state = dsDragMove;
    if (site != FDragTarget) {
        if (FDragTarget != nullptr) {
            const POINT at = FDragTarget->ScreenToClient(screen);
            bool ignored = false;
            FDragTarget->DockOver(this, at.x, at.y, dsDragLeave, ignored);
            if (FControl == nullptr)
                return;
        }
        FDragTarget = site;
        state = dsDragEnter;
    }
    FAccepted = false;
    const SIZE size = DockSize();
    if (site != nullptr) {
        const TRect area = LayoutArea(site);
        const TDockZone zone = DockZoneAt(area, ToTPoint(screen));
        DropAlign = AlignOf(zone);
        DockRect = ToRECT(DockZoneRect(area, zone, size.cx, size.cy));
        const POINT at = site->ScreenToClient(screen);
        site->DockOver(this, at.x, at.y, state, FAccepted);
        if (FControl == nullptr)
            return;
    }
    if (!FAccepted) {
        DropAlign = alNone;
        // The grip stays inside the outline when the control shrinks back.
        const POINT grip{std::clamp<LONG>(FGrab.x, 0, std::max<LONG>(size.cx - 1, 0)),
                         std::clamp<LONG>(FGrab.y, 0, std::max<LONG>(size.cy - 1, 0))};
        DockRect = RECT{screen.x - grip.x, screen.y - grip.y, screen.x - grip.x + size.cx, screen.y - grip.y + size.cy};
    }
    if (FOutline == nullptr)
        FOutline = std::make_unique<TOutline>();
    FOutline->Show(DockRect);
}

void TDragDockObject::Finish(bool drop)
{
    FOutline.reset();
    TWinControl* site = FDragTarget;
    const POINT at = site != nullptr ? site->ScreenToClient(FDragPos) : POINT{};
    bool docked = false;
    if (drop && site != nullptr && FAccepted)
        docked = DockInto(site, at);
    else if (drop)
        FloatAt(DockRect);
    // The handlers of the drop may have freed the control or the site
    // (ControlFreed clears them).
    if (FControl == nullptr)
        return;
    if (FDragTarget != nullptr && !docked) {
        bool ignored = false;
        FDragTarget->DockOver(this, at.x, at.y, dsDragLeave, ignored);
        if (FControl == nullptr)
            return;
    }
    if (docked && FDragTarget == site)
        Fire(FControl->OnEndDock, FControl, site, at.x, at.y);
    else
        Fire(FControl->OnEndDock, FControl, nullptr, 0, 0);
}

bool TDragDockObject::DockInto(TWinControl* site, POINT at)
{
    if (IsWithin(site, FControl))
        throw EInvalidOperation("Control '" + FControl->Name() + "' cannot dock into itself or a control inside it");
    TWinControl* oldHost = FControl->HostDockSite();
    if (oldHost != nullptr && oldHost != site && !oldHost->DoUnDock(site, FControl))
        return false;
    if (FControl == nullptr)
        return false;
    DockSize();
    FControl->SetParent(site);
    FControl->SetAlign(DropAlign);
    const POINT topLeft = site->ScreenToClient(POINT{DockRect.left, DockRect.top});
    FControl->SetBounds(topLeft.x, topLeft.y, DockRect.right - DockRect.left, DockRect.bottom - DockRect.top);
    site->DockDrop(this, at.x, at.y);
    return true;
}

bool TDragDockObject::FloatAt(const RECT& screenRect)
{
    auto* host = dynamic_cast<TCustomDockForm*>(FControl->Parent());
    if (host != nullptr && host->ControlCount() == 1) {
        host->SetClientBounds(screenRect);
    } else {
        TWinControl* oldHost = FControl->HostDockSite();
        if (oldHost != nullptr && !oldHost->DoUnDock(nullptr, FControl))
            return false;
        if (FControl == nullptr)
            return false;
        DockSize();
        auto form = std::make_unique<TCustomDockForm>(FControl->Owner());
        form->SetCaption(FControl->Caption());
        form->SetClientBounds(screenRect);
        FControl->SetParent(form.get());
        host = form.release();  // freed by itself once its last client leaves
        FControl->SetAlign(alClient);
    }
    host->Show();
    return true;
}

// --- TControl and TWinControl ------------------------------------------------

TWinControl* TControl::HostDockSite() const
{
    return FParent != nullptr && FParent->DockSite ? FParent : nullptr;
}

bool TControl::Floating() const
{
    return dynamic_cast<const TCustomDockForm*>(FParent) != nullptr;
}

bool TControl::ManualDock(TWinControl* site, TAlign align)
{
    if (site == nullptr)
        return ManualFloat(ScreenBounds(this));
    TDragDockObject dock(this);
    dock.DropAlign = align;
    return dock.DockInto(site, site->ScreenToClient(POINT{dock.DockRect.left, dock.DockRect.top}));
}

bool TControl::ManualFloat(const RECT& screenRect)
{
    TDragDockObject dock(this);
    dock.DockRect = screenRect;
    return dock.FloatAt(screenRect);
}

void TWinControl::GetSiteInfo(TControl* client, RECT& influenceRect, POINT mousePos, bool& canDock)
{
    Fire(OnGetSiteInfo, this, client, influenceRect, mousePos, canDock);
}

void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept)
{
    accept = true;
    Fire(OnDockOver, this, source, x, y, state, accept);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y)
{
    Fire(OnDockDrop, this, source, x, y);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client)
{
    bool allow = true;
    Fire(OnUnDock, this, client, newTarget, allow);
    return allow;
}
