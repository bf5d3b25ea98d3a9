// Docking: a control whose DragKind is dkDock is dragged into a dock site
// (a windowed control with DockSite on) or into a floating tool window.
//
// The drag (TControl::BeginDrag; a left press on a dmAutomatic control
// starts one once the mouse has moved a few pixels) fires OnStartDock on
// the control. At each move the site is the innermost windowed control
// under the cursor with DockSite on that is neither the control nor inside
// it (a floating tool window holding only the control is no site for it);
// the site's OnGetSiteInfo gives the rectangle in which it takes the
// control and may refuse it, and the next site outwards is asked instead.
// The site hears OnDockOver (dsDragEnter, dsDragMove, dsDragLeave; it
// accepts unless a handler says otherwise). An outline shows where the
// control will land: the strip of the site's layout area for the drop zone
// under the cursor (DockZones.h: an edge third docks on that edge, the
// middle fills), or, away from an accepting site, the control's own size
// where it would float.
//
// The release over an accepting site asks the control's old host
// (OnUnDock), which may refuse; the control then moves into the site with
// the alignment of its drop zone and the site hears OnDockDrop. Released
// anywhere else it floats in a TCustomDockForm at the outline, with the
// same question to its old host. OnEndDock ends every dock drag on the
// control, with the site it docked into or null. A handler may free the
// control: what is left of the drag or the drop then ends quietly, with
// no OnEndDock.
#pragma once

#include <windows.h>

#include <memory>

#include "classlib/ui/Controls.h"

// One dock drag, or one ManualDock or ManualFloat; what the site events see.
class TDragDockObject {
public:
    explicit TDragDockObject(TControl* control);
    ~TDragDockObject();
    TDragDockObject(const TDragDockObject&) = delete;
    TDragDockObject& operator=(const TDragDockObject&) = delete;

    // Null once a handler has freed the control.
    TControl* Control() const { return FControl; }
    // The site under the cursor (accepting or not); null away from one.
    TWinControl* DragTarget() const { return FDragTarget; }
    // The cursor in screen coordinates.
    POINT DragPos() const { return FDragPos; }

    // Where the control lands, in screen coordinates, and the alignment it
    // takes in the site: set from the drop zone before each OnDockOver, whose
    // handler may change them. The outline shows DockRect.
    RECT DockRect{};
    TAlign DropAlign = alNone;

private:
    friend class TControl;
    class TOutline;

    // The steps of a drag: its start at the press (screen coordinates), each
    // move, and its end, dropping (docking or floating) or not.
    void Begin(POINT press);
    void MoveTo(POINT screen);
    void Finish(bool drop);
    // A control being freed leaves every dock object under way: the one it
    // is the control of goes on without it (no more events, nothing moved),
    // the one whose site it is loses that site. The handlers a drag or a
    // manual dock runs may free either.
    static void ControlFreed(TControl* control);

    // The control's size for docking and floating, after recording what its
    // alignment does not stretch (FDockWidth, FDockHeight).
    SIZE DockSize() const;
    // The site for the control at `screen`, after OnGetSiteInfo; null when
    // none takes it.
    TWinControl* FindSite(POINT screen) const;
    // Into `site` at DockRect with DropAlign (`at`: where, in the site's
    // client coordinates, for OnDockDrop); false when the old host refused.
    bool DockInto(TWinControl* site, POINT at);
    // Into a floating tool window whose client area is `screenRect`.
    bool FloatAt(const RECT& screenRect);

    TControl* FControl;
    TWinControl* FDragTarget = nullptr;
    bool FAccepted = false;
    POINT FDragPos{};
    POINT FGrab{};  // the press point relative to the control's top-left
    std::unique_ptr<TOutline> FOutline;
    // The dock objects under way, newest first, linked through FNextLive.
    static TDragDockObject* FLive;
    TDragDockObject* FNextLive;
};
