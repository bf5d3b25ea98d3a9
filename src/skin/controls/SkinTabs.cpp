#include "skin/controls/SkinTabs.h"

#include <windowsx.h>

#include <commctrl.h>

#include <algorithm>
#include <type_traits>

#include "classlib/core/Types.h"
#include "classlib/ui/ControlsRegistration.h"
#include "skin/SkinImages.h"
#include "skin/controls/SkinButton.h"
#include "skin/core/SkinComposition.h"

namespace {

constexpr TColor ActiveFrameColor = 0x00800000;
constexpr TColor FocusedFillColor = 0x00B59385;
constexpr TColor HotFillColor = 0x00D2BDB6;

// Tiles `source` of `picture` over `dest` of the canvas; nothing for a tile
// or an area of no size.
void Tile(TCanvas* canvas, const RECT& dest, TBitmap* picture, const TRect& source)
{
    const int tw = WidthOf(source), th = HeightOf(source);
    if (picture == nullptr || tw < 1 || th < 1)
        return;
    for (int y = dest.top; y < dest.bottom; y += th) {
        for (int x = dest.left; x < dest.right; x += tw) {
            const int w = std::min(tw, static_cast<int>(dest.right) - x);
            const int h = std::min(th, static_cast<int>(dest.bottom) - y);
            canvas->CopyRect(RECT{x, y, x + w, y + h}, picture->Canvas(),
                             RECT{source.Left, source.Top, source.Left + w, source.Top + h});
        }
    }
}

}  // namespace

template <class Base>
TspSkinTabsT<Base>::TspSkinTabsT(TComponent* owner) : TspSkinLinkT<Base>(owner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetColor(clBtnText);
    FDefaultFont->SetHeight(14);
    this->Font()->Assign(FDefaultFont.get());
    this->SetTabHeight(FDefaultItemHeight);
    this->FCustomPaint = true;
}

template <class Base>
TspSkinTabsT<Base>::~TspSkinTabsT() = default;

template <class Base>
void TspSkinTabsT<Base>::SkinDataChanged()
{
    if (this->SkinData() != nullptr && !this->SkinData()->Empty && (this->ComponentState() & csDesigning) == 0)
        ChangeSkinData();
}

template <class Base>
void TspSkinTabsT<Base>::Notification(TComponent* component, TOperation operation)
{
    TspSkinLinkT<Base>::Notification(component, operation);
    if (operation == opRemove && component == FUpDown)
        FUpDown = nullptr;
}

template <class Base>
void TspSkinTabsT<Base>::BeforeChangeSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
    FBgPicture = nullptr;
}

template <class Base>
void TspSkinTabsT<Base>::GetSkinData()
{
    BeforeChangeSkinData();
    const auto* record = FindSkinRecord<TspDataSkinTabControl>(this->SkinData(), SkinDataName, FIndex);
    if (record == nullptr)
        return;
    FPicture = PictureAt(this->SkinData(), record->PictureIndex);
    FBgPicture = PictureAt(this->SkinData(), record->BgPictureIndex);
    FSkinRect = record->SkinRect;
    FClRect = record->ClientRect;
    FTabRect = record->TabRect;
    FActiveTabRect = IsEmpty(record->ActiveTabRect) ? FTabRect : record->ActiveTabRect;
    FFocusTabRect = IsEmpty(record->FocusTabRect) ? FActiveTabRect : record->FocusTabRect;
    FMouseInTabRect = record->MouseInTabRect;
    FTabsBgRect = record->TabsBgRect;
    FLTPoint = record->LeftTopPoint;
    FRTPoint = record->RightTopPoint;
    FLBPoint = record->LeftBottomPoint;
    FRBPoint = record->RightBottomPoint;
    FTabLeftOffset = record->TabLeftOffset;
    FTabRightOffset = record->TabRightOffset;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FActiveFontColor = record->ActiveFontColor;
    FFocusFontColor = record->FocusFontColor;
    FMouseInFontColor = record->MouseInFontColor;
    FUpDownName = record->UpDown;
}

