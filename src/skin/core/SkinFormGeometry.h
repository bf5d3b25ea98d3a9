// The geometry of a skinned form's frame, free of the platform: where the
// skin's frame lies for any form size, the client area the non-client
// calculation reports, the hit code of every window point, the tracking
// sizes, snapping to the work-area edges, the slots of minimized forms and
// the caption double-click rules. The component (skin/forms/) feeds these
// from its form and skin and applies their answers; nothing here touches a
// window, so the whole frame logic runs natively and under the fuzzer.
//
// Coordinates are window-relative pixels (0, 0 the window's top-left). A
// skin's values are in pixels of its form picture (pw x ph); a form of
// another size stretches the picture between the corner points, so
// everything right of or below them moves by dx = Width - pw, dy = Height - ph.
//
// Rectangles follow the platform's point rule (right and bottom edges
// outside) except where a rule says "inclusive".
#pragma once

#include <functional>
#include <vector>

#include "classlib/core/BmpCodec.h"
#include "classlib/core/Types.h"
#include "skin/core/SkinDescription.h"

// The system's hit-test codes this frame answers with (their Win32 names
// without the prefix; HTOBJECT marks a frame point that belongs to the
// component's own objects).
namespace SkinHit {
constexpr int Client = 1;
constexpr int Caption = 2;
constexpr int Left = 10;
constexpr int Right = 11;
constexpr int Top = 12;
constexpr int TopLeft = 13;
constexpr int TopRight = 14;
constexpr int Bottom = 15;
constexpr int BottomLeft = 16;
constexpr int BottomRight = 17;
constexpr int Object = 19;
}  // namespace SkinHit

// Caption height and button size of the default (skinless) frame: 19 and
// 17, or 15 and 13 for tool windows.
int DefCaptionHeight(bool toolWindow);
int DefButtonSize(bool toolWindow);

// The skin stretches when its right-bottom corner point differs from its
// left-top one in x and in y.
bool SkinStretches(const TspSkinDescription& skin);

// The skin's frame laid out for one form size.
struct TSkinFrameLayout {
    int Width = 0;
    int Height = 0;
    int PictureWidth = 0;
    int PictureHeight = 0;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    // The client area in window coordinates.
    TRect NewClRect;
    TRect NewMaskRectArea;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TRect NewMainMenuRect;
};

// The frame of `skin` (form picture pw x ph) for a form of width x height.
// The main-menu rectangle grows with the width when the skin stretches and
// moves with the height when its left-top lies in the picture's
// left-bottom area.
TSkinFrameLayout CalcSkinFrameLayout(const TspSkinDescription& skin, int pw, int ph, int width, int height);

// An object's window rectangle for the layout, from its rectangle in the
// form picture. The picture's four corner areas (left-top, right-top,
// left-bottom, right-bottom of the corner points) decide, with both of the
// rectangle's corners tested inclusively: wholly inside one area it moves
// with that corner; otherwise, by the areas of its left-top and
// right-bottom corners, it stretches (left-top/right-bottom both ways,
// left-top/right-top in width, left-top/left-bottom in height), stretches
// and moves (left-bottom/right-bottom: wider and down, right-top/
// right-bottom: right and taller), or stays.
TRect PlaceFrameObject(const TspSkinDescription& skin, const TSkinFrameLayout& layout, const TRect& skinRect);

// The client rectangle the non-client calculation reports for the proposed
// window rectangle R. With a skin frame (skinFrame: a skin whose client
// rectangle is not empty) the picture's margins are kept; without, 3 pixels
// left, right and bottom and caption + 3 on top. Never negative in width
// or height.
TRect SkinNCClientRect(TRect R, bool skinFrame, const TspSkinDescription& skin, int pw, int ph, int captionHeight);

// The window state that the hit tests and sizes depend on.
struct TSkinFormState {
    bool Minimized = false;
    bool Maximized = false;
    bool RolledUp = false;
    bool Sizeable = true;
};

