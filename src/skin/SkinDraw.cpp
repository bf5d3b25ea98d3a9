#include "skin/SkinDraw.h"

#include <memory>

#include "classlib/graphics/GdiHandles.h"
#include "classlib/system/KernelHandles.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/StdCtrlsDraw.h"

void GetWindowsVersion(int& Major, int& Minor)
{
    const DWORD version = GetVersion();
    Major = static_cast<int>(version & 0xFF);
    Minor = static_cast<int>((version >> 8) & 0xFF);
}

bool IsWindows2000OrXP()
{
    int major = 0;
    int minor = 0;
    GetWindowsVersion(major, minor);
    return major == 5 && (minor == 0 || minor == 1);
}

void SetLayeredWindowAlpha(HWND Wnd, int Percent)
{
    using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const TModule user32("USER32");
    const auto setAttributes = user32.Function<TSetLayeredWindowAttributes>("SetLayeredWindowAttributes");
    if (setAttributes != nullptr)
        setAttributes(Wnd, 0, static_cast<BYTE>(LayeredWindowAlpha(Percent)), LWA_ALPHA);
}

void GetScreenImage(int X, int Y, TBitmap* Bitmap)
{
    if (Bitmap == nullptr || Bitmap->Empty())
        return;
    const TScreenDC screen;
    BitBlt(Bitmap->Canvas()->Handle(), 0, 0, Bitmap->Width(), Bitmap->Height(), screen.Get(), X, Y, SRCCOPY);
}

void FitTextToWidth(TCanvas* Canvas, std::string& S, int MaxWidth)
{
    FitTextToWidth(S, MaxWidth, [Canvas](const std::string& text) { return Canvas->TextWidth(text); });
}

void DrawSkinShapes(TCanvas* Canvas, int X, int Y, const TSkinShapes& Shapes, TColor Color)
{
    TBrush* brush = Canvas->Brush();
    const TColor oldColor = brush->Color();
    const TBrushStyle oldStyle = brush->Style();
    Canvas->Pen()->SetColor(Color);
    for (const TSkinShape& shape : Shapes) {
        if (shape.Kind == TSkinShape::Line) {
            Canvas->MoveTo(X + shape.A.X, Y + shape.A.Y);
            Canvas->LineTo(X + shape.B.X, Y + shape.B.Y);
            continue;
        }
        if (shape.Filled) {
            brush->SetStyle(bsSolid);
            brush->SetColor(Color);
        } else {
            brush->SetStyle(bsClear);
        }
        Canvas->Rectangle(X + shape.A.X, Y + shape.A.Y, X + shape.B.X, Y + shape.B.Y);
    }
    brush->SetColor(oldColor);
    brush->SetStyle(oldStyle);
}

void DrawArrowImage(TCanvas* Canvas, const TRect& R, TColor Color, int Code)
{
    DrawSkinShapes(Canvas, 0, 0, ArrowShapes(R, Code), Color);
}

void DrawGlyph(TCanvas* Canvas, int X, int Y, TBitmap* Glyph, int Count, int Index)
{
    if (Glyph == nullptr || Glyph->Empty() || Count < 1 || Index < 1 || Index > Count)
        return;
    const int width = Glyph->Width() / Count;
    if (width < 1)
        return;
    TBitmap cell;
    cell.SetSize(width, Glyph->Height());
    cell.Canvas()->CopyRect(RECT{0, 0, width, Glyph->Height()}, Glyph->Canvas(),
                            RECT{(Index - 1) * width, 0, Index * width, Glyph->Height()});
    cell.SetTransparent(true);
    Canvas->Draw(X, Y, &cell);
}

namespace {

bool Intersects(const RECT& a, const RECT& b)
{
    RECT common{};
    return IntersectRect(&common, &a, &b) != 0;
}

WPARAM AsWParam(HDC dc) { return reinterpret_cast<WPARAM>(dc); }

// The parent's background on `dc`, seen from the control's origin.
void PaintParentBackground(TControl* control, HDC dc, bool forGraphic)
{
    TWinControl* parent = control->Parent();
    const TSavedDCState saved(dc);
    SetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    const RECT client = parent->ClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    const bool isForm = dynamic_cast<TCustomForm*>(parent) != nullptr;
    if (forGraphic) {
        if (!isForm)
            parent->PaintWindow(dc);
        parent->Perform(WM_ERASEBKGND, AsWParam(dc), 0);
        return;
    }
    parent->Perform(WM_ERASEBKGND, AsWParam(dc), 0);
    if (!isForm)
        parent->Perform(WM_PAINT, AsWParam(dc), 0);
}

// Paints `control` at (x, y) relative to the control being drawn behind,
// clipped to its own size; then, when `recurse`, its visible custom-drawn
// children that overlap `area` (in the same coordinates as x, y).
void PaintSibling(TControl* sibling, HDC dc, int x, int y, const RECT& area, bool recurse)
{
    {
        const TSavedDCState saved(dc);
        SetViewportOrgEx(dc, x, y, nullptr);
        IntersectClipRect(dc, 0, 0, sibling->Width(), sibling->Height());
        sibling->Perform(WM_PAINT, AsWParam(dc), 0);
    }
    auto* container = dynamic_cast<TCustomControl*>(sibling);
    if (!recurse || container == nullptr)
        return;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (dynamic_cast<TCustomControl*>(child) == nullptr || !child->Visible())
            continue;
        const int cx = x + child->Left();
        const int cy = y + child->Top();
        if (Intersects(RECT{cx, cy, cx + child->Width(), cy + child->Height()}, area))
            PaintSibling(child, dc, cx, cy, area, true);
    }
}

void PaintParentImage(TControl* control, TCanvas* canvas, bool forGraphic)
{
    if (control == nullptr || canvas == nullptr || control->Parent() == nullptr)
        return;
    const HDC dc = canvas->Handle();
    PaintParentBackground(control, dc, forGraphic);

    TWinControl* parent = control->Parent();
    const RECT bounds = control->BoundsRect();
    // The control's own area, in its own coordinates.
    const RECT area{0, 0, control->Width(), control->Height()};
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == control)
            break;
        const bool windowless = dynamic_cast<TWinControl*>(sibling) == nullptr;
        const bool customDrawn = dynamic_cast<TCustomControl*>(sibling) != nullptr;
        if (!(windowless || (customDrawn && !forGraphic)) || !sibling->Visible() ||
            !Intersects(sibling->BoundsRect(), bounds))
            continue;
        PaintSibling(sibling, dc, sibling->Left() - control->Left(), sibling->Top() - control->Top(), area,
                     !forGraphic);
    }
}

}  // namespace

void DrawParentImage(TControl* Control, TCanvas* Canvas) { PaintParentImage(Control, Canvas, false); }

void DrawParentImageForGraphic(TControl* Control, TCanvas* Canvas) { PaintParentImage(Control, Canvas, true); }

void DrawCloseGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgClose), Color);
}

void DrawSysMenuGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgSysMenu), Color);
}

void DrawMinimizeGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgMinimize), Color);
}

void DrawMaximizeGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgMaximize), Color);
}

void DrawRestoreGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgRestore), Color);
}

void DrawRollUpGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgRollUp), Color);
}

void DrawRollDownGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgRollDown), Color);
}

void DrawMinToTrayGlyph(TCanvas* Canvas, int X, int Y, TColor Color)
{
    DrawSkinShapes(Canvas, X, Y, FrameGlyphShapes(fgMinToTray), Color);
}
