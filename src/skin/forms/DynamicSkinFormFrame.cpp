// The skinned form's frame: geometry for the current size, the painting of
// the skin frame and of the default frame into a device context, the
// window shape and the client background.
#include <algorithm>

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/GdiHandles.h"
#include "skin/EffectBmp.h"
#include "skin/SkinData.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/SkinRegions.h"
#include "skin/core/EffectMorph.h"
#include "skin/core/SkinComposition.h"
#include "skin/core/SkinRegionData.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"

namespace {

// Keeps a DC's clipping as it was, so that excluding the client area does
// not outlive one painting.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
    ~TSavedDC() { RestoreDC(FDC, FSaved); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FSaved;
};

// A canvas over a DC it does not own.
class TDCCanvas : public TCanvas {
public:
    explicit TDCCanvas(HDC dc) { SetHandle(dc); }
    ~TDCCanvas() override { SetHandle(nullptr); }
};

// The region of a mask strip's black pixels placed at (x, y); null for a
// strip without pixels.
HRGN StripRegion(const TDibImage& strip, int x, int y)
{
    if (strip.Width < 1 || strip.Height < 1)
        return nullptr;
    const std::vector<uint8_t> data = CreateRgnDataFromDib(strip, x, y);
    if (data.empty())
        return nullptr;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

void Bevel(TCanvas& c, RECT r, TColor topLeft, TColor bottomRight)
{
    const int right = r.right - 1, bottom = r.bottom - 1;
    c.Pen()->SetColor(topLeft);
    c.MoveTo(r.left, bottom);
    c.LineTo(r.left, r.top);
    c.LineTo(right, r.top);
    c.Pen()->SetColor(bottomRight);
    c.MoveTo(right, r.top);
    c.LineTo(right, bottom);
    c.LineTo(r.left - 1, bottom);
}

}  // namespace

// ---------------------------------------------------------------- geometry

void TspDynamicSkinForm::CalcRects()
{
    if (NewWidth == 0 || NewHeight == 0) {
        NewWidth = Form->Width();
        NewHeight = Form->Height();
    }
    if (!HasSkin())
        return;
    Layout = CalcSkinFrameLayout(*FSkinData, FSkinData->Picture->Width(), FSkinData->Picture->Height(), NewWidth,
                                 NewHeight);
}

void TspDynamicSkinForm::CalcObjectRects()
{
    if (!HasSkin())
        return;
    for (const auto& object : ObjectList) {
        auto* button = dynamic_cast<TspSkinStdButtonObject*>(object.get());
        if (button != nullptr && !button->FromSkin)
            continue;
        object->ObjectRect = PlaceFrameObject(*FSkinData, Layout, object->SkinRect);
    }
    PlaceMainMenuItems();
}

void TspDynamicSkinForm::NCCalcSize(RECT& R)
{
    if (!FSupportNCArea || Form->BorderStyle() == bsNone)
        return;
    const bool skinFrame = HasSkinClientRect();
    int pw = 0, ph = 0;
    if (skinFrame) {
        CalcRects();
        pw = FSkinData->Picture->Width();
        ph = FSkinData->Picture->Height();
    }
    static const TspSkinDescription noSkin;
    const TRect client = SkinNCClientRect({R.left, R.top, R.right, R.bottom}, skinFrame,
                                          skinFrame ? *FSkinData : noSkin, pw, ph, GetDefCaptionHeight());
    R = RECT{client.Left, client.Top, client.Right, client.Bottom};
}

// ---------------------------------------------------------------- frame painting

void TspDynamicSkinForm::PaintNCSkin(HDC DC)
{
    // A skin without a client rectangle keeps the default frame, as the
    // client area it reports has the default margins.
    if (!HasSkinClientRect()) {
        PaintNCDefault(DC);
        return;
    }
    if (NewWidth == 0 || NewHeight == 0) {
        NewWidth = Form->Width();
        NewHeight = Form->Height();
    }
    if (GetMinWidth() > NewWidth || GetMinHeight() > NewHeight)
        return;
    CalcRects();
    CalcObjectRects();
    TspSkinData& skin = *FSkinData;
    TBitmap left, top, right, bottom;
    const TRect whole{0, 0, skin.Picture->Width(), skin.Picture->Height()};
    CreateSkinBorderImages(skin.LTPoint, skin.RTPoint, skin.LBPoint, skin.RBPoint, skin.ClRect, Layout.NewLTPoint,
                           Layout.NewRTPoint, Layout.NewLBPoint, Layout.NewRBPoint, Layout.NewClRect, &left, &top,
                           &right, &bottom, skin.Picture.get(), whole, NewWidth, NewHeight);
    const TRect& client = Layout.NewClRect;
    for (const auto& object : ObjectList) {
        if (!ObjectVisible(*object))
            continue;
        if (object->ObjectRect.Bottom > client.Top) {
            TRect& R = object->ObjectRect;
            R.Top -= client.Bottom;
            R.Bottom -= client.Bottom;
            object->Draw(bottom.Canvas(), false);
            R.Top += client.Bottom;
            R.Bottom += client.Bottom;
        } else {
            object->Draw(top.Canvas(), false);
        }
    }
    const TSavedDC saved(DC);
    if (client.Bottom > client.Top)
        ExcludeClipRect(DC, client.Left, client.Top, client.Right, client.Bottom);
    const int topHeight = top.Height();
    struct TPlace {
        TBitmap* Strip;
        int X, Y;
    } places[] = {{&top, 0, 0},
                  {&left, 0, topHeight},
                  {&right, NewWidth - right.Width(), topHeight},
                  {&bottom, 0, NewHeight - bottom.Height()}};
    const bool plain = FormActive || !skin.AutoRenderingInActiveImage;
    TDCCanvas canvas(DC);
    for (const TPlace& place : places) {
        if (place.Strip->Empty())
            continue;
        if (plain) {
            canvas.Draw(place.X, place.Y, place.Strip);
            continue;
        }
        TspEffectBmp image(place.Strip->Handle());
        ApplyInactiveEffect(image, skin.InActiveEffect);
        image.Draw(DC, place.X, place.Y);
    }
}

void TspDynamicSkinForm::ArrangeDefaultButtons()
{
    const int bs = GetDefButtonSize();
    const int W = NewWidth;
    const TFormBorderStyle style = Form->BorderStyle();
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto* button = dynamic_cast<TspSkinStdButtonObject*>(ObjectList[i].get());
        if (button == nullptr || button->FromSkin)
            continue;
        if (i == 0) {
            button->ObjectRect = {W - 3 - bs, 4, W - 3, bs + 4};
        } else if (style == bsSingle || style == bsSizeable) {
            const int n = static_cast<int>(i);
            if (n <= 3)
                button->ObjectRect = {W - 3 - bs * (n + 1), 4, W - 3 - bs * n, bs + 4};
            else if (n == 4 && (FBorderIcons & biSystemMenu))
                button->ObjectRect = {4, 4, bs + 4, bs + 4};
        }
    }
}

