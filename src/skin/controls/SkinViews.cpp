#include "skin/controls/SkinViews.h"

#include <windowsx.h>

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <type_traits>

#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/WndProc.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/controls/SkinButton.h"
#include "skin/core/SkinComposition.h"

namespace {

// The font and colour fields of the view records.
template <class Record>
bool TakeViewRecord(TspSkinData* data, const std::string& name, TFont* font, TColor& color, int& index)
{
    const auto* record = FindSkinRecord<Record>(data, name, index);
    if (record == nullptr)
        return false;
    font->SetName(record->FontName);
    font->SetStyle(record->FontStyle);
    font->SetHeight(record->FontHeight);
    font->SetColor(record->FontColor);
    color = record->BgColor;
    return true;
}

}  // namespace

// --- TspSkinScrolledView --------------------------------------------------------------

template <class Base>
TspSkinScrolledView<Base>::TspSkinScrolledView(TComponent* owner)
    : TspSkinLinkT<Base>(owner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetHeight(14);
}

template <class Base>
TspSkinScrolledView<Base>::~TspSkinScrolledView()
{
    ReleaseBar(FVScrollBar, this);
    ReleaseBar(FHScrollBar, this);
}

template <class Base>
void TspSkinScrolledView<Base>::ChangeSkinData()
{
    if ((this->ComponentState() & csLoading) != 0)
        return;
    TColor color = DefaultColor;
    TFont font;
    bool found;
    if constexpr (std::is_base_of_v<TCustomTreeView, Base>)
        found = TakeViewRecord<TspDataSkinTreeView>(this->SkinData(), SkinDataName, &font, color, FIndex);
    else
        found = TakeViewRecord<TspDataSkinListView>(this->SkinData(), SkinDataName, &font, color, FIndex);
    this->SetColor(found ? color : DefaultColor);
    this->Font()->Assign(found ? &font : FDefaultFont.get());
    UpdateScrollBars();
}

template <class Base>
void TspSkinScrolledView<Base>::Loaded()
{
    Base::Loaded();
    ChangeSkinData();
}

template <class Base>
void TspSkinScrolledView<Base>::Notification(TComponent* component, TOperation operation)
{
    TspSkinLinkT<Base>::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == FVScrollBar)
        FVScrollBar = nullptr;
    if (component == FHScrollBar)
        FHScrollBar = nullptr;
}

template <class Base>
void TspSkinScrolledView<Base>::ReleaseBar(TspSkinScrollBar*& slot, TComponent* self)
{
    if (slot == nullptr)
        return;
    slot->OnChange = nullptr;
    slot->RemoveFreeNotification(self);
    slot = nullptr;
}

template <class Base>
void TspSkinScrolledView<Base>::TakeBar(TspSkinScrollBar*& slot, TspSkinScrollBar* value, UINT scrollMessage)
{
    if (value == slot)
        return;
    ReleaseBar(slot, this);
    slot = value;
    if (slot == nullptr)
        return;
    slot->FreeNotification(this);
    TspSkinScrollBar** where = &slot;
    slot->OnChange = [this, where, scrollMessage](TObject*) {
        if (*where == nullptr || !this->HandleAllocated())
            return;
        ScrollTo(scrollMessage == WM_VSCROLL ? SB_VERT : SB_HORZ, (*where)->Position());
        UpdateScrollBars();
    };
    UpdateScrollBars();
}

template <class Base>
void TspSkinScrolledView<Base>::SetVScrollBar(TspSkinScrollBar* value)
{
    TakeBar(FVScrollBar, value, WM_VSCROLL);
}

template <class Base>
void TspSkinScrolledView<Base>::SetHScrollBar(TspSkinScrollBar* value)
{
    TakeBar(FHScrollBar, value, WM_HSCROLL);
}

