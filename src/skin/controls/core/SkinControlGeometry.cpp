#include "skin/controls/core/SkinControlGeometry.h"

#include <cstdint>

namespace {

// Skin numbers reach every coordinate: sums are made in 64 bits and held to
// the int range, as the composition and frame layers do.
template <class... T>
int Sum(T... terms)
{
    const int64_t sum = (int64_t{terms} + ...);
    return static_cast<int>(sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : sum);
}

bool PointIn(int x, int y, const TRect& r)
{
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

TRect Offset(TRect r, int dx, int dy)
{
    return {Sum(r.Left, dx), Sum(r.Top, dy), Sum(r.Right, dx), Sum(r.Bottom, dy)};
}

}  // namespace

int TspSkinGeometry::GetResizeMode() const
{
    if (RectEmpty(SkinRect))
        return -1;
    if (RBPoint.X != 0 && RBPoint.Y != 0)
        return 1;
    if (RTPoint.X != 0 || RTPoint.Y != 0)
        return 2;
    if (LBPoint.X != 0 || LBPoint.Y != 0)
        return 3;
    return 0;
}

void TspSkinGeometry::CalcSize(int& AWidth, int& AHeight, bool hasRecord)
{
    if (ResizeMode >= 1 && ResizeMode <= 3) {
        const int XO = Sum(AWidth, -int64_t{WidthOf(SkinRect)}), YO = Sum(AHeight, -int64_t{HeightOf(SkinRect)});
        NewLTPoint = LTPoint;
        switch (ResizeMode) {
        case 1:
            NewRTPoint = {Sum(RTPoint.X, XO), RTPoint.Y};
            NewLBPoint = {LBPoint.X, Sum(LBPoint.Y, YO)};
            NewRBPoint = {Sum(RBPoint.X, XO), Sum(RBPoint.Y, YO)};
            NewClRect = {ClRect.Left, ClRect.Top, Sum(ClRect.Right, XO), Sum(ClRect.Bottom, YO)};
            break;
        case 2:
            AHeight = HeightOf(SkinRect);
            NewRTPoint = {Sum(RTPoint.X, XO), RTPoint.Y};
            NewClRect = {ClRect.Left, ClRect.Top, Sum(ClRect.Right, XO), ClRect.Bottom};
            break;
        default:
            AWidth = WidthOf(SkinRect);
            NewLBPoint = {LBPoint.X, Sum(LBPoint.Y, YO)};
            NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right, Sum(ClRect.Bottom, YO)};
            break;
        }
    } else if (ResizeMode == 0 && hasRecord) {
        AWidth = WidthOf(SkinRect);
        AHeight = HeightOf(SkinRect);
        NewClRect = ClRect;
    }
}

TRect TspSkinGeometry::MoveSkinRect(const TRect& S, int width, int height) const
{
    const int XO = Sum(width, -int64_t{WidthOf(SkinRect)}), YO = Sum(height, -int64_t{HeightOf(SkinRect)});
    TRect r = S;
    switch (ResizeMode) {
    case 1: {
        const int w = WidthOf(SkinRect), h = HeightOf(SkinRect);
        const TRect LT{0, 0, LTPoint.X, LTPoint.Y};
        const TRect RT{RTPoint.X, 0, w, RTPoint.Y};
        const TRect LB{0, LBPoint.Y, LBPoint.X, h};
        const TRect RB{RBPoint.X, RBPoint.Y, w, h};
        const auto wholly = [&](const TRect& area) {
            return S.Left >= area.Left && S.Top >= area.Top && S.Right <= area.Right && S.Bottom <= area.Bottom;
        };
        const auto topLeftIn = [&](const TRect& area) { return PointIn(S.Left, S.Top, area); };
        const auto bottomRightIn = [&](const TRect& area) { return PointIn(S.Right, S.Bottom, area); };
        if (wholly(LT))
            return r;
        if (wholly(RT))
            return Offset(r, XO, 0);
        if (wholly(LB))
            return Offset(r, 0, YO);
        if (wholly(RB))
            return Offset(r, XO, YO);
        if (topLeftIn(LT) && bottomRightIn(RB)) {
            r.Right = Sum(r.Right, XO);
            r.Bottom = Sum(r.Bottom, YO);
        } else if (topLeftIn(LT) && bottomRightIn(RT)) {
            r.Right = Sum(r.Right, XO);
        } else if (topLeftIn(LB) && bottomRightIn(RB)) {
            r = Offset(r, 0, YO);
            r.Right = Sum(r.Right, XO);
        } else if (topLeftIn(LT) && bottomRightIn(LB)) {
            r.Bottom = Sum(r.Bottom, YO);
        } else if (topLeftIn(RT) && bottomRightIn(RB)) {
            r = Offset(r, XO, 0);
            r.Bottom = Sum(r.Bottom, YO);
        }
        return r;
    }
    case 2:
        if (S.Left <= LTPoint.X && S.Right >= RTPoint.X)
            r.Right = Sum(r.Right, XO);
        else if (S.Left >= RTPoint.X && S.Right > RTPoint.X)
            r = Offset(r, XO, 0);
        return r;
    case 3:
        if (S.Top <= LTPoint.Y && S.Bottom >= LBPoint.Y)
            r.Bottom = Sum(r.Bottom, YO);
        else if (S.Top >= LBPoint.Y && S.Bottom > LBPoint.Y)
            r = Offset(r, 0, YO);
        return r;
    default:
        return r;
    }
}