void TspDynamicSkinForm::PaintNCDefault(HDC DC)
{
    if (NewWidth == 0 || NewHeight == 0) {
        NewWidth = Form->Width();
        NewHeight = Form->Height();
    }
    if (ObjectList.empty())
        LoadDefaultButtons();
    ArrangeDefaultButtons();
    const int W = NewWidth, H = NewHeight;
    const int ch = GetDefCaptionHeight();
    const int bs = GetDefButtonSize();
    const TFormBorderStyle style = Form->BorderStyle();
    int leftMargin = 4, rightMargin = bs + 2;
    if (style == bsSingle || style == bsSizeable) {
        rightMargin = bs * 4 + 2;
        leftMargin = (FBorderIcons & biSystemMenu) ? bs + 3 : 4;
    }
    TDCCanvas canvas(DC);
    const int captionWidth = W - 6;
    if (captionWidth > 0 && ch > 0) {
        TBitmap caption;
        caption.SetSize(captionWidth, ch);
        TCanvas* c = caption.Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(RECT{0, 0, captionWidth, ch});
        for (int i = 0; i <= ch - 2; ++i) {
            c->Pen()->SetColor(i % 2 == 0 ? clBtnHighlight : clBtnShadow);
            c->MoveTo(leftMargin, i);
            c->LineTo(captionWidth - rightMargin, i);
        }
        c->Font()->Assign(FormActive ? &FDefCaptionFont : &FDefInActiveCaptionFont);
        std::string text = FrameCaption(Form->Caption());
        if (!text.empty()) {
            const int avail = captionWidth - leftMargin - rightMargin;
            FitTextToWidth(c, text, avail);
            const SIZE size = c->TextExtent(text);
            const int x = leftMargin + avail / 2 - (size.cx + 5) / 2;
            const int y = ch / 2 - size.cy / 2;
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clBtnFace);
            c->FillRect(RECT{x, 0, x + size.cx + 5, ch});
            c->Brush()->SetStyle(bsClear);
            c->TextOut(x + 3, y, text);
        }
        for (const auto& object : ObjectList) {
            TRect& R = object->ObjectRect;
            R = {R.Left - 3, R.Top - 3, R.Right - 3, R.Bottom - 3};
            object->Draw(c, true);
            R = {R.Left + 3, R.Top + 3, R.Right + 3, R.Bottom + 3};
        }
        const TSavedDC saved(DC);
        ExcludeClipRect(DC, 3, ch + 3, W - 3, H - 3);
        canvas.Draw(3, 3, &caption);
    }
    Bevel(canvas, RECT{0, 0, W, H}, cl3DLight, cl3DDkShadow);
    Bevel(canvas, RECT{1, 1, W - 1, H - 1}, clBtnHighlight, clBtnShadow);
    Bevel(canvas, RECT{2, 2, W - 2, H - 2}, clBtnFace, clBtnFace);
}