template <class Base>
void TspSkinTabsT<Base>::ChangeSkinData()
{
    GetSkinData();
    if (FIndex == -1) {
        this->Font()->Assign(FDefaultFont.get());
        this->SetTabHeight(FDefaultItemHeight);
    } else {
        this->Font()->SetName(FFontName);
        this->Font()->SetHeight(FFontHeight);
        this->Font()->SetStyle(FFontStyle);
        this->Font()->SetColor(FFontColor);
        this->SetTabHeight(HeightOf(FTabRect));
    }
    this->Realign();
    if (FUpDown != nullptr) {
        delete FUpDown;
        FUpDown = nullptr;
    }
    CheckTabScrolling();
    this->Invalidate();
}

template <class Base>
void TspSkinTabsT<Base>::Loaded()
{
    Base::Loaded();
    if (FIndex == -1) {
        this->SetTabHeight(FDefaultItemHeight);
        this->Realign();
    }
}

template <class Base>
void TspSkinTabsT<Base>::SetDefaultItemHeight(int value)
{
    FDefaultItemHeight = value;
    if (FIndex == -1) {
        this->SetTabHeight(value);
        this->Realign();
    }
}

// The window answers no rectangle for a tab out of sight: the tabs before
// the first one it shows are scrolled off to the left.
template <class Base>
int TspSkinTabsT<Base>::ScrolledOffCount()
{
    int count = 0;
    for (int i = 0; i < this->Tabs()->Count(); ++i) {
        const RECT r = this->TabRect(i);
        if (r.right > r.left)
            break;
        ++count;
    }
    return count;
}

template <class Base>
void TspSkinTabsT<Base>::CheckTabScrolling()
{
    if (!this->HandleAllocated() || (this->ComponentState() & csDesigning) != 0)
        return;
    if (const HWND native = FindWindowExA(this->Handle(), nullptr, UPDOWN_CLASSA, nullptr))
        DestroyWindow(native);
    const int updownWidth = FUpDown != nullptr ? FUpDown->Width() : 2 * FDefaultItemHeight;
    int hidden = 0;
    for (int i = 0; i < this->Tabs()->Count(); ++i) {
        const RECT r = this->TabRect(i);
        if (r.right <= r.left || r.right > this->Width() - updownWidth - 3 || r.right <= 0)
            ++hidden;
    }
    if (hidden == 0) {
        delete FUpDown;
        FUpDown = nullptr;
        return;
    }
    if (FUpDown != nullptr)
        return;
    FUpDown = new TspSkinUpDown(this);
    FUpDown->SkinDataName = FUpDownName;
    FUpDown->SetMin(0);
    FUpDown->SetMax(hidden);
    FUpDown->SetPosition(ScrolledOffCount());
    FUpDown->SetIncrement(1);
    const int h = FDefaultItemHeight;
    const int top = this->TabPosition() == tpBottom ? this->Height() - h : 0;
    FUpDown->SetBounds(this->Width() - 2 * h, top, 2 * h, h);
    FUpDown->SetParent(this);
    FUpDown->SetSkinData(this->SkinData());
    FUpDown->OnChange = [this, hidden](TObject*) {
        if (FUpDown == nullptr)
            return;
        FUpDown->SetMax(hidden);
        SendMessageA(this->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, FUpDown->Position()), 0);
    };
}

template <class Base>
void TspSkinTabsT<Base>::Change()
{
    if (FUpDown != nullptr)
        FUpDown->SetPosition(ScrolledOffCount());
    Base::Change();
    this->Invalidate();
}

template <class Base>
int TspSkinTabsT<Base>::TabAt(int x, int y)
{
    for (int i = 0; i < this->Tabs()->Count(); ++i) {
        const RECT r = this->TabRect(i);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return i;
    }
    return -1;
}