template <class Base>
void TspSkinScrolledView<Base>::UpdateScrollBars()
{
    if (FUpdatingBars || (this->ComponentState() & csLoading) != 0 || !this->HandleAllocated())
        return;
    if (FVScrollBar == nullptr && FHScrollBar == nullptr)
        return;
    FUpdatingBars = true;
    const HWND wnd = this->Handle();
    bool realign = false;
    bool verticalShown = false;
    if (FVScrollBar != nullptr) {
        SCROLLINFO info{sizeof(info), SIF_ALL};
        if (!GetScrollInfo(wnd, SB_VERT, &info))
            info = SCROLLINFO{sizeof(info), SIF_ALL};
        const int visible = VisibleItemCount();
        verticalShown = info.nMax >= 1 && info.nMax >= visible && this->Visible();
        if (verticalShown)
            FVScrollBar->SetRange(info.nMin, info.nMax, visible, info.nPos);
        realign |= FVScrollBar->Visible() != verticalShown;
        FVScrollBar->SetVisible(verticalShown);
    }
    if (FHScrollBar != nullptr) {
        SCROLLINFO info{sizeof(info), SIF_ALL};
        if (!GetScrollInfo(wnd, SB_HORZ, &info))
            info = SCROLLINFO{sizeof(info), SIF_ALL};
        const bool shown = info.nMax > this->Width() && this->Visible();
        if (shown)
            FHScrollBar->SetRange(info.nMin, info.nMax, this->Width(), info.nPos);
        realign |= FHScrollBar->Visible() != shown;
        FHScrollBar->SetVisible(shown);
        if (FVScrollBar != nullptr)
            FHScrollBar->SetBoth(verticalShown);
    }
    if (realign && this->Align() != alNone && this->Parent() != nullptr)
        this->Parent()->Realign();
    FUpdatingBars = false;
}

template <class Base>
void TspSkinScrolledView<Base>::CreateParams(TCreateParams& params)
{
    Base::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
}

template <class Base>
void TspSkinScrolledView<Base>::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // The native scroll bars and border take no room and are not drawn.
        message.Result = 0;
        return;
    case CM_VISIBLECHANGED:
        Base::WndProc(message);
        if (FVScrollBar != nullptr)
            FVScrollBar->SetVisible(this->Visible());
        if (FHScrollBar != nullptr)
            FHScrollBar->SetVisible(this->Visible());
        return;
    }
    Base::WndProc(message);
    switch (message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        UpdateScrollBars();
        break;
    }
}

template class TspSkinScrolledView<TCustomTreeView>;
template class TspSkinScrolledView<TCustomListView>;

// --- TspSkinCustomTreeView ------------------------------------------------------------

TspSkinCustomTreeView::TspSkinCustomTreeView(TComponent* owner) : TspSkinScrolledView(owner)
{
    SkinDataName = "treeview";
}

int TspSkinCustomTreeView::VisibleItemCount()
{
    return static_cast<int>(SendMessageA(Handle(), TVM_GETVISIBLECOUNT, 0, 0));
}

void TspSkinCustomTreeView::ScrollTo(int bar, int position)
{
    const HWND wnd = Handle();
    if (bar == SB_HORZ) {
        // Pixels of the widest item: the window reads them as a signed 16-bit
        // number, far wider than any item.
        SendMessageA(wnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::clamp(position, 0, SHRT_MAX)), 0);
        return;
    }
    // The vertical position is the first visible item's place among the
    // visible items: walk there from the one shown first.
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(wnd, SB_VERT, &info))
        return;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
    for (int at = info.nPos; item != nullptr && at != position; at += at < position ? 1 : -1) {
        const auto next = reinterpret_cast<HTREEITEM>(SendMessageA(
            wnd, TVM_GETNEXTITEM, at < position ? TVGN_NEXTVISIBLE : TVGN_PREVIOUSVISIBLE, reinterpret_cast<LPARAM>(item)));
        if (next == nullptr)
            break;
        item = next;
    }
    if (item != nullptr)
        SendMessageA(wnd, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item));
}

void TspSkinCustomTreeView::Expand(TTreeNode* node)
{
    TspSkinScrolledView::Expand(node);
    UpdateScrollBars();
}

void TspSkinCustomTreeView::Collapse(TTreeNode* node)
{
    TspSkinScrolledView::Collapse(node);
    UpdateScrollBars();
}

// --- TspSkinCustomListView ------------------------------------------------------------

TspSkinCustomListView::TspSkinCustomListView(TComponent* owner) : TspSkinScrolledView(owner)
{
    SkinDataName = "listview";
    Font()->Assign(DefaultFont());
}

int TspSkinCustomListView::VisibleItemCount()
{
    return static_cast<int>(SendMessageA(Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
}

void TspSkinCustomListView::ScrollTo(int bar, int position)
{
    const HWND wnd = Handle();
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(wnd, bar, &info))
        return;
    // LVM_SCROLL moves by a distance: in scroll units across (columns in the
    // list style), in pixels down, which the report style rounds to whole
    // items of its item height.
    int64_t distance = int64_t{position} - info.nPos;
    if (bar == SB_VERT && ViewStyle() == vsReport) {
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        if (!SendMessageA(wnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)))
            return;
        distance *= item.bottom - item.top;
    }
    const auto step = static_cast<int>(std::clamp<int64_t>(distance, INT32_MIN, INT32_MAX));
    if (step != 0)
        SendMessageA(wnd, LVM_SCROLL, bar == SB_HORZ ? static_cast<WPARAM>(step) : 0, bar == SB_VERT ? step : 0);
}