void TspDynamicSkinForm::DrawSkinObject(TspActiveSkinObject* Object)
{
    if (!ObjectVisible(*Object) || !Form->HandleAllocated())
        return;
    const HWND window = Form->Handle();
    if (FSupportNCArea && (Form->BorderStyle() == bsNone || (IsMDIChild() && WindowState == 2)))
        return;
    const HDC dc = FSupportNCArea ? GetWindowDC(window) : GetDC(window);
    if (dc == nullptr)
        return;
    {
        TDCCanvas canvas(dc);
        Object->Draw(&canvas, true);
    }
    ReleaseDC(window, dc);
}

// ---------------------------------------------------------------- window shape

void TspDynamicSkinForm::SetShape(HRGN Region)
{
    if (!Form->HandleAllocated()) {
        if (Region != nullptr)
            DeleteObject(Region);
        return;
    }
    // The system owns a region it accepted and frees it when another
    // replaces it; only a refused one is still ours to delete.
    if (SetWindowRgn(Form->Handle(), Region, TRUE) == 0 && Region != nullptr)
        DeleteObject(Region);
}

void TspDynamicSkinForm::UpdateSkinRegion(bool Parts)
{
    if ((ComponentState() & csDesigning) || !HasSkin())
        return;
    CalcRects();
    if (Parts)
        CalcObjectRects();
    CreateSkinRegion(Parts);
    if (OnChangeClientRect)
        OnChangeClientRect(Layout.NewClRect);
    if (!FSupportNCArea) {
        if (Form->HandleAllocated())
            Form->Repaint();
        ArrangeAreaControls();
    } else if (FSkinData->Mask->Empty() && Form->HandleAllocated()) {
        SendMessageA(Form->Handle(), WM_NCPAINT, 1, 0);
    }
}

void TspDynamicSkinForm::CreateSkinRegion(bool Parts)
{
    // A maximized MDI child fills the MDI client without a frame: no shape
    // cuts its corners.
    const bool maximizedChild = IsMDIChild() && WindowState == 2;
    if ((FSupportNCArea && Form->BorderStyle() == bsNone) || maximizedChild || !HasSkin() ||
        FSkinData->Mask->Empty()) {
        SetShape(nullptr);
        MaskStrips = TSkinMaskStrips{};
        return;
    }
    TspSkinData& skin = *FSkinData;
    if (!Parts) {
        HRGN region = nullptr;
        CreateRgnFromBitmap(region, skin.Mask.get());
        SetShape(region);
        return;
    }
    const TDibImage mask = skin.Mask->Dib();
    const TRect& area = Layout.NewMaskRectArea;
    const TSkinGeometry oldGeometry{skin.LTPoint, skin.RTPoint, skin.LBPoint, skin.RBPoint, skin.MaskRectArea};
    const TSkinGeometry newGeometry{Layout.NewLTPoint, Layout.NewRTPoint, Layout.NewLBPoint, Layout.NewRBPoint, area};
    const TSkinStripPlans plans =
        PlanSkinMask(oldGeometry, newGeometry, {mask.Width, mask.Height}, NewWidth, NewHeight);
    MaskStrips = TSkinMaskStrips{};
    ExecuteSkinPlan(plans.Top, mask, MaskStrips.Top);
    ExecuteSkinPlan(plans.Bottom, mask, MaskStrips.Bottom);
    ExecuteSkinPlan(plans.Left, mask, MaskStrips.Left);
    ExecuteSkinPlan(plans.Right, mask, MaskStrips.Right);

    HRGN region = CreateRectRgn(area.Left, area.Top, area.Right, area.Bottom);
    const HRGN strips[] = {StripRegion(MaskStrips.Top, 0, 0), StripRegion(MaskStrips.Bottom, 0, area.Bottom),
                           StripRegion(MaskStrips.Left, 0, area.Top),
                           StripRegion(MaskStrips.Right, area.Right, area.Top)};
    for (const HRGN strip : strips) {
        if (strip == nullptr)
            continue;
        CombineRgn(region, region, strip, RGN_OR);
        // The strip regions are only combined, never handed over.
        DeleteObject(strip);
    }
    SetShape(region);
}

