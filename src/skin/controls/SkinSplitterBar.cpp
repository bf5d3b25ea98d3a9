#include "skin/controls/SkinSplitterBar.h"

#include <algorithm>

#include "classlib/core/ScopeExit.h"
#include "classlib/core/Types.h"
#include "classlib/graphics/GdiHandles.h"
#include "skin/SkinImages.h"
#include "skin/core/SkinComposition.h"

namespace {

// Tiles rectangle `source` of `picture` over width x height of the canvas
// from its origin, the last tiles cut at the right and bottom edges. A tile
// of no size, or no picture, draws nothing.
void Tile(TCanvas* canvas, int width, int height, TBitmap* picture, const TRect& source)
{
    const int tw = WidthOf(source);
    const int th = HeightOf(source);
    if (picture == nullptr || tw < 1 || th < 1 || width < 1 || height < 1)
        return;
    for (int y = 0; y < height; y += th) {
        for (int x = 0; x < width; x += tw) {
            const int w = std::min(tw, width - x);
            const int h = std::min(th, height - y);
            canvas->CopyRect(RECT{x, y, x + w, y + h}, picture->Canvas(),
                             RECT{source.Left, source.Top, source.Left + w, source.Top + h});
        }
    }
}

}  // namespace

// --- TspSkinSplitter -----------------------------------------------------------------

TspSkinSplitter::TspSkinSplitter(TComponent* owner) : TspSkinLinkT(owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

void TspSkinSplitter::BeforeChangeSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
}

void TspSkinSplitter::GetSkinData()
{
    BeforeChangeSkinData();
    const auto* record = FindSkinRecord<TspDataSkinCustomControl>(SkinData(), SkinDataName, FIndex);
    if (record == nullptr)
        return;
    FLTPoint = record->LeftTopPoint;
    FRTPoint = record->RightTopPoint;
    FLBPoint = record->LeftBottomPoint;
    FSkinRect = record->SkinRect;
    FPicture = PictureAt(SkinData(), record->PictureIndex);
}

void TspSkinSplitter::ChangeSkinData()
{
    GetSkinData();
    if (Align() == alTop || Align() == alBottom)
        SetHeight(FIndex != -1 ? HeightOf(FSkinRect) : DefaultSize);
    else
        SetWidth(FIndex != -1 ? WidthOf(FSkinRect) : DefaultSize);
    Repaint();
}

void TspSkinSplitter::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    // Not opaque while painting: an invalidation from inside the paint lets
    // the parent draw its ground again. Put back on every way out.
    const TControlStyle style = ControlStyle();
    SetControlStyle(style & ~csOpaque);
    const TScopeExit restore([this, style] { SetControlStyle(style); });
    GetSkinData();
    if (FIndex == -1 || FPicture == nullptr || Align() == alNone) {
        TSplitter::Paint();
        return;
    }
    TBitmap B;
    if (Align() == alTop || Align() == alBottom)
        CreateHSkinImage(FLTPoint.X, WidthOf(FSkinRect) - FRTPoint.X, &B, FPicture, FSkinRect, Width(), Height());
    else
        CreateVSkinImage(FLTPoint.Y, HeightOf(FSkinRect) - FLBPoint.Y, &B, FPicture, FSkinRect, Width(), Height());
    Canvas()->Draw(0, 0, &B);
}

// --- TspSkinControlBar -------------------------------------------------------------------

TspSkinControlBar::TspSkinControlBar(TComponent* owner) : TspSkinLinkT(owner) {}

void TspSkinControlBar::Notification(TComponent* component, TOperation operation)
{
    const bool skinGoes = operation == opRemove && component != nullptr && component == SkinData();
    TspSkinLinkT::Notification(component, operation);
    // Without the skin the frame is the inherited one again.
    if (skinGoes && HandleAllocated() && (ComponentState() & csDestroying) == 0)
        FrameChanged();
}

void TspSkinControlBar::BeforeChangeSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
    FBgPicture = nullptr;
}

void TspSkinControlBar::GetSkinData()
{
    BeforeChangeSkinData();
    const auto* record = FindSkinRecord<TspDataSkinControlBar>(SkinData(), SkinDataName, FIndex);
    if (record == nullptr)
        return;
    FLTPoint = record->LeftTopPoint;
    FRTPoint = record->RightTopPoint;
    FLBPoint = record->LeftBottomPoint;
    FRBPoint = record->RightBottomPoint;
    FSkinRect = record->SkinRect;
    FClRect = record->ClientRect;
    FItemRect = record->ItemRect;
    FPicture = PictureAt(SkinData(), record->PictureIndex);
    FBgPicture = PictureAt(SkinData(), record->BgPictureIndex);
}

void TspSkinControlBar::ChangeSkinData()
{
    GetSkinData();
    if (FSkinBevel) {
        RecreateWnd();
        AlignBands();
    } else {
        Repaint();
    }
}

void TspSkinControlBar::SetSkinBevel(bool value)
{
    FSkinBevel = value;
    if (FIndex != -1)
        RecreateWnd();
}