// --- TspHeaderPainter --------------------------------------------------------------------

void TspHeaderPainter::GetSkinData(TspSkinData* data, const std::string& name)
{
    FPicture = nullptr;
    const auto* record = FindSkinRecord<TspDataSkinHeaderControl>(data, name, FIndex);
    if (record == nullptr)
        return;
    FPicture = PictureAt(data, record->PictureIndex);
    FSkinRect = record->SkinRect;
    // A state without a look of its own takes the next one, as buttons do.
    FActiveSkinRect = IsEmpty(record->ActiveSkinRect) ? FSkinRect : record->ActiveSkinRect;
    FDownSkinRect = IsEmpty(record->DownSkinRect) ? FActiveSkinRect : record->DownSkinRect;
    FClRect = record->ClientRect;
    FLTPoint = record->LeftTopPoint;
    FRTPoint = record->RightTopPoint;
    FLBPoint = record->LeftBottomPoint;
    FRBPoint = record->RightBottomPoint;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FActiveFontColor = record->ActiveFontColor;
    FDownFontColor = record->DownFontColor;
}

int TspHeaderPainter::SectionAt(HWND header, int x, int y)
{
    HDHITTESTINFO info{};
    info.pt = POINT{x, y};
    const auto index = static_cast<int>(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & HHT_ONHEADER) != 0 || (info.flags & HHT_ONDIVIDER) != 0 ? index : -1;
}

bool TspHeaderPainter::Track(HWND header, UINT msg, LPARAM lParam)
{
    const int hot = HotSection, pressed = PressedSection;
    if (msg == WM_MOUSELEAVE) {
        HotSection = -1;
    } else {
        HotSection = SectionAt(header, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (msg == WM_LBUTTONDOWN)
            PressedSection = HotSection;
        else if (msg == WM_LBUTTONUP)
            PressedSection = -1;
    }
    return hot != HotSection || pressed != PressedSection;
}

void TspHeaderPainter::PrepareFont(TCanvas* canvas, int section)
{
    TFont* font = canvas->Font();
    if (FIndex == -1) {
        if (DefaultFont != nullptr)
            font->Assign(DefaultFont);
        return;
    }
    if (UseSkinFont) {
        font->SetName(FFontName);
        font->SetStyle(FFontStyle);
        font->SetHeight(FFontHeight);
    } else if (DefaultFont != nullptr) {
        font->Assign(DefaultFont);
    }
    font->SetColor(section == PressedSection ? FDownFontColor
                   : section == HotSection   ? FActiveFontColor
                                             : FFontColor);
}

namespace {

struct THeaderItem {
    RECT Rect{};
    std::string Text;
    int Format = 0;
};

THeaderItem HeaderItem(HWND header, int index)
{
    THeaderItem item;
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item.Rect));
    char text[256] = {};
    HDITEMA info{};
    info.mask = HDI_TEXT | HDI_FORMAT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    item.Text = text;
    item.Format = info.fmt;
    return item;
}

}  // namespace

std::string TspHeaderPainter::FittedCaption(HWND header, int index)
{
    const THeaderItem item = HeaderItem(header, index);
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    PrepareFont(bitmap.Canvas(), index);
    std::string caption = item.Text;
    FitTextToWidth(bitmap.Canvas(), caption, item.Rect.right - item.Rect.left - 10);
    return caption;
}