TspGlyphTextLayout CalcGlyphTextLayout(TspButtonLayout layout, const TRect& R, int GW, int GH, int TW, int TH,
                                       int margin, int spacing)
{
    const int64_t CX = Sum(R.Left, WidthOf(R) / 2), CY = Sum(R.Top, HeightOf(R) / 2);
    TspGlyphTextLayout l;
    if (margin == -1) {
        const int64_t HW = Sum(TW, GW, spacing) / 2, HH = Sum(TH, GH, spacing) / 2;
        switch (layout) {
        case blGlyphLeft:
            l = {Sum(CX, -HW), Sum(CY, -(GH / 2)), Sum(CX, HW, -int64_t{TW}), Sum(CY, -(TH / 2))};
            break;
        case blGlyphRight:
            l = {Sum(CX, HW, -int64_t{GW}), Sum(CY, -(GH / 2)), Sum(CX, -HW), Sum(CY, -(TH / 2))};
            break;
        case blGlyphTop:
            l = {Sum(CX, -(GW / 2)), Sum(CY, -HH), Sum(CX, -(TW / 2)), Sum(CY, HH, -int64_t{TH})};
            break;
        case blGlyphBottom:
            l = {Sum(CX, -(GW / 2)), Sum(CY, HH, -int64_t{GH}), Sum(CX, -(TW / 2)), Sum(CY, -HH)};
            break;
        }
        return l;
    }
    switch (layout) {
    case blGlyphLeft:
        l.GX = Sum(R.Left, margin);
        l.GY = Sum(CY, -(GH / 2));
        l.TX = Sum(l.GX, GW, spacing);
        l.TY = Sum(CY, -(TH / 2));
        break;
    case blGlyphRight:
        l.GX = Sum(R.Right, -int64_t{GW}, -int64_t{margin});
        l.GY = Sum(CY, -(GH / 2));
        l.TX = Sum(l.GX, -int64_t{spacing}, -int64_t{TW});
        l.TY = Sum(CY, -(TH / 2));
        break;
    case blGlyphTop:
        l.GX = Sum(CX, -(GW / 2));
        l.GY = Sum(R.Top, margin);
        l.TX = Sum(CX, -(TW / 2));
        l.TY = Sum(l.GY, GH, spacing);
        break;
    case blGlyphBottom:
        l.GX = Sum(CX, -(GW / 2));
        l.GY = Sum(R.Bottom, -int64_t{GH}, -int64_t{margin});
        l.TX = Sum(CX, -(TW / 2));
        l.TY = Sum(l.GY, -int64_t{spacing}, -int64_t{TH});
        break;
    }
    return l;
}

TspMorphTick StepMorph(double kf, bool wantActive, bool skinMorphing)
{
    if (skinMorphing) {
        if (wantActive && kf < 1)
            return {kf + 0.1, false, true};
        if (!wantActive && kf > 0)
            return {kf - 0.1, false, true};
    }
    return {wantActive ? 1.0 : 0.0, true, skinMorphing};
}

int PanelCaptionX(TAlignment alignment, const TRect& R, int captionWidth, bool defaultLook, bool rollUpMode)
{
    const int inset = defaultLook ? 2 : 0;
    int x = Sum(R.Left, inset);
    if (alignment == taRightJustify)
        x = Sum(R.Right, -int64_t{captionWidth});
    else if (alignment == taCenter)
        x = Sum(R.Left, inset, WidthOf(R) / 2, -(captionWidth / 2));
    if (defaultLook && rollUpMode && alignment != taLeftJustify)
        x = Sum(x, -10);
    return x;
}