template <class Base>
void TspSkinTabsT<Base>::DrawTab(TCanvas* canvas, int index, const RECT& rect)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w < 1 || h < 1)
        return;
    const bool active = index == this->TabIndex();
    const bool hot = index == FHotTab && !active;
    const bool focused = this->Focused();
    TBitmap B;
    B.SetSize(w, h);
    TCanvas* c = B.Canvas();
    if (FIndex == -1 || FPicture == nullptr) {
        c->Font()->Assign(this->Font());
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(hot ? HotFillColor : active ? (focused ? FocusedFillColor : HotFillColor) : clBtnFace);
        c->FillRect(RECT{0, 0, w, h});
        if (active) {
            c->Brush()->SetColor(ActiveFrameColor);
            c->FrameRect(RECT{0, 0, w, h});
        }
    } else {
        TRect look = FTabRect;
        TColor color = FFontColor;
        if (hot && !IsEmpty(FMouseInTabRect))
            look = FMouseInTabRect, color = FMouseInFontColor;
        else if (active && focused)
            look = FFocusTabRect, color = FFocusFontColor;
        else if (active)
            look = FActiveTabRect, color = FActiveFontColor;
        CreateHSkinImage(FTabLeftOffset, FTabRightOffset, &B, FPicture, look, w, h);
        c->Font()->SetName(FFontName);
        c->Font()->SetStyle(FFontStyle);
        c->Font()->SetHeight(FFontHeight);
        c->Font()->SetColor(color);
    }
    const std::string caption = this->Tabs()->Strings(index);
    c->Brush()->SetStyle(bsClear);
    TCustomImageList* images = this->Images();
    const int image = this->GetImageIndex(index);
    if (images != nullptr && image >= 0 && image < images->Count()) {
        RECT measured{0, 0, 0, 0};
        c->DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
        const int textWidth = measured.right + 2;
        const int total = images->Width() + 2 + textWidth;
        const int x = (w - total) / 2;
        // A page control's tab shows its own page's state.
        bool enabled = this->Enabled();
        if constexpr (std::is_base_of_v<TPageControl, Base>) {
            if (const TTabSheet* page = this->PageForTab(index))
                enabled = page->Enabled();
        }
        images->Draw(c, x, (h - images->Height()) / 2, image, enabled);
        RECT text{x + images->Width() + 2, 0, x + total, h};
        c->DrawText(caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    } else {
        RECT text{0, 0, w, h};
        c->DrawText(caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    canvas->Draw(rect.left, rect.top, &B);
}

template <class Base>
void TspSkinTabsT<Base>::PaintTabs(HDC dc)
{
    const int w = this->Width(), h = this->Height();
    if (w < 1 || h < 1)
        return;
    GetSkinData();
    TBitmap B;
    B.SetSize(w, h);
    TCanvas* c = B.Canvas();
    RECT page = this->DisplayRect();
    if (FIndex == -1 || FPicture == nullptr) {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(RECT{0, 0, w, h});
        InflateRect(&page, 1, 1);
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(page);
    } else {
        const RECT frame{page.left - FClRect.Left, page.top - FClRect.Top,
                         page.right + (WidthOf(FSkinRect) - FClRect.Right),
                         page.bottom + (HeightOf(FSkinRect) - FClRect.Bottom)};
        const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
        if (!IsEmpty(FTabsBgRect)) {
            const RECT band = this->TabPosition() == tpBottom ? RECT{0, frame.bottom, w, h} : RECT{0, 0, w, frame.top};
            Tile(c, band, FPicture, FTabsBgRect);
        }
        if (fw > 0 && fh > 0) {
            const TSkinGeometry old{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
            const TSkinGeometry fresh = NewSkinGeometry(old, FSkinRect, fw, fh);
            TBitmap F;
            CreateSkinImage(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint,
                            fresh.RTPoint, fresh.LBPoint, fresh.RBPoint, fresh.ClRect, &F, FPicture, FSkinRect, fw,
                            fh, true);
            c->Draw(frame.left, frame.top, &F);
        }
        if constexpr (!std::is_base_of_v<TPageControl, Base>) {
            if (FBgPicture != nullptr)
                Tile(c, page, FBgPicture, TRect{0, 0, FBgPicture->Width(), FBgPicture->Height()});
        }
    }
    for (int i = 0; i < this->Tabs()->Count(); ++i) {
        const RECT r = this->TabRect(i);
        if (r.right > 0 && r.left < w && r.right > r.left)
            DrawTab(c, i, r);
    }
    BitBlt(dc, 0, 0, w, h, c->Handle(), 0, 0, SRCCOPY);
}

template <class Base>
void TspSkinTabsT<Base>::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case TCM_ADJUSTRECT:
        Base::WndProc(message);
        if (message.WParam == FALSE) {
            GetSkinData();
            auto* r = reinterpret_cast<RECT*>(message.LParam);
            const RECT client = this->ClientRect();
            const int cw = client.right, ch = client.bottom;
            const bool skinned = FIndex != -1;
            const int sw = WidthOf(FSkinRect), sh = HeightOf(FSkinRect);
            if (this->TabPosition() == tpTop) {
                *r = skinned ? RECT{FClRect.Left, r->top - 6 + FClRect.Top, cw - (sw - FClRect.Right),
                                    ch - (sh - FClRect.Bottom)}
                             : RECT{1, r->top - 5, cw - 1, ch - 1};
            } else {
                *r = skinned ? RECT{FClRect.Left, FClRect.Top, cw - (sw - FClRect.Right),
                                    r->bottom + 4 - (sh - FClRect.Bottom)}
                             : RECT{1, 1, cw - 1, r->bottom + 3};
            }
        }
        return;
    case TCM_GETITEMRECT:
        Base::WndProc(message);
        if (message.Result != 0 && !this->MultiLine()) {
            auto* r = reinterpret_cast<RECT*>(message.LParam);
            OffsetRect(r, -2, this->TabPosition() == tpBottom ? 2 : -2);
        }
        return;
    case WM_ERASEBKGND:
        if constexpr (std::is_base_of_v<TPageControl, Base>) {
            if (this->PageCount() == 0)
                break;
        }
        message.Result = 1;
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
        if ((this->ComponentState() & csDesigning) == 0) {
            const int at = TabAt(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
            if (at != FHotTab) {
                FHotTab = at;
                this->Invalidate();
            }
        }
        break;
    case CM_MOUSELEAVE:
        Base::WndProc(message);
        if (FHotTab != -1) {
            FHotTab = -1;
            this->Invalidate();
        }
        return;
    case WM_SIZE:
        Base::WndProc(message);
        CheckTabScrolling();
        return;
    case WM_HSCROLL:
        Base::WndProc(message);
        this->Invalidate();
        return;
    }
    Base::WndProc(message);
}

template class TspSkinTabsT<TCustomTabControl>;
template class TspSkinTabsT<TPageControl>;

void RegisterSkinTabClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinTabControl>("TspSkinTabControl", "TCustomTabControl")
        .Component<TspSkinData>("SkinData", &TspSkinTabControl::SetSkinData)
        .String("SkinDataName", &TspSkinTabControl::SkinDataName)
        .Object("DefaultFont", &TspSkinTabControl::DefaultFont)
        .Int("DefaultItemHeight", &TspSkinTabControl::SetDefaultItemHeight);
    classes.Register<TspSkinPageControl>("TspSkinPageControl", "TPageControl")
        .Component<TspSkinData>("SkinData", &TspSkinPageControl::SetSkinData)
        .String("SkinDataName", &TspSkinPageControl::SkinDataName)
        .Object("DefaultFont", &TspSkinPageControl::DefaultFont)
        .Int("DefaultItemHeight", &TspSkinPageControl::SetDefaultItemHeight);
}