void TspHeaderPainter::Paint(HWND header, HDC dc)
{
    RECT client{};
    GetClientRect(header, &client);
    const int h = client.bottom;
    TCanvas canvas;
    canvas.SetHandle(dc);
    int right = 0;
    const auto count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const THeaderItem item = HeaderItem(header, i);
        const int w = item.Rect.right - item.Rect.left;
        right = std::max(right, static_cast<int>(item.Rect.right));
        if (w < 1 || h < 1)
            continue;
        TBitmap B;
        B.SetSize(w, h);
        TCanvas* c = B.Canvas();
        const TRect look = i == PressedSection ? FDownSkinRect : i == HotSection ? FActiveSkinRect : FSkinRect;
        if (FIndex != -1 && FPicture != nullptr && look.Right > look.Left && look.Bottom > look.Top) {
            const TSkinGeometry old{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
            const TSkinGeometry fresh = NewSkinGeometry(old, FSkinRect, w, h);
            CreateSkinImage(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint,
                            fresh.RTPoint, fresh.LBPoint, fresh.RBPoint, fresh.ClRect, &B, FPicture, look, w, h,
                            true);
        } else {
            DrawDefaultButtonFace(c, RECT{0, 0, w, h}, i == PressedSection, i == HotSection);
        }
        PrepareFont(c, i);
        std::string caption = item.Text;
        FitTextToWidth(c, caption, w - 10);
        UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
        const int align = item.Format & HDF_JUSTIFYMASK;
        flags |= align == HDF_RIGHT ? DT_RIGHT : align == HDF_CENTER ? DT_CENTER : DT_LEFT;
        RECT text{5, 0, w - 5, h};
        c->Brush()->SetStyle(bsClear);
        c->DrawText(caption, text, flags);
        canvas.Draw(item.Rect.left, 0, &B);
    }
    const int rest = client.right - right;
    if (rest > 0 && h > 0) {
        TBitmap B;
        B.SetSize(rest, h);
        if (FIndex != -1 && FPicture != nullptr) {
            const TSkinGeometry old{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
            const TSkinGeometry fresh = NewSkinGeometry(old, FSkinRect, rest, h);
            CreateSkinImage2(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint,
                             fresh.RTPoint, fresh.LBPoint, fresh.RBPoint, fresh.ClRect, &B, FPicture, FSkinRect,
                             rest, h, true);
        } else {
            B.Canvas()->Brush()->SetColor(clBtnFace);
            B.Canvas()->FillRect(RECT{0, 0, rest, h});
            B.Canvas()->Brush()->SetColor(clBtnShadow);
            B.Canvas()->FrameRect(RECT{0, 0, rest, h});
        }
        canvas.Draw(right, 0, &B);
    }
    canvas.SetHandle(nullptr);
}

// --- TspSkinHeaderControl ---------------------------------------------------------------

TspSkinHeaderControl::TspSkinHeaderControl(TComponent* owner)
    : TspSkinLinkT(owner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FPainter.DefaultFont = FDefaultFont.get();
}

void TspSkinHeaderControl::ChangeSkinData()
{
    FPainter.GetSkinData(SkinData(), SkinDataName);
    Repaint();
}

void TspSkinHeaderControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        FPainter.GetSkinData(SkinData(), SkinDataName);
        if (message.WParam != 0) {
            FPainter.Paint(Handle(), reinterpret_cast<HDC>(message.WParam));
        } else {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(Handle(), &ps);
            FPainter.Paint(Handle(), dc);
            EndPaint(Handle(), &ps);
        }
        message.Result = 0;
        return;
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        const bool changed = FPainter.Track(Handle(), message.Msg, message.LParam);
        TspSkinLinkT::WndProc(message);
        if (changed)
            Invalidate();
        return;
    }
    case CM_MOUSEENTER: {
        // The section under the mouse lights up as the mouse comes in. The
        // class library sends this from the header's first mouse move, which
        // has already tracked the section: this matters only where the
        // message is sent from elsewhere.
        TspSkinLinkT::WndProc(message);
        POINT at{};
        GetCursorPos(&at);
        ::ScreenToClient(Handle(), &at);
        if (FPainter.Track(Handle(), WM_MOUSEMOVE, MAKELPARAM(at.x, at.y)))
            Invalidate();
        return;
    }
    case CM_MOUSELEAVE:
        TspSkinLinkT::WndProc(message);
        if (FPainter.Track(Handle(), WM_MOUSELEAVE, 0))
            Invalidate();
        return;
    }
    TspSkinLinkT::WndProc(message);
}

// --- the list view's header ---------------------------------------------------------------

class TspSkinCustomListView::THeaderTarget final : public TWindowTarget {
public:
    explicit THeaderTarget(TspSkinCustomListView* owner) : FOwner(owner) {}
    LRESULT WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        return FOwner->HeaderWindowProc(wnd, msg, wParam, lParam);
    }
    void WindowDestroyed(HWND wnd) override
    {
        if (FOwner->FHeaderWnd == wnd)
            FOwner->FHeaderWnd = nullptr;
    }

private:
    TspSkinCustomListView* FOwner;
};

TspSkinCustomListView::~TspSkinCustomListView()
{
    ReleaseHeader();
}

