#include "skin/core/SkinComposition.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <cstring>

namespace {

// Coordinates and sizes beyond this are refused (no copies): a skin's
// numbers come from its description, and within this bound every sum and
// product the composers form stays far inside 32 bits.
constexpr int MaxCoordinate = 1 << 24;

bool InRange(std::initializer_list<int> values)
{
    return std::all_of(values.begin(), values.end(), [](int v) { return v >= -MaxCoordinate && v <= MaxCoordinate; });
}

bool InRange(const TRect& r) { return InRange({r.Left, r.Top, r.Right, r.Bottom}); }

bool InRange(const TSkinGeometry& g)
{
    return InRange({g.LTPoint.X, g.LTPoint.Y, g.RTPoint.X, g.RTPoint.Y, g.LBPoint.X, g.LBPoint.Y, g.RBPoint.X,
                    g.RBPoint.Y}) &&
           InRange(g.ClRect);
}

TRect Intersect(const TRect& a, const TRect& b)
{
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

bool HasArea(const TRect& r) { return r.Right > r.Left && r.Bottom > r.Top; }

// Collects the copies of one target, clipped to the picture and the target.
class TPlanBuilder {
public:
    TPlanBuilder(TSkinPlan& plan, TSkinPictureSize picture) : FPlan(plan), FPicture(picture) {}

    void Copy(TRect source, TRect dest)
    {
        if (!HasArea(source) || !HasArea(dest) || FPicture.Width < 1 || FPicture.Height < 1)
            return;
        const TRect pictureBounds{0, 0, FPicture.Width, FPicture.Height};
        const TRect targetBounds{0, 0, FPlan.Width, FPlan.Height};
        const int w = source.Right - source.Left;
        const int h = source.Bottom - source.Top;
        if (w == dest.Right - dest.Left && h == dest.Bottom - dest.Top) {
            // Same size: cut both together, so every pixel keeps its place.
            const int ox = dest.Left - source.Left;
            const int oy = dest.Top - source.Top;
            const TRect shifted{pictureBounds.Left + ox, pictureBounds.Top + oy, pictureBounds.Right + ox,
                                pictureBounds.Bottom + oy};
            dest = Intersect(Intersect(dest, targetBounds), shifted);
            source = TRect{dest.Left - ox, dest.Top - oy, dest.Right - ox, dest.Bottom - oy};
        } else {
            source = Intersect(source, pictureBounds);
            dest = Intersect(dest, targetBounds);
        }
        if (HasArea(source) && HasArea(dest))
            FPlan.Copies.push_back({source, dest});
    }

    // Tiles source columns s0..s0+n (rows sy0..sy1) over destination columns
    // d0..d1 (rows dy0..dy1).
    void TileColumns(int s0, int n, int sy0, int sy1, int d0, int d1, int dy0, int dy1)
    {
        if (n < 1 || d1 < d0)
            return;
        const int k = (d1 - d0) / n;
        for (int i = FirstTile(d0, n); i <= k; ++i) {
            const int start = d0 + i * n;
            if (start >= FPlan.Width)
                break;
            const int len = std::min(n, d1 - start);
            if (len > 0)
                Copy({s0, sy0, s0 + len, sy1}, {start, dy0, start + len, dy1});
        }
    }

    // Tiles source rows s0..s0+n (columns sx0..sx1) over destination rows
    // d0..d1 (columns dx0..dx1).
    void TileRows(int s0, int n, int sx0, int sx1, int d0, int d1, int dx0, int dx1)
    {
        if (n < 1 || d1 < d0)
            return;
        const int k = (d1 - d0) / n;
        for (int i = FirstTile(d0, n); i <= k; ++i) {
            const int start = d0 + i * n;
            if (start >= FPlan.Height)
                break;
            const int len = std::min(n, d1 - start);
            if (len > 0)
                Copy({sx0, s0, sx1, s0 + len}, {dx0, start, dx1, start + len});
        }
    }

    // Tiles source rectangle `source` over `dest` in both directions.
    void TileBoth(const TRect& source, const TRect& dest)
    {
        const int w = source.Right - source.Left;
        const int h = source.Bottom - source.Top;
        if (w < 1 || h < 1)
            return;
        const int columns = (dest.Right - dest.Left) / w;
        const int rows = (dest.Bottom - dest.Top) / h;
        for (int i = FirstTile(dest.Left, w); i <= columns && dest.Left + i * w < FPlan.Width; ++i) {
            for (int j = FirstTile(dest.Top, h); j <= rows && dest.Top + j * h < FPlan.Height; ++j) {
                const int x = dest.Left + i * w;
                const int y = dest.Top + j * h;
                const int cw = std::min(w, dest.Right - x);
                const int ch = std::min(h, dest.Bottom - y);
                if (cw > 0 && ch > 0)
                    Copy({source.Left, source.Top, source.Left + cw, source.Top + ch}, {x, y, x + cw, y + ch});
            }
        }
    }

private:
    // The first tile of a span starting at d0 that can reach column or row 0:
    // the copies before it would land wholly outside the target.
    static int FirstTile(int d0, int n) { return d0 < 0 ? (-d0) / n : 0; }

    TSkinPlan& FPlan;
    TSkinPictureSize FPicture;
};

// Sizes below 0 count as 0; a size is formed from a skin's numbers before
// they are checked, hence the wide arguments.
TSkinPlan SizedPlan(int64_t width, int64_t height)
{
    TSkinPlan plan;
    plan.Width = static_cast<int>(std::clamp<int64_t>(width, 0, INT32_MAX));
    plan.Height = static_cast<int>(std::clamp<int64_t>(height, 0, INT32_MAX));
    return plan;
}

int Saturated(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

TSkinPlan NotBuilt()
{
    TSkinPlan plan;
    plan.Built = false;
    return plan;
}

bool PictureEmpty(TSkinPictureSize picture) { return picture.Width < 1 || picture.Height < 1; }

// The nine-part image and its variant without right border.
TSkinPlan PlanNinePart(const TSkinGeometry& o, const TSkinGeometry& n, TSkinPictureSize picture, const TRect& sr,
                       int AW, int AH, bool drawClient, bool rightBorder)
{
    TSkinPlan plan = SizedPlan(AW, AH);
    if (o.RBPoint.X == o.LTPoint.X || o.RBPoint.Y == o.LTPoint.Y || PictureEmpty(picture))
        return plan;
    if (!InRange(o) || !InRange(n) || !InRange(sr) || !InRange({AW, AH}))
        return plan;
    TPlanBuilder b(plan, picture);
    const int SL = sr.Left, ST = sr.Top, SR = sr.Right, SB = sr.Bottom;
    const int width = SR - SL, height = SB - ST;
    const TRect& C = o.ClRect;
    const TRect& N = n.ClRect;

    // Edges.
    b.TileColumns(SL + o.LTPoint.X, o.RTPoint.X - o.LTPoint.X, ST, ST + C.Top, n.LTPoint.X,
                  rightBorder ? n.RTPoint.X : AW, 0, N.Top);
    b.TileColumns(SL + o.LBPoint.X, o.RBPoint.X - o.LBPoint.X, ST + C.Bottom, SB, n.LBPoint.X,
                  rightBorder ? n.RBPoint.X : AW, N.Bottom, AH);
    b.TileRows(ST + o.LTPoint.Y, o.LBPoint.Y - o.LTPoint.Y, SL, SL + N.Left, n.LTPoint.Y, n.LBPoint.Y, 0, N.Left);
    if (rightBorder)
        b.TileRows(ST + o.RTPoint.Y, o.RBPoint.Y - o.RTPoint.Y, SL + C.Right, SR, n.RTPoint.Y, n.RBPoint.Y, N.Right,
                   AW);

    // Fixed pieces, source relative to the skin rectangle.
    auto piece = [&](int l, int t, int r, int bo, const TRect& dest) {
        b.Copy({SL + l, ST + t, SL + r, ST + bo}, dest);
    };
    piece(0, 0, o.LTPoint.X, C.Top, {0, 0, n.LTPoint.X, N.Top});
    piece(0, C.Top, C.Left, o.LTPoint.Y, {0, N.Top, N.Left, n.LTPoint.Y});
    if (rightBorder) {
        piece(o.RTPoint.X, 0, width, C.Top, {n.RTPoint.X, 0, AW, N.Top});
        piece(C.Right, C.Top, width, o.RTPoint.Y, {N.Right, N.Top, AW, n.RTPoint.Y});
    }
    piece(0, o.LBPoint.Y, C.Left, height, {0, n.LBPoint.Y, N.Left, AH});
    piece(C.Left, C.Bottom, o.LBPoint.X, height, {N.Left, N.Bottom, n.LBPoint.X, AH});
    if (rightBorder) {
        piece(o.RBPoint.X, C.Bottom, width, height, {n.RBPoint.X, N.Bottom, AW, AH});
        piece(C.Right, o.RBPoint.Y, width, C.Bottom, {N.Right, n.RBPoint.Y, AW, N.Bottom});
    }

    if (drawClient)
        b.TileBoth({SL + C.Left, ST + C.Top, SL + C.Right, ST + C.Bottom}, N);
    return plan;
}

// A left or right strip: `sx0..sx1` are the source columns; rows t..bo of the
// source are tiled from the strip's top, then the end pieces from the client's
// top down to t and from bo down to the client's bottom are put at the
// strip's two ends. Rows are relative to the source top `sy`.
void SideStrip(TPlanBuilder& b, const TSkinPlan& plan, int sy, int sx0, int sx1, int t, int bo, const TRect& C)
{
    b.TileRows(sy + t, bo - t, sx0, sx1, 0, plan.Height, 0, plan.Width);
    if (t > C.Top)
        b.Copy({sx0, sy + C.Top, sx1, sy + t}, {0, 0, plan.Width, t - C.Top});
    if (C.Bottom > bo)
        b.Copy({sx0, sy + bo, sx1, sy + C.Bottom}, {0, plan.Height - (C.Bottom - bo), plan.Width, plan.Height});
}

}  // namespace

TSkinGeometry NewSkinGeometry(const TSkinGeometry& Old, const TRect& SkinRect, int AW, int AH)
{
    const int64_t dx = int64_t{AW} - (int64_t{SkinRect.Right} - SkinRect.Left);
    const int64_t dy = int64_t{AH} - (int64_t{SkinRect.Bottom} - SkinRect.Top);
    TSkinGeometry g = Old;
    g.RTPoint.X = Saturated(g.RTPoint.X + dx);
    g.LBPoint.Y = Saturated(g.LBPoint.Y + dy);
    g.RBPoint.X = Saturated(g.RBPoint.X + dx);
    g.RBPoint.Y = Saturated(g.RBPoint.Y + dy);
    g.ClRect.Right = Saturated(g.ClRect.Right + dx);
    g.ClRect.Bottom = Saturated(g.ClRect.Bottom + dy);
    return g;
}

TSkinPlan PlanHSkinImage(int LOffset, int ROffset, TSkinPictureSize Picture, const TRect& SkinRect, int AW)
{
    const int SL = SkinRect.Left, ST = SkinRect.Top, SR = SkinRect.Right, SB = SkinRect.Bottom;
    TSkinPlan plan = SizedPlan(AW, std::min(int64_t{SB} - ST, int64_t{Picture.Height}));
    if (!InRange(SkinRect) || !InRange({LOffset, ROffset, AW}))
        return plan;
    TPlanBuilder b(plan, Picture);
    const int h = plan.Height;
    if (LOffset != 0)
        b.Copy({SL, ST, SL + LOffset, SB}, {0, 0, LOffset, h});
    if (ROffset != 0)
        b.Copy({SR - ROffset, ST, SR, SB}, {AW - ROffset, 0, AW, h});
    b.TileColumns(SL + LOffset, (SR - ROffset) - (SL + LOffset), ST, SB, LOffset, AW - ROffset, 0, h);
    return plan;
}

TSkinPlan PlanVSkinImage(int TOffset, int BOffset, TSkinPictureSize Picture, const TRect& SkinRect, int AH)
{
    const int SL = SkinRect.Left, ST = SkinRect.Top, SR = SkinRect.Right, SB = SkinRect.Bottom;
    TSkinPlan plan = SizedPlan(std::min(int64_t{SR} - SL, int64_t{Picture.Width}), AH);
    if (!InRange(SkinRect) || !InRange({TOffset, BOffset, AH}))
        return plan;
    TPlanBuilder b(plan, Picture);
    const int w = plan.Width;
    if (TOffset != 0)
        b.Copy({SL, ST, SR, ST + TOffset}, {0, 0, w, TOffset});
    if (BOffset != 0)
        b.Copy({SL, SB - BOffset, SR, SB}, {0, AH - BOffset, w, AH});
    b.TileRows(ST + TOffset, (SB - BOffset) - (ST + TOffset), SL, SR, TOffset, AH - BOffset, 0, w);
    return plan;
}

TSkinPlan PlanTiledClient(TSkinPictureSize Picture, const TRect& SkinRect, const TRect& ClRect, int AW, int AH)
{
    TSkinPlan plan = SizedPlan(AW, AH);
    if (!InRange(SkinRect) || !InRange(ClRect) || !InRange({AW, AH}))
        return plan;
    TPlanBuilder b(plan, Picture);
    b.TileBoth({SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                SkinRect.Top + ClRect.Bottom},
               {0, 0, plan.Width, plan.Height});
    return plan;
}

TSkinPlan PlanSkinImage(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Picture,
                        const TRect& SkinRect, int AW, int AH, bool DrawClient)
{
    return PlanNinePart(Old, New, Picture, SkinRect, AW, AH, DrawClient, true);
}

TSkinPlan PlanSkinImage2(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Picture,
                         const TRect& SkinRect, int AW, int AH, bool DrawClient)
{
    return PlanNinePart(Old, New, Picture, SkinRect, AW, AH, DrawClient, false);
}

TSkinStripPlans PlanSkinBorderImages(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Picture,
                                     const TRect& SkinRect, int AW, int AH)
{
    const TSkinGeometry& o = Old;
    const TSkinGeometry& n = New;
    const TRect& C = o.ClRect;
    const TRect& N = n.ClRect;
    const int SL = SkinRect.Left, ST = SkinRect.Top, SR = SkinRect.Right, SB = SkinRect.Bottom;
    TSkinStripPlans strips;
    if (!InRange(o) || !InRange(n) || !InRange(SkinRect) || !InRange({AW, AH}))
        return {NotBuilt(), NotBuilt(), NotBuilt(), NotBuilt()};

    if (AW >= 1 && N.Top >= 1 && o.RTPoint.X - o.LTPoint.X >= 1) {
        strips.Top = SizedPlan(AW, N.Top);
        TPlanBuilder b(strips.Top, Picture);
        b.TileColumns(SL + o.LTPoint.X, o.RTPoint.X - o.LTPoint.X, ST, ST + N.Top, 0, AW, 0, N.Top);
        b.Copy({SL, ST, SL + o.LTPoint.X, ST + N.Top}, {0, 0, n.LTPoint.X, N.Top});
        b.Copy({SL + o.RTPoint.X, ST, SR, ST + N.Top}, {n.RTPoint.X, 0, AW, N.Top});
    } else {
        strips.Top = NotBuilt();
    }

    const int bottomHeight = AH - N.Bottom;
    if (bottomHeight >= 1 && AW >= 1 && o.RBPoint.X - o.LBPoint.X >= 1) {
        strips.Bottom = SizedPlan(AW, bottomHeight);
        TPlanBuilder b(strips.Bottom, Picture);
        const int top = SB - bottomHeight;
        b.TileColumns(SL + o.LBPoint.X, o.RBPoint.X - o.LBPoint.X, top, SB, 0, AW, 0, bottomHeight);
        b.Copy({SL, top, SL + o.LBPoint.X, SB}, {0, 0, n.LBPoint.X, bottomHeight});
        b.Copy({SL + o.RBPoint.X, top, SR, SB}, {n.RBPoint.X, 0, AW, bottomHeight});
    } else {
        strips.Bottom = NotBuilt();
    }

    const int sideHeight = N.Bottom - N.Top;
    if (N.Left >= 1 && sideHeight >= 1 && o.LBPoint.Y - o.LTPoint.Y >= 1) {
        strips.Left = SizedPlan(N.Left, sideHeight);
        TPlanBuilder b(strips.Left, Picture);
        SideStrip(b, strips.Left, ST, SL, SL + N.Left, o.LTPoint.Y, o.LBPoint.Y, C);
    } else {
        strips.Left = NotBuilt();
    }

    if (AW - N.Right >= 1 && sideHeight >= 1 && o.RBPoint.Y - o.RTPoint.Y >= 1) {
        strips.Right = SizedPlan(AW - N.Right, sideHeight);
        TPlanBuilder b(strips.Right, Picture);
        SideStrip(b, strips.Right, ST, SL + C.Right, SR, o.RTPoint.Y, o.RBPoint.Y, C);
    } else {
        strips.Right = NotBuilt();
    }
    return strips;
}

TSkinStripPlans PlanSkinMask(const TSkinGeometry& Old, const TSkinGeometry& New, TSkinPictureSize Mask, int AW,
                             int /*AH*/)
{
    const TSkinGeometry& o = Old;
    const TSkinGeometry& n = New;
    const TRect& C = o.ClRect;
    const TRect& N = n.ClRect;
    const int mw = Mask.Width, mh = Mask.Height;
    TSkinStripPlans strips;
    if (!InRange(o) || !InRange(n) || !InRange({mw, mh, AW}))
        return {NotBuilt(), NotBuilt(), NotBuilt(), NotBuilt()};

    const int sideHeight = N.Bottom - N.Top;
    if (C.Left >= 1 && sideHeight >= 1) {
        strips.Left = SizedPlan(C.Left, sideHeight);
        TPlanBuilder b(strips.Left, Mask);
        SideStrip(b, strips.Left, 0, 0, C.Left, o.LTPoint.Y, o.LBPoint.Y, C);
    } else {
        strips.Left = NotBuilt();
    }

    if (mw - C.Right >= 1 && sideHeight >= 1) {
        strips.Right = SizedPlan(mw - C.Right, sideHeight);
        TPlanBuilder b(strips.Right, Mask);
        SideStrip(b, strips.Right, 0, C.Right, mw, o.RTPoint.Y, o.RBPoint.Y, C);
    } else {
        strips.Right = NotBuilt();
    }

    if (AW >= 1 && C.Top >= 1) {
        strips.Top = SizedPlan(AW, C.Top);
        TPlanBuilder b(strips.Top, Mask);
        b.TileColumns(o.LTPoint.X, o.RTPoint.X - o.LTPoint.X, 0, C.Top, n.LTPoint.X, n.RTPoint.X, 0, C.Top);
        b.Copy({0, 0, o.LTPoint.X, C.Top}, {0, 0, n.LTPoint.X, C.Top});
        b.Copy({o.RTPoint.X, 0, mw, C.Top}, {n.RTPoint.X, 0, AW, C.Top});
    } else {
        strips.Top = NotBuilt();
    }

    const int bottomHeight = mh - C.Bottom;
    if (AW >= 1 && bottomHeight >= 1) {
        strips.Bottom = SizedPlan(AW, bottomHeight);
        TPlanBuilder b(strips.Bottom, Mask);
        b.TileColumns(o.LBPoint.X, o.RBPoint.X - o.LBPoint.X, C.Bottom, mh, n.LBPoint.X, n.RBPoint.X, 0,
                      bottomHeight);
        b.Copy({0, C.Bottom, o.LBPoint.X, mh}, {0, 0, n.LBPoint.X, bottomHeight});
        b.Copy({o.RBPoint.X, C.Bottom, mw, mh}, {n.RBPoint.X, 0, AW, bottomHeight});
    } else {
        strips.Bottom = NotBuilt();
    }
    return strips;
}

void ExecuteSkinPlan(const TSkinPlan& Plan, const TDibImage& Picture, TDibImage& Target)
{
    if (!Plan.Built)
        return;
    TDibImage sized;
    sized.Width = Plan.Width;
    sized.Height = Plan.Height;
    sized.BitCount = 24;
    sized.Allocate();
    const TDibImage old = Target.BitCount == 24 ? Target : DibTo24Bit(Target);
    const int keepWidth = std::min(old.Width, sized.Width);
    for (int y = 0; y < std::min(old.Height, sized.Height); ++y)
        std::memcpy(sized.ScanLine(y), old.ScanLine(y), static_cast<size_t>(keepWidth) * 3);
    Target = std::move(sized);
    if (Plan.Copies.empty())
        return;

    const TDibImage source = DibTo24Bit(Picture);
    const TRect pictureBounds{0, 0, source.Width, source.Height};
    const TRect targetBounds{0, 0, Target.Width, Target.Height};
    for (const TSkinCopy& copy : Plan.Copies) {
        const int sw = copy.Source.Right - copy.Source.Left;
        const int sh = copy.Source.Bottom - copy.Source.Top;
        const int dw = copy.Dest.Right - copy.Dest.Left;
        const int dh = copy.Dest.Bottom - copy.Dest.Top;
        if (sw < 1 || sh < 1 || dw < 1 || dh < 1)
            continue;
        for (int y = copy.Dest.Top; y < copy.Dest.Bottom; ++y) {
            const int sy = copy.Source.Top + static_cast<int>(static_cast<int64_t>(y - copy.Dest.Top) * sh / dh);
            for (int x = copy.Dest.Left; x < copy.Dest.Right; ++x) {
                const int sx =
                    copy.Source.Left + static_cast<int>(static_cast<int64_t>(x - copy.Dest.Left) * sw / dw);
                if (!(x >= 0 && y >= 0 && x < targetBounds.Right && y < targetBounds.Bottom && sx >= 0 && sy >= 0 &&
                      sx < pictureBounds.Right && sy < pictureBounds.Bottom))
                    continue;
                std::memcpy(Target.ScanLine(y) + 3 * x, source.ScanLine(sy) + 3 * sx, 3);
            }
        }
    }
}