// The four mask strips composed for the current size (24-bit or empty);
// their pixels say where the window's shape is (black) near the frame.
struct TSkinMaskStrips {
    TDibImage Top, Bottom, Left, Right;
};

// True when (x, y) lies in `strip` and its pixel is black. A point outside
// the strip is not black, as the platform's pixel read of an outside point
// gives no colour.
bool MaskStripPixelBlack(const TDibImage& strip, int x, int y);

// The hit code of window point P on a skin frame. `captions` are the
// rectangles of the caption objects that are visible; `mask` is null when
// the skin has no mask. Rolled up or minimized: caption or object only;
// maximized or not sizeable: client, caption or object only; otherwise a
// point within the skin's BorderWidth of the window's shape gets the
// corner or edge code of the hit-test points it lies beyond.
int SkinHitTest(const TSkinFrameLayout& layout, int borderWidth, const TSkinMaskStrips* mask, const TPoint& P,
                const TSkinFormState& state, const std::vector<TRect>& captions);

// The default (skinless) frame's hit code of P for a form of width x
// height: 4-pixel grips when the form can be sized, the caption between
// the buttons, the buttons and border as objects, the rest client.
// singleOrSizeable: the form's border style has the full button row.
int DefaultHitTest(const TPoint& P, int width, int height, const TSkinFormState& state, bool singleOrSizeable,
                   bool systemMenu, bool toolWindow);

// The client-area mode's hit code of client point P (the whole window is
// client): client, unless the form can be sized, no object is hot and P is
// near the shape's border, which gives the corner or edge code.
int ClientAreaHitTest(const TSkinFrameLayout& layout, int borderWidth, const TSkinMaskStrips* mask, const TPoint& P,
                      const TSkinFormState& state, bool objectHot);

// The minimum tracking size. frameMode: the frame is drawn in the
// non-client area. skinFrame: a skin frame is in use in frame mode (a skin
// with a client rectangle), or a skin at all in client-area mode.
struct TSkinMinSizeInput {
    bool FrameMode = true;
    bool SkinFrame = false;
    int PictureWidth = 0;
    int PictureHeight = 0;
    int ClientRectHeight = 0;  // of the skin's client rectangle
    int MinWidth = 0;
    int MinHeight = 0;
    int CaptionHeight = 19;    // of the default frame
    bool Minimized = false;
    bool RolledUp = false;
};
int SkinMinWidth(const TSkinMinSizeInput& in);
int SkinMinHeight(const TSkinMinSizeInput& in);

// Snaps the left-top (X, Y) of a width x height window to the edges of
// `area` it lies strictly within `distance` of: left, top, then right and
// bottom.
void SkinMagnetic(int& X, int& Y, int width, int height, const TRect& area, int distance);

// The left-top of the next free slot for a minimized w x h frame in the
// work area: from the bottom-left, left to right, then the row above;
// after the top row the bottom-left again. `taken` says whether another
// minimized form stands exactly at a point. Sizes below 1 count as 1.
TPoint FindMinimizedSlot(const TRect& workArea, int w, int h, const std::function<bool(const TPoint&)>& taken);

// What a double click on the caption does.
enum TSkinCaptionAction { caRestore, caMaximize, caToggleRollUp, caRollDown, caRollUp };
// Frame mode, on the caption area: a sizeable minimized form restores; a
// sizeable form that is neither maximized nor rolled up, with a maximize
// icon, maximizes; a sizeable maximized form not rolled up while maximized
// restores; anything else toggles roll-up.
TSkinCaptionAction FrameCaptionDblClick(const TSkinFormState& state, bool maximizeIcon, bool maxRollUp);
// On a caption object: rolled up rolls down; else a sizeable form
// maximizes from normal and restores from any other state; else rolls up.
TSkinCaptionAction ObjectCaptionDblClick(const TSkinFormState& state);