void TspSkinCustomListView::TakeHeader(HWND header)
{
    ReleaseHeader();
    if (header == nullptr || !ShowColumnHeaders())
        return;
    if (!FHeaderTarget)
        FHeaderTarget = std::make_unique<THeaderTarget>(this);
    FHeaderPainter.DefaultFont = DefaultFont();
    AttachWindowTarget(header, FHeaderTarget.get());
    FHeaderWnd = header;
}

void TspSkinCustomListView::ReleaseHeader()
{
    if (FHeaderWnd == nullptr)
        return;
    DetachWindowTarget(FHeaderWnd);
    FHeaderWnd = nullptr;
}

void TspSkinCustomListView::ChangeSkinData()
{
    TspSkinScrolledView::ChangeSkinData();
    if ((ComponentState() & csLoading) != 0)
        return;
    FHeaderPainter.GetSkinData(SkinData(), HeaderSkinDataName);
    if (FHeaderWnd != nullptr)
        InvalidateRect(FHeaderWnd, nullptr, FALSE);
    // The bars may have taken new sizes from the skin: the layout they are
    // aligned in is done again.
    for (TspSkinScrollBar* bar : {VScrollBar(), HScrollBar()}) {
        if (bar != nullptr && bar->Align() != alNone && bar->Parent() != nullptr)
            bar->Parent()->Realign();
    }
}

void TspSkinCustomListView::CreateWnd()
{
    TspSkinScrolledView::CreateWnd();
    TakeHeader(reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0)));
}

void TspSkinCustomListView::DestroyWnd()
{
    ReleaseHeader();
    TspSkinScrolledView::DestroyWnd();
}

void TspSkinCustomListView::WndProc(TMessage& message)
{
    if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE) {
        const auto child = reinterpret_cast<HWND>(message.LParam);
        char name[32] = {};
        GetClassNameA(child, name, sizeof(name));
        if (lstrcmpiA(name, WC_HEADERA) == 0)
            TakeHeader(child);
    }
    TspSkinScrolledView::WndProc(message);
}

LRESULT TspSkinCustomListView::HeaderWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        FHeaderPainter.GetSkinData(SkinData(), HeaderSkinDataName);
        if (wParam != 0) {
            FHeaderPainter.Paint(wnd, reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(wnd, &ps);
            FHeaderPainter.Paint(wnd, dc);
            EndPaint(wnd, &ps);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE: {
        if (msg == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, wnd, 0};
            TrackMouseEvent(&track);
        }
        if (FHeaderPainter.Track(wnd, msg, lParam))
            InvalidateRect(wnd, nullptr, FALSE);
        break;
    }
    }
    return DefaultWindowProc(wnd, msg, wParam, lParam);
}

// --- Registration ------------------------------------------------------------------------

void RegisterSkinViewClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinCustomTreeView>("TspSkinCustomTreeView", "TCustomTreeView")
        .Component<TspSkinData>("SkinData", &TspSkinCustomTreeView::SetSkinData)
        .String("SkinDataName", &TspSkinCustomTreeView::SkinDataName)
        .Object("DefaultFont", &TspSkinCustomTreeView::DefaultFont)
        .Value("DefaultColor",
               [](TspSkinCustomTreeView* v, const TFormValue& value) { v->DefaultColor = FormValueToColor(value); })
        .Component<TspSkinScrollBar>("VScrollBar", &TspSkinCustomTreeView::SetVScrollBar)
        .Component<TspSkinScrollBar>("HScrollBar", &TspSkinCustomTreeView::SetHScrollBar);
    classes.Register<TspSkinCustomListView>("TspSkinCustomListView", "TCustomListView")
        .Component<TspSkinData>("SkinData", &TspSkinCustomListView::SetSkinData)
        .String("SkinDataName", &TspSkinCustomListView::SkinDataName)
        .Object("DefaultFont", &TspSkinCustomListView::DefaultFont)
        .Value("DefaultColor",
               [](TspSkinCustomListView* v, const TFormValue& value) { v->DefaultColor = FormValueToColor(value); })
        .Component<TspSkinScrollBar>("VScrollBar", &TspSkinCustomListView::SetVScrollBar)
        .Component<TspSkinScrollBar>("HScrollBar", &TspSkinCustomListView::SetHScrollBar);
    classes.Register<TspSkinHeaderControl>("TspSkinHeaderControl", "THeaderControl")
        .Component<TspSkinData>("SkinData", &TspSkinHeaderControl::SetSkinData)
        .String("SkinDataName", &TspSkinHeaderControl::SkinDataName)
        .Object("DefaultFont", &TspSkinHeaderControl::DefaultFont)
        .Bool("UseSkinFont", &TspSkinHeaderControl::SetUseSkinFont);
}
