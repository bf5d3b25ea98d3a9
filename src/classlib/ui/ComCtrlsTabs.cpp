#include "classlib/ui/ComCtrlsTabs.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/core/SysUtils.h"

namespace {

void RegisterTabClass()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    if (!registered)
        throw Exception("Error creating window of class " WC_TABCONTROLA);
}

}  // namespace

// The tabs' texts and objects; while the window exists each change is made
// in it too.
class TCustomTabControl::TTabStrings final : public TStrings {
public:
    explicit TTabStrings(TCustomTabControl* control) : FControl(control) {}
    std::string ClassName() const override { return "TTabStrings"; }

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Strings(int index) const override
    {
        CheckListIndex(index, Count());
        return FItems[static_cast<size_t>(index)].Text;
    }
    void Put(int index, const std::string& s) override
    {
        CheckListIndex(index, Count());
        FItems[static_cast<size_t>(index)].Text = s;
        if (FControl->HandleAllocated()) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(s.c_str());
            SendMessageA(FControl->Handle(), TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        }
        FControl->TabsChanged();
    }
    void* Objects(int index) const override
    {
        CheckListIndex(index, Count());
        return FItems[static_cast<size_t>(index)].Object;
    }
    void PutObject(int index, void* object) override
    {
        CheckListIndex(index, Count());
        FItems[static_cast<size_t>(index)].Object = object;
    }
    void Insert(int index, const std::string& s) override
    {
        CheckListIndex(index, Count() + 1);
        FItems.insert(FItems.begin() + index, TItem{s, nullptr});
        if (FControl->HandleAllocated())
            InsertInWindow(index);
        FControl->TabsChanged();
    }
    void Delete(int index) override
    {
        CheckListIndex(index, Count());
        FItems.erase(FItems.begin() + index);
        if (FControl->HandleAllocated())
            SendMessageA(FControl->Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
        if (FTabIndex >= Count())
            FTabIndex = -1;
        FControl->TabsChanged();
    }
    void Clear() override
    {
        FItems.clear();
        FTabIndex = -1;
        if (FControl->HandleAllocated())
            SendMessageA(FControl->Handle(), TCM_DELETEALLITEMS, 0, 0);
        FControl->TabsChanged();
    }

    void InsertInWindow(int index)
    {
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(FItems[static_cast<size_t>(index)].Text.c_str());
        item.iImage = FControl->GetImageIndex(index);
        SendMessageA(FControl->Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }

    int FTabIndex = -1;  // while there is no window

private:
    struct TItem {
        std::string Text;
        void* Object;
    };

    TCustomTabControl* FControl;
    std::vector<TItem> FItems;
};

// --- TCustomTabControl -------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* owner)
    : TWinControl(owner), FTabs(std::make_unique<TTabStrings>(this))
{
    SetControlStyle(csDoubleClicks | csAcceptsControls);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl()
{
    SetImages(nullptr);
}

TStrings* TCustomTabControl::Tabs() const
{
    return FTabs.get();
}

void TCustomTabControl::SetTabs(TStrings* tabs)
{
    FTabs->Assign(tabs);
}

int TCustomTabControl::TabIndex() const
{
    auto* self = const_cast<TCustomTabControl*>(this);
    if (self->HandleAllocated())
        return static_cast<int>(SendMessageA(self->Handle(), TCM_GETCURSEL, 0, 0));
    return FTabs->FTabIndex;
}

void TCustomTabControl::SetTabIndex(int index)
{
    if (index < 0 || index >= FTabs->Count())
        index = -1;
    FTabs->FTabIndex = index;
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomTabControl::SetTabHeight(int height)
{
    height = std::max(height, 0);
    if (height == FTabHeight)
        return;
    FTabHeight = height;
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, FTabHeight));
    TabsChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition position)
{
    if (position == FTabPosition)
        return;
    FTabPosition = position;
    RecreateWnd();
    TabsChanged();
}

void TCustomTabControl::SetMultiLine(bool multiLine)
{
    if (multiLine == FMultiLine)
        return;
    FMultiLine = multiLine;
    RecreateWnd();
    TabsChanged();
}

void TCustomTabControl::SetImages(TCustomImageList* images)
{
    if (images == FImages)
        return;
    if (FImages != nullptr)
        FImages->RemoveFreeNotification(this);
    FImages = images;
    if (FImages != nullptr)
        FImages->FreeNotification(this);
    if (HandleAllocated()) {
        SendMessageA(Handle(), TCM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(FImages != nullptr ? FImages->Handle() : nullptr));
        TabsChanged();
    }
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        if (HandleAllocated())
            SendMessageA(Handle(), TCM_SETIMAGELIST, 0, 0);
    }
}

RECT TCustomTabControl::DisplayRect()
{
    RECT rect = ClientRect();
    if (HandleAllocated())
        Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

RECT TCustomTabControl::TabRect(int index)
{
    RECT rect{};
    if (HandleAllocated() && Perform(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) == 0)
        rect = RECT{};
    return rect;
}

int TCustomTabControl::IndexOfTabAt(int x, int y)
{
    if (!HandleAllocated())
        return -1;
    TCHITTESTINFO info{{x, y}, 0};
    return static_cast<int>(SendMessageA(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

void TCustomTabControl::CreateParams(TCreateParams& params)
{
    RegisterTabClass();
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TABCONTROLA);
    params.Style |= WS_CLIPCHILDREN | TCS_TABS;
    if (FTabPosition == tpBottom)
        params.Style |= TCS_BOTTOM;
    if (FMultiLine)
        params.Style |= TCS_MULTILINE;
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    const HWND wnd = Handle();
    if (FImages != nullptr)
        SendMessageA(wnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
    if (FTabHeight > 0)
        SendMessageA(wnd, TCM_SETITEMSIZE, 0, MAKELPARAM(0, FTabHeight));
    for (int i = 0; i < FTabs->Count(); ++i)
        FTabs->InsertInWindow(i);
    SendMessageA(wnd, TCM_SETCURSEL, static_cast<WPARAM>(FTabs->FTabIndex), 0);
}

void TCustomTabControl::DestroyWnd()
{
    FTabs->FTabIndex = TabIndex();
    TWinControl::DestroyWnd();
}

void TCustomTabControl::AdjustClientRect(RECT& rect)
{
    rect = DisplayRect();
    TWinControl::AdjustClientRect(rect);
}

void TCustomTabControl::UpdateTabImages()
{
    if (!HandleAllocated())
        return;
    for (int i = 0; i < FTabs->Count(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_IMAGE;
        item.iImage = GetImageIndex(i);
        SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void TCustomTabControl::TabsChanged()
{
    if (!HandleAllocated())
        return;
    Realign();
    Invalidate();
}

void TCustomTabControl::Change()
{
    Fire(OnChange, this);
}

void TCustomTabControl::WndProc(TMessage& message)
{
    if (message.Msg == CN_NOTIFY && reinterpret_cast<const NMHDR*>(message.LParam)->code == TCN_SELCHANGE) {
        FTabs->FTabIndex = TabIndex();
        Change();
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
    // A new size may change the tab rows, and with them the page area.
    if (message.Msg == WM_WINDOWPOSCHANGED && FMultiLine)
        Realign();
}

// --- TTabSheet -----------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetVisible(false);
    SetAlign(alClient);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl != nullptr)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    auto* pageControl = dynamic_cast<TPageControl*>(parent);
    if (FPageControl != nullptr && FPageControl != pageControl)
        FPageControl->RemovePage(this);
    TWinControl::SetParent(parent);
    if (pageControl != nullptr && FPageControl != pageControl)
        pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (FPageControl == nullptr)
        return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

int TTabSheet::TabIndex() const
{
    if (FPageControl == nullptr || !FTabVisible)
        return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this)
            return index;
        if (page->FTabVisible)
            ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool visible)
{
    if (visible == FTabVisible)
        return;
    FTabVisible = visible;
    if (FPageControl != nullptr)
        FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int index)
{
    if (index == FImageIndex)
        return;
    FImageIndex = index;
    if (FPageControl != nullptr)
        FPageControl->UpdateTabImages();
}

void TTabSheet::WndProc(TMessage& message)
{
    TWinControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED && FPageControl != nullptr) {
        const int tab = TabIndex();
        if (tab >= 0)
            FPageControl->Tabs()->Put(tab, Caption());
    }
}

// --- TPageControl ----------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl()
{
    // The pages are freed with the other children after this part is gone.
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    CheckListIndex(index, PageCount());
    return FPages[static_cast<size_t>(index)];
}

TTabSheet* TPageControl::PageForTab(int tabIndex) const
{
    if (tabIndex < 0 || tabIndex >= Tabs()->Count())
        return nullptr;
    return static_cast<TTabSheet*>(Tabs()->Objects(tabIndex));
}

void TPageControl::InsertPage(TTabSheet* page)
{
    FPages.push_back(page);
    page->FPageControl = this;
    UpdateTabs();
    if (FActivePage == nullptr)
        SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    page->FPageControl = nullptr;
    if (FActivePage == page) {
        FActivePage = nullptr;
        // The next page takes its place, as the neighbouring tab does.
        for (TTabSheet* candidate : FPages) {
            if (candidate->TabVisible()) {
                SetActivePage(candidate);
                break;
            }
        }
    }
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    Tabs()->BeginUpdate();
    Tabs()->Clear();
    for (TTabSheet* page : FPages) {
        if (page->TabVisible())
            Tabs()->AddObject(page->Caption(), page);
    }
    Tabs()->EndUpdate();
    UpdateTabImages();
    SetTabIndex(FActivePage != nullptr ? FActivePage->TabIndex() : -1);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page != nullptr && page->FPageControl != this)
        page = nullptr;
    TTabSheet* previous = FActivePage;
    FActivePage = page;
    SetTabIndex(page != nullptr ? page->TabIndex() : -1);
    if (page != nullptr) {
        page->SetVisible(true);
        Realign();
    }
    if (previous != nullptr && previous != page)
        previous->SetVisible(false);
}

void TPageControl::Change()
{
    SetActivePage(PageForTab(TabIndex()));
    TCustomTabControl::Change();
}

int TPageControl::GetImageIndex(int tabIndex)
{
    const TTabSheet* page = PageForTab(tabIndex);
    return page != nullptr ? page->ImageIndex() : -1;
}
