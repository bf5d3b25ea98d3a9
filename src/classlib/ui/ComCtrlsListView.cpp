#include "classlib/ui/ComCtrlsListView.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/core/SysUtils.h"

namespace {

void RegisterListViewClasses()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    if (!registered)
        throw Exception("Error creating window of class " WC_LISTVIEWA);
}

int ColumnFormat(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return LVCFMT_RIGHT;
    case taCenter:
        return LVCFMT_CENTER;
    default:
        return LVCFMT_LEFT;
    }
}

int SectionFormat(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return HDF_STRING | HDF_RIGHT;
    case taCenter:
        return HDF_STRING | HDF_CENTER;
    default:
        return HDF_STRING | HDF_LEFT;
    }
}

template <typename T>
int IndexIn(const std::vector<std::unique_ptr<T>>& items, const T* item)
{
    const auto found = std::find_if(items.begin(), items.end(), [item](const auto& p) { return p.get() == item; });
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

}  // namespace

// --- TListColumn -------------------------------------------------------------------

int TListColumn::Index() const
{
    return IndexIn(FOwner->FColumns->FItems, this);
}

void TListColumn::SetCaption(const std::string& caption)
{
    FCaption = caption;
    Apply(false);
}

int TListColumn::Width() const
{
    if (FOwner->HandleAllocated())
        return static_cast<int>(SendMessageA(FOwner->Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index()), 0));
    return FWidth;
}

void TListColumn::SetWidth(int width)
{
    FWidth = width;
    Apply(false);
}

void TListColumn::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    Apply(false);
}

void TListColumn::Apply(bool insert) const
{
    if (!FOwner->HandleAllocated())
        return;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = ColumnFormat(FAlignment);
    column.cx = FWidth;
    column.pszText = const_cast<char*>(FCaption.c_str());
    SendMessageA(FOwner->Handle(), insert ? LVM_INSERTCOLUMNA : LVM_SETCOLUMNA, static_cast<WPARAM>(Index()),
                 reinterpret_cast<LPARAM>(&column));
}

TListColumn* TListColumns::Add()
{
    FItems.push_back(std::unique_ptr<TListColumn>(new TListColumn(FOwner)));
    TListColumn* column = FItems.back().get();
    column->Apply(true);
    return column;
}

TListColumn* TListColumns::Items(int index) const
{
    CheckListIndex(index, Count());
    return FItems[static_cast<size_t>(index)].get();
}

