#include "skin/controls/core/SkinControlGeometry.h"

namespace {

int Width(const TRect& r)
{
    return r.Right - r.Left;
}

int Height(const TRect& r)
{
    return r.Bottom - r.Top;
}

bool PointIn(int x, int y, const TRect& r)
{
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

TRect Offset(TRect r, int dx, int dy)
{
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
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
        const int XO = AWidth - Width(SkinRect), YO = AHeight - Height(SkinRect);
        NewLTPoint = LTPoint;
        switch (ResizeMode) {
        case 1:
            NewRTPoint = {RTPoint.X + XO, RTPoint.Y};
            NewLBPoint = {LBPoint.X, LBPoint.Y + YO};
            NewRBPoint = {RBPoint.X + XO, RBPoint.Y + YO};
            NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + XO, ClRect.Bottom + YO};
            break;
        case 2:
            AHeight = Height(SkinRect);
            NewRTPoint = {RTPoint.X + XO, RTPoint.Y};
            NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right + XO, ClRect.Bottom};
            break;
        default:
            AWidth = Width(SkinRect);
            NewLBPoint = {LBPoint.X, LBPoint.Y + YO};
            NewClRect = {ClRect.Left, ClRect.Top, ClRect.Right, ClRect.Bottom + YO};
            break;
        }
    } else if (ResizeMode == 0 && hasRecord) {
        AWidth = Width(SkinRect);
        AHeight = Height(SkinRect);
        NewClRect = ClRect;
    }
}

TRect TspSkinGeometry::MoveSkinRect(const TRect& S, int width, int height) const
{
    const int XO = width - Width(SkinRect), YO = height - Height(SkinRect);
    TRect r = S;
    switch (ResizeMode) {
    case 1: {
        const int w = Width(SkinRect), h = Height(SkinRect);
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
            r.Right += XO;
            r.Bottom += YO;
        } else if (topLeftIn(LT) && bottomRightIn(RT)) {
            r.Right += XO;
        } else if (topLeftIn(LB) && bottomRightIn(RB)) {
            r.Right += XO;
            r.Top += YO;
            r.Bottom += YO;
        } else if (topLeftIn(LT) && bottomRightIn(LB)) {
            r.Bottom += YO;
        } else if (topLeftIn(RT) && bottomRightIn(RB)) {
            r.Left += XO;
            r.Right += XO;
            r.Bottom += YO;
        }
        return r;
    }
    case 2:
        if (S.Left <= LTPoint.X && S.Right >= RTPoint.X)
            r.Right += XO;
        else if (S.Left >= RTPoint.X && S.Right > RTPoint.X)
            r = Offset(r, XO, 0);
        return r;
    case 3:
        if (S.Top <= LTPoint.Y && S.Bottom >= LBPoint.Y)
            r.Bottom += YO;
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
    const int CX = R.Left + Width(R) / 2, CY = R.Top + Height(R) / 2;
    TspGlyphTextLayout l;
    if (margin == -1) {
        const int HW = (TW + GW + spacing) / 2, HH = (TH + GH + spacing) / 2;
        switch (layout) {
        case blGlyphLeft:
            l = {CX - HW, CY - GH / 2, CX + HW - TW, CY - TH / 2};
            break;
        case blGlyphRight:
            l = {CX + HW - GW, CY - GH / 2, CX - HW, CY - TH / 2};
            break;
        case blGlyphTop:
            l = {CX - GW / 2, CY - HH, CX - TW / 2, CY + HH - TH};
            break;
        case blGlyphBottom:
            l = {CX - GW / 2, CY + HH - GH, CX - TW / 2, CY - HH};
            break;
        }
        return l;
    }
    switch (layout) {
    case blGlyphLeft:
        l.GX = R.Left + margin;
        l.GY = CY - GH / 2;
        l.TX = l.GX + GW + spacing;
        l.TY = CY - TH / 2;
        break;
    case blGlyphRight:
        l.GX = R.Right - GW - margin;
        l.GY = CY - GH / 2;
        l.TX = l.GX - spacing - TW;
        l.TY = CY - TH / 2;
        break;
    case blGlyphTop:
        l.GX = CX - GW / 2;
        l.GY = R.Top + margin;
        l.TX = CX - TW / 2;
        l.TY = l.GY + GH + spacing;
        break;
    case blGlyphBottom:
        l.GX = CX - GW / 2;
        l.GY = R.Bottom - GH - margin;
        l.TX = CX - TW / 2;
        l.TY = l.GY - spacing - TH;
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
    int x = R.Left + inset;
    if (alignment == taRightJustify)
        x = R.Right - captionWidth;
    else if (alignment == taCenter)
        x = R.Left + inset + Width(R) / 2 - captionWidth / 2;
    if (defaultLook && rollUpMode && alignment != taLeftJustify)
        x -= 10;
    return x;
}
