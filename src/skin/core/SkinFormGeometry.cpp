#include "skin/core/SkinFormGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "skin/core/SkinShapes.h"

namespace {

// Sums of skin values (read from outside, any int) and sizes, held to the
// int range instead of overflowing.
int Sat(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int Add(int a, long long b)
{
    return Sat(a + b);
}

// The platform's rule: left and top inside, right and bottom outside.
bool InRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

TPoint Moved(const TPoint& P, int dx, int dy)
{
    return {Add(P.X, dx), Add(P.Y, dy)};
}

TRect Moved(const TRect& R, int dx, int dy)
{
    return {Add(R.Left, dx), Add(R.Top, dy), Add(R.Right, dx), Add(R.Bottom, dy)};
}

bool InAny(const std::vector<TRect>& rects, const TPoint& P)
{
    return std::any_of(rects.begin(), rects.end(), [&](const TRect& R) { return InRect(R, P); });
}

// Client, caption or object: the answer for a point away from the border.
int InnerHitTest(const TSkinFrameLayout& layout, const TPoint& P, const std::vector<TRect>& captions)
{
    if (InRect(layout.NewClRect, P))
        return SkinHit::Client;
    if (InAny(captions, P))
        return SkinHit::Caption;
    return SkinHit::Object;
}

bool MaskProbeBlack(const TSkinFrameLayout& layout, const TSkinMaskStrips& mask, const TPoint& P)
{
    const TRect& A = layout.NewMaskRectArea;
    if (InRect(A, P))
        return true;
    if (P.Y < A.Top)
        return MaskStripPixelBlack(mask.Top, P.X, P.Y);
    if (P.Y >= A.Bottom)
        return MaskStripPixelBlack(mask.Bottom, P.X, Add(P.Y, -static_cast<long long>(A.Bottom)));
    if (P.X >= A.Left)
        return MaskStripPixelBlack(mask.Right, Add(P.X, -static_cast<long long>(A.Right)),
                                   Add(P.Y, -static_cast<long long>(A.Top)));
    return MaskStripPixelBlack(mask.Left, P.X, Add(P.Y, -static_cast<long long>(A.Top)));
}

bool NearBorder(const TSkinFrameLayout& layout, int d, const TSkinMaskStrips* mask, const TPoint& P)
{
    const TPoint probes[] = {{Add(P.X, -static_cast<long long>(d)), P.Y}, {P.X, Add(P.Y, -static_cast<long long>(d))},
                             {Add(P.X, d), P.Y}, {P.X, Add(P.Y, d)}};
    if (mask == nullptr) {
        const TRect window{0, 0, layout.Width, layout.Height};
        return std::any_of(std::begin(probes), std::end(probes), [&](const TPoint& Q) { return !InRect(window, Q); });
    }
    if (InRect(layout.NewMaskRectArea, P))
        return false;
    return std::any_of(std::begin(probes), std::end(probes),
                       [&](const TPoint& Q) { return !MaskProbeBlack(layout, *mask, Q); });
}

// The corner and edge codes of a point near the border; 0 when it lies
// beyond none of the hit-test points.
int BorderCode(const TSkinFrameLayout& layout, const TPoint& P)
{
    const TPoint& LT = layout.NewHitTestLTPoint;
    const TPoint& RT = layout.NewHitTestRTPoint;
    const TPoint& LB = layout.NewHitTestLBPoint;
    const TPoint& RB = layout.NewHitTestRBPoint;
    const TRect& C = layout.NewClRect;
    if (P.X <= LT.X && P.Y <= LT.Y)
        return SkinHit::TopLeft;
    if (P.X >= RT.X && P.Y <= RT.Y)
        return SkinHit::TopRight;
    if (P.X <= LB.X && P.Y >= LB.Y)
        return SkinHit::BottomLeft;
    if (P.X >= RB.X && P.Y >= RB.Y)
        return SkinHit::BottomRight;
    if (InRect({LT.X, 0, RT.X, C.Top}, P))
        return SkinHit::Top;
    if (InRect({LB.X, C.Bottom, RB.X, layout.Height}, P))
        return SkinHit::Bottom;
    if (InRect({0, LT.Y, C.Left, LB.Y}, P))
        return SkinHit::Left;
    if (InRect({C.Right, RT.Y, layout.Width, RB.Y}, P))
        return SkinHit::Right;
    return 0;
}

}  // namespace

int DefCaptionHeight(bool toolWindow)
{
    return toolWindow ? 15 : 19;
}

int DefButtonSize(bool toolWindow)
{
    return toolWindow ? 13 : 17;
}

bool SkinStretches(const TspSkinDescription& skin)
{
    return skin.RBPoint.X != skin.LTPoint.X && skin.RBPoint.Y != skin.LTPoint.Y;
}

TSkinFrameLayout CalcSkinFrameLayout(const TspSkinDescription& skin, int pw, int ph, int width, int height)
{
    TSkinFrameLayout L;
    L.Width = width;
    L.Height = height;
    L.PictureWidth = pw;
    L.PictureHeight = ph;
    const int dx = Sat(static_cast<long long>(width) - pw);
    const int dy = Sat(static_cast<long long>(height) - ph);
    L.NewLTPoint = skin.LTPoint;
    L.NewRTPoint = Moved(skin.RTPoint, dx, 0);
    L.NewLBPoint = Moved(skin.LBPoint, 0, dy);
    L.NewRBPoint = Moved(skin.RBPoint, dx, dy);
    L.NewClRect = {skin.ClRect.Left, skin.ClRect.Top, Add(skin.ClRect.Right, dx), Add(skin.ClRect.Bottom, dy)};
    L.NewMaskRectArea = {skin.MaskRectArea.Left, skin.MaskRectArea.Top, Add(skin.MaskRectArea.Right, dx),
                         Add(skin.MaskRectArea.Bottom, dy)};
    L.NewHitTestLTPoint = skin.HitTestLTPoint;
    L.NewHitTestRTPoint = Moved(skin.HitTestRTPoint, dx, 0);
    L.NewHitTestLBPoint = Moved(skin.HitTestLBPoint, 0, dy);
    L.NewHitTestRBPoint = Moved(skin.HitTestRBPoint, dx, dy);
    L.NewMainMenuRect = skin.MainMenuRect;
    if (SkinStretches(skin))
        L.NewMainMenuRect.Right = Add(L.NewMainMenuRect.Right, dx);
    if (skin.MainMenuRect.Left < skin.LBPoint.X && skin.MainMenuRect.Top >= skin.LBPoint.Y) {
        L.NewMainMenuRect.Top = Add(L.NewMainMenuRect.Top, dy);
        L.NewMainMenuRect.Bottom = Add(L.NewMainMenuRect.Bottom, dy);
    }
    return L;
}

TRect PlaceFrameObject(const TspSkinDescription& skin, const TSkinFrameLayout& layout, const TRect& skinRect)
{
    const int pw = layout.PictureWidth;
    const int ph = layout.PictureHeight;
    const int dx = Sat(static_cast<long long>(layout.NewRBPoint.X) - skin.RBPoint.X);
    const int dy = Sat(static_cast<long long>(layout.NewRBPoint.Y) - skin.RBPoint.Y);
    const TRect lt{0, 0, skin.LTPoint.X, skin.LTPoint.Y};
    const TRect rt{skin.RTPoint.X, 0, pw, skin.RTPoint.Y};
    const TRect lb{0, skin.LBPoint.Y, skin.LBPoint.X, ph};
    const TRect rb{skin.RBPoint.X, skin.RBPoint.Y, pw, ph};
    const TPoint a{skinRect.Left, skinRect.Top};
    const TPoint b{skinRect.Right, skinRect.Bottom};
    auto spans = [&](const TRect& first, const TRect& second) {
        return PointInRect(first, a) && PointInRect(second, b);
    };
    if (spans(lt, lt))
        return skinRect;
    const TRect& S = skinRect;
    if (spans(rt, rt))
        return Moved(S, dx, 0);
    if (spans(lb, lb))
        return Moved(S, 0, dy);
    if (spans(rb, rb))
        return Moved(S, dx, dy);
    if (spans(lt, rb))
        return {S.Left, S.Top, Add(S.Right, dx), Add(S.Bottom, dy)};
    if (spans(lt, rt))
        return {S.Left, S.Top, Add(S.Right, dx), S.Bottom};
    if (spans(lb, rb))
        return {S.Left, Add(S.Top, dy), Add(S.Right, dx), Add(S.Bottom, dy)};
    if (spans(lt, lb))
        return {S.Left, S.Top, S.Right, Add(S.Bottom, dy)};
    if (spans(rt, rb))
        return {Add(S.Left, dx), S.Top, Add(S.Right, dx), Add(S.Bottom, dy)};
    return S;
}

TRect SkinNCClientRect(TRect R, bool skinFrame, const TspSkinDescription& skin, int pw, int ph, int captionHeight)
{
    if (skinFrame) {
        R.Left = Add(R.Left, skin.ClRect.Left);
        R.Top = Add(R.Top, skin.ClRect.Top);
        R.Right = Add(R.Right, static_cast<long long>(skin.ClRect.Right) - pw);
        R.Bottom = Add(R.Bottom, static_cast<long long>(skin.ClRect.Bottom) - ph);
    } else {
        R.Left += 3;
        R.Top += captionHeight + 3;
        R.Right -= 3;
        R.Bottom -= 3;
    }
    if (R.Left > R.Right)
        R.Right = R.Left;
    if (R.Top > R.Bottom)
        R.Bottom = R.Top;
    return R;
}

bool MaskStripPixelBlack(const TDibImage& strip, int x, int y)
{
    if (x < 0 || y < 0 || x >= strip.Width || y >= strip.Height || strip.Bits.empty())
        return false;
    const TPictureBGR c = PicturePixel(strip, x, y);
    return c.r == 0 && c.g == 0 && c.b == 0;
}

int SkinHitTest(const TSkinFrameLayout& layout, int borderWidth, const TSkinMaskStrips* mask, const TPoint& P,
                const TSkinFormState& state, const std::vector<TRect>& captions)
{
    if (state.RolledUp || state.Minimized)
        return InAny(captions, P) ? SkinHit::Caption : SkinHit::Object;
    if (state.Maximized || !state.Sizeable || !NearBorder(layout, borderWidth, mask, P))
        return InnerHitTest(layout, P, captions);
    const int code = BorderCode(layout, P);
    return code != 0 ? code : InnerHitTest(layout, P, captions);
}

int DefaultHitTest(const TPoint& P, int width, int height, const TSkinFormState& state, bool singleOrSizeable,
                   bool systemMenu, bool toolWindow)
{
    const int W = width;
    const int H = height;
    if (!state.Maximized && !state.RolledUp && state.Sizeable && !state.Minimized) {
        const bool left = P.X < 4, top = P.Y < 4, right = P.X >= W - 3, bottom = P.Y >= H - 3;
        if (left && top)
            return SkinHit::TopLeft;
        if (right && top)
            return SkinHit::TopRight;
        if (left && bottom)
            return SkinHit::BottomLeft;
        if (right && bottom)
            return SkinHit::BottomRight;
        if (left)
            return SkinHit::Left;
        if (top)
            return SkinHit::Top;
        if (right)
            return SkinHit::Right;
        if (bottom)
            return SkinHit::Bottom;
    }
    const int bs = DefButtonSize(toolWindow);
    const int ch = DefCaptionHeight(toolWindow);
    int leftMargin = 4;
    int rightMargin = bs + 4;
    if (singleOrSizeable) {
        rightMargin = bs * 4 + 3;
        if (systemMenu)
            leftMargin = bs + 4;
    }
    if (InRect({leftMargin, 3, W - rightMargin, ch + 3}, P))
        return SkinHit::Caption;
    if (!InRect({3, ch + 3, W - 3, H - 3}, P))
        return SkinHit::Object;
    return SkinHit::Client;
}

int ClientAreaHitTest(const TSkinFrameLayout& layout, int borderWidth, const TSkinMaskStrips* mask, const TPoint& P,
                      const TSkinFormState& state, bool objectHot)
{
    if (!state.Sizeable || state.Maximized || state.RolledUp || objectHot)
        return SkinHit::Client;
    if (!NearBorder(layout, borderWidth, mask, P))
        return SkinHit::Client;
    const int code = BorderCode(layout, P);
    return code != 0 ? code : SkinHit::Client;
}

int SkinMinWidth(const TSkinMinSizeInput& in)
{
    if (!in.FrameMode) {
        if (!in.SkinFrame)
            return 0;
        return in.MinWidth == 0 ? in.PictureWidth : std::min(in.PictureWidth, in.MinWidth);
    }
    if (!in.SkinFrame)
        return in.MinWidth >= 1 ? in.MinWidth : 130;
    return in.PictureWidth < in.MinWidth && !in.Minimized ? in.MinWidth : in.PictureWidth;
}

int SkinMinHeight(const TSkinMinSizeInput& in)
{
    if (!in.FrameMode) {
        if (!in.SkinFrame)
            return 0;
        return in.MinHeight == 0 ? in.PictureHeight : std::min(in.PictureHeight, in.MinHeight);
    }
    const int h = in.SkinFrame ? Sat(static_cast<long long>(in.PictureHeight) - in.ClientRectHeight)
                               : in.CaptionHeight + 6;
    return h < in.MinHeight && !in.RolledUp && !in.Minimized ? in.MinHeight : h;
}

void SkinMagnetic(int& X, int& Y, int width, int height, const TRect& area, int distance)
{
    const long long ms = distance;
    if (area.Left - ms < X && X < area.Left + ms)
        X = area.Left;
    if (area.Top - ms < Y && Y < area.Top + ms)
        Y = area.Top;
    const long long right = static_cast<long long>(X) + width, bottom = static_cast<long long>(Y) + height;
    if (area.Right - ms < right && right < area.Right + ms)
        X = Sat(static_cast<long long>(area.Right) - width);
    if (area.Bottom - ms < bottom && bottom < area.Bottom + ms)
        Y = Sat(static_cast<long long>(area.Bottom) - height);
}

TPoint FindMinimizedSlot(const TRect& workArea, int w, int h, const std::function<bool(const TPoint&)>& taken)
{
    // A form without a picture has no size; a step of 0 would never end.
    w = std::max(w, 1);
    h = std::max(h, 1);
    TPoint P{workArea.Left, workArea.Bottom - h};
    while (taken(P)) {
        P.X += w;
        if (P.X + w > workArea.Right) {
            P.X = workArea.Left;
            P.Y -= h;
        }
        if (P.Y < workArea.Top) {
            P.Y = workArea.Bottom - h;
            break;
        }
    }
    return P;
}

TSkinCaptionAction FrameCaptionDblClick(const TSkinFormState& state, bool maximizeIcon, bool maxRollUp)
{
    if (state.Sizeable && state.Minimized)
        return caRestore;
    if (state.Sizeable && !state.Maximized && !state.RolledUp && maximizeIcon)
        return caMaximize;
    if (state.Sizeable && state.Maximized && !maxRollUp)
        return caRestore;
    return caToggleRollUp;
}

TSkinCaptionAction ObjectCaptionDblClick(const TSkinFormState& state)
{
    if (state.RolledUp)
        return caRollDown;
    if (state.Sizeable)
        return !state.Minimized && !state.Maximized ? caMaximize : caRestore;
    return caRollUp;
}