void TspSkinControlBar::CreateParams(TCreateParams& params)
{
    TCustomControlBar::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_BORDER);
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TspSkinControlBar::CreateWnd()
{
    GetSkinData();
    TCustomControlBar::CreateWnd();
    FrameChanged();
}

void TspSkinControlBar::PaintFrame()
{
    const HDC dc = GetWindowDC(Handle());
    if (dc == nullptr)
        return;
    RECT window{};
    GetWindowRect(Handle(), &window);
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    const TSkinGeometry old{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
    const TSkinGeometry fresh = NewSkinGeometry(old, FSkinRect, w, h);
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint,
                           fresh.RTPoint, fresh.LBPoint, fresh.RBPoint, fresh.ClRect, &left, &top, &right, &bottom,
                           FPicture, FSkinRect, w, h);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Draw(0, 0, &top);
    canvas.Draw(0, fresh.ClRect.Top, &left);
    canvas.Draw(fresh.ClRect.Right, fresh.ClRect.Top, &right);
    canvas.Draw(0, fresh.ClRect.Bottom, &bottom);
    canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

void TspSkinControlBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        if (FIndex != -1) {
            message.Result = 1;
            return;
        }
        break;
    case WM_NCCALCSIZE:
        if (SkinnedFrame()) {
            auto* rect = reinterpret_cast<RECT*>(message.LParam);
            const int left = FClRect.Left;
            const int top = FClRect.Top;
            const int right = WidthOf(FSkinRect) - FClRect.Right;
            const int bottom = HeightOf(FSkinRect) - FClRect.Bottom;
            rect->left += left;
            rect->top += top;
            rect->right = std::max(rect->right - right, rect->left);
            rect->bottom = std::max(rect->bottom - bottom, rect->top);
            message.Result = 0;
            return;
        }
        break;
    case WM_NCPAINT:
        if (SkinnedFrame()) {
            PaintFrame();
            message.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TCustomControlBar::WndProc(message);
        if (SkinnedFrame())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return;
    }
    TCustomControlBar::WndProc(message);
}

void TspSkinControlBar::Paint()
{
    GetSkinData();
    if (FIndex == -1) {
        TCustomControlBar::Paint();
        return;
    }
    const RECT client = ClientRect();
    TBitmap B;
    B.SetSize(client.right, client.bottom);
    if (FBgPicture != nullptr)
        Tile(B.Canvas(), client.right, client.bottom, FBgPicture,
             TRect{0, 0, FBgPicture->Width(), FBgPicture->Height()});
    else
        Tile(B.Canvas(), client.right, client.bottom, FPicture,
             TRect{FSkinRect.Left + FClRect.Left, FSkinRect.Top + FClRect.Top, FSkinRect.Left + FClRect.Right,
                   FSkinRect.Top + FClRect.Bottom});
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        if (control->Visible())
            DrawBand(B.Canvas(), control, BandRect(control));
    }
    Canvas()->Draw(0, 0, &B);
}

// The band's strips come from "itemrect": the source corner points use its
// size, the new ones the band's.
void TspSkinControlBar::DrawBand(TCanvas* canvas, TControl* control, RECT rect)
{
    if (FIndex == -1 || FPicture == nullptr) {
        TCustomControlBar::DrawBand(canvas, control, rect);
        return;
    }
    const int iw = WidthOf(FItemRect), ih = HeightOf(FItemRect);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const auto points = [](int width, int height) {
        return TSkinGeometry{TPoint{12, 3}, TPoint{width - 3, 3}, TPoint{12, height - 3}, TPoint{width - 3, height - 3},
                             TRect{11, 2, width - 2, height - 2}};
    };
    const TSkinGeometry old = points(iw, ih);
    const TSkinGeometry fresh = points(w, h);
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint,
                           fresh.RTPoint, fresh.LBPoint, fresh.RBPoint, fresh.ClRect, &left, &top, &right, &bottom,
                           FPicture, FItemRect, w, h);
    canvas->Draw(rect.left, rect.top, &top);
    canvas->Draw(rect.left, rect.top + fresh.ClRect.Top, &left);
    canvas->Draw(rect.left + fresh.ClRect.Right, rect.top + fresh.ClRect.Top, &right);
    canvas->Draw(rect.left, rect.top + fresh.ClRect.Bottom, &bottom);
}

// --- Registration --------------------------------------------------------------------------

void RegisterSkinSplitterBarClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinSplitter>("TspSkinSplitter", "TSplitter")
        .Component<TspSkinData>("SkinData", &TspSkinSplitter::SetSkinData)
        .String("SkinDataName", &TspSkinSplitter::SkinDataName)
        .Int("DefaultSize", &TspSkinSplitter::DefaultSize);
    classes.Register<TspSkinControlBar>("TspSkinControlBar", "TCustomControlBar")
        .Component<TspSkinData>("SkinData", &TspSkinControlBar::SetSkinData)
        .String("SkinDataName", &TspSkinControlBar::SkinDataName)
        .Bool("SkinBevel", &TspSkinControlBar::SetSkinBevel);
}