void TspDynamicSkinForm::CreateRollUpRegion()
{
    if (!HasSkin() || FSkinData->RollupMask->Empty()) {
        SetShape(nullptr);
        return;
    }
    TspSkinData& skin = *FSkinData;
    TBitmap* mask = skin.RollupMask.get();
    HRGN region = nullptr;
    if (skin.RollUpRightPoint.X > skin.RollUpLeftPoint.X) {
        TBitmap stretched;
        CreateHSkinImage(skin.RollUpLeftPoint.X, mask->Width() - skin.RollUpRightPoint.X, &stretched, mask,
                         {0, 0, mask->Width(), mask->Height()}, Form->Width(), mask->Height());
        CreateRgnFromBitmap(region, &stretched);
    } else {
        CreateRgnFromBitmap(region, mask);
    }
    SetShape(region);
}

// ---------------------------------------------------------------- client background

void TspDynamicSkinForm::PaintTiledClientBG(HDC DC)
{
    PaintTiledClientBG(DC, Form->ClientWidth(), Form->ClientHeight());
}

void TspDynamicSkinForm::PaintTiledClientBG(HDC DC, int W, int H)
{
    if (!HasSkin())
        return;
    const int index = FSkinData->BGPictureIndex;
    if (index < 0 || index >= static_cast<int>(FSkinData->ActivePictures.size()))
        return;
    TBitmap* picture = FSkinData->ActivePictures[static_cast<size_t>(index)].get();
    // An empty picture has no tile to repeat.
    if (picture == nullptr || picture->Empty())
        return;
    const int w = W, h = H;
    if (w <= 0 || h <= 0)
        return;
    TDCCanvas canvas(DC);
    for (int column = 0; column <= w / picture->Width(); ++column)
        for (int row = 0; row <= h / picture->Height(); ++row)
            canvas.Draw(column * picture->Width(), row * picture->Height(), picture);
}

void TspDynamicSkinForm::PaintStretchedClientBG(HDC DC)
{
    PaintStretchedClientBG(DC, Form->ClientWidth(), Form->ClientHeight());
}

void TspDynamicSkinForm::PaintStretchedClientBG(HDC DC, int W, int H)
{
    const int w = W, h = H;
    if (w <= 0 || h <= 0)
        return;
    if (!HasSkin() || IsNullRect(FSkinData->ClRect) || FSkinData->Picture->Empty()) {
        EraseClientBG(DC);
        return;
    }
    const TRect& part = FSkinData->ClRect;
    const int tw = RectWidth(part), th = RectHeight(part);
    TBitmap background;
    background.SetSize(w, h);
    TCanvas* c = background.Canvas();
    for (int y = 0; y < h; y += th) {
        for (int x = 0; x < w; x += tw) {
            const int cw = std::min(tw, w - x), chh = std::min(th, h - y);
            c->CopyRect(RECT{x, y, x + cw, y + chh}, FSkinData->Picture->Canvas(),
                        RECT{part.Left, part.Top, part.Left + cw, part.Top + chh});
        }
    }
    TDCCanvas canvas(DC);
    canvas.Draw(0, 0, &background);
}

void TspDynamicSkinForm::EraseClientBG(HDC DC)
{
    TDCCanvas canvas(DC);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(RECT{0, 0, Form->ClientWidth(), Form->ClientHeight()});
}

void TspDynamicSkinForm::PaintClientBG(HDC DC)
{
    TDCCanvas canvas(DC);
    const int w = Form->ClientWidth(), h = Form->ClientHeight();
    if (!HasSkin()) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.Pen()->SetColor(0);
        canvas.Rectangle(0, 0, w, h);
        return;
    }
    TspSkinData& skin = *FSkinData;
    TBitmap image;
    if (RollUpState && !skin.RollupPicture->Empty()) {
        TBitmap* picture = skin.RollupPicture.get();
        if (skin.RollUpRightPoint.X > skin.RollUpLeftPoint.X)
            CreateHSkinImage(skin.RollUpLeftPoint.X, picture->Width() - skin.RollUpRightPoint.X, &image, picture,
                             {0, 0, picture->Width(), picture->Height()}, Form->Width(), picture->Height());
        else
            image.Assign(picture);
    } else if (skin.LTPoint.X == 0 && skin.LTPoint.Y == 0 && skin.RBPoint.X == 0 && skin.RBPoint.Y == 0) {
        image.Assign(skin.Picture.get());
    } else {
        NewWidth = w;
        NewHeight = h;
        CalcRects();
        CreateSkinImage(skin.LTPoint, skin.RTPoint, skin.LBPoint, skin.RBPoint, skin.ClRect, Layout.NewLTPoint,
                        Layout.NewRTPoint, Layout.NewLBPoint, Layout.NewRBPoint, Layout.NewClRect, &image,
                        skin.Picture.get(), {0, 0, skin.Picture->Width(), skin.Picture->Height()}, w, h, true);
    }
    for (const auto& object : ObjectList)
        if (ObjectVisible(*object))
            object->Draw(image.Canvas(), false);
    canvas.Draw(0, 0, &image);
}