void TListColumns::Clear()
{
    if (FOwner->HandleAllocated()) {
        for (int i = Count() - 1; i >= 0; --i)
            SendMessageA(FOwner->Handle(), LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
    }
    FItems.clear();
}

// --- TListItem ---------------------------------------------------------------------

TListItem::TListItem(TCustomListView* owner) : FOwner(owner), FSubItems(std::make_unique<TStringList>())
{
    FSubItems->OnChange = [this](TObject*) { Apply(false); };
}

int TListItem::Index() const
{
    return IndexIn(FOwner->FItems->FItems, this);
}

void TListItem::SetCaption(const std::string& caption)
{
    FCaption = caption;
    Apply(false);
}

void TListItem::Apply(bool insert) const
{
    if (!FOwner->HandleAllocated())
        return;
    const HWND wnd = FOwner->Handle();
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Index();
    item.pszText = const_cast<char*>(FCaption.c_str());
    if (insert)
        SendMessageA(wnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    else
        SendMessageA(wnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(item.iItem), reinterpret_cast<LPARAM>(&item));
    for (int i = 0; i < FSubItems->Count(); ++i) {
        const std::string text = FSubItems->Strings(i);
        LVITEMA sub{};
        sub.iSubItem = i + 1;
        sub.pszText = const_cast<char*>(text.c_str());
        SendMessageA(wnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(item.iItem), reinterpret_cast<LPARAM>(&sub));
    }
}

TListItem* TListItems::Add()
{
    FItems.push_back(std::unique_ptr<TListItem>(new TListItem(FOwner)));
    TListItem* item = FItems.back().get();
    item->Apply(true);
    return item;
}

TListItem* TListItems::Item(int index) const
{
    CheckListIndex(index, Count());
    return FItems[static_cast<size_t>(index)].get();
}

void TListItems::Delete(int index)
{
    CheckListIndex(index, Count());
    if (FOwner->HandleAllocated())
        SendMessageA(FOwner->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    FItems.erase(FItems.begin() + index);
}

void TListItems::Clear()
{
    if (FOwner->HandleAllocated())
        SendMessageA(FOwner->Handle(), LVM_DELETEALLITEMS, 0, 0);
    FItems.clear();
}

// --- TCustomListView -----------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), FColumns(std::make_unique<TListColumns>(this)), FItems(std::make_unique<TListItems>(this))
{
    SetControlStyle(csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView()
{
    DestroyHandle();
}

void TCustomListView::SetViewStyle(TViewStyle style)
{
    if (style == FViewStyle)
        return;
    FViewStyle = style;
    RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool show)
{
    if (show == FShowColumnHeaders)
        return;
    FShowColumnHeaders = show;
    RecreateWnd();
}

void TCustomListView::CreateParams(TCreateParams& params)
{
    RegisterListViewClasses();
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_LISTVIEWA);
    static const DWORD viewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    params.Style |= viewStyles[FViewStyle] | LVS_SHAREIMAGELISTS;
    if (!FShowColumnHeaders)
        params.Style |= LVS_NOCOLUMNHEADER;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::ApplyColors()
{
    if (!HandleAllocated())
        return;
    const auto color = static_cast<LPARAM>(ColorToRGB(Color()));
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, color);
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, color);
    SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomListView::WndProc(TMessage& message)
{
    TWinControl::WndProc(message);
    if (message.Msg == CM_COLORCHANGED || message.Msg == CM_FONTCHANGED) {
        ApplyColors();
        Invalidate();
    }
}

void TCustomListView::CreateWnd()
{
    TWinControl::CreateWnd();
    ApplyColors();
    for (const auto& column : FColumns->FItems)
        column->Apply(true);
    for (const auto& item : FItems->FItems)
        item->Apply(true);
}

void TCustomListView::DestroyWnd()
{
    for (const auto& column : FColumns->FItems)
        column->FWidth = column->Width();
    TWinControl::DestroyWnd();
}

// --- THeaderSection --------------------------------------------------------------------

int THeaderSection::Index() const
{
    return IndexIn(FOwner->FSections->FItems, this);
}

void THeaderSection::SetText(const std::string& text)
{
    FText = text;
    Apply(false);
}

int THeaderSection::Width() const
{
    if (!FOwner->HandleAllocated())
        return FWidth;
    RECT rect{};
    SendMessageA(FOwner->Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&rect));
    return rect.right - rect.left;
}

void THeaderSection::SetWidth(int width)
{
    FWidth = std::max(width, 0);
    Apply(false);
}

void THeaderSection::SetAlignment(TAlignment alignment)
{
    FAlignment = alignment;
    Apply(false);
}

int THeaderSection::Left() const
{
    if (FOwner->HandleAllocated()) {
        RECT rect{};
        SendMessageA(FOwner->Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&rect));
        return rect.left;
    }
    int left = 0;
    for (const auto& section : FOwner->FSections->FItems) {
        if (section.get() == this)
            break;
        left += section->FWidth;
    }
    return left;
}

void THeaderSection::Apply(bool insert) const
{
    if (!FOwner->HandleAllocated())
        return;
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = FWidth;
    item.fmt = SectionFormat(FAlignment);
    item.pszText = const_cast<char*>(FText.c_str());
    item.cchTextMax = static_cast<int>(FText.size());
    SendMessageA(FOwner->Handle(), insert ? HDM_INSERTITEMA : HDM_SETITEMA, static_cast<WPARAM>(Index()),
                 reinterpret_cast<LPARAM>(&item));
}

THeaderSection* THeaderSections::Add()
{
    FItems.push_back(std::unique_ptr<THeaderSection>(new THeaderSection(FOwner)));
    THeaderSection* section = FItems.back().get();
    section->Apply(true);
    return section;
}

THeaderSection* THeaderSections::Items(int index) const
{
    CheckListIndex(index, Count());
    return FItems[static_cast<size_t>(index)].get();
}

void THeaderSections::Clear()
{
    if (FOwner->HandleAllocated()) {
        for (int i = Count() - 1; i >= 0; --i)
            SendMessageA(FOwner->Handle(), HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
    }
    FItems.clear();
}

// --- THeaderControl ------------------------------------------------------------------------

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), FSections(std::make_unique<THeaderSections>(this))
{
    SetControlStyle(csDoubleClicks);
    SetBounds(0, 0, 250, 17);
}

THeaderControl::~THeaderControl()
{
    DestroyHandle();
}

void THeaderControl::CreateParams(TCreateParams& params)
{
    RegisterListViewClasses();
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_HEADERA);
    params.Style |= HDS_BUTTONS | HDS_HORZ | HDS_FULLDRAG;
}

void THeaderControl::CreateWnd()
{
    TWinControl::CreateWnd();
    for (const auto& section : FSections->FItems)
        section->Apply(true);
}

void THeaderControl::DestroyWnd()
{
    for (const auto& section : FSections->FItems)
        section->FWidth = section->Width();
    TWinControl::DestroyWnd();
}

void THeaderControl::SectionClick(THeaderSection* section)
{
    Fire(OnSectionClick, this, section);
}

void THeaderControl::WndProc(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHEADERA*>(message.LParam);
        if (header->hdr.code == HDN_ITEMCLICKA || header->hdr.code == HDN_ITEMCLICKW) {
            if (header->iItem >= 0 && header->iItem < FSections->Count())
                SectionClick(FSections->Items(header->iItem));
            message.Result = 0;
            return;
        }
    }
    TWinControl::WndProc(message);
}
