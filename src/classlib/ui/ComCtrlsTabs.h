// Tab and page controls over the common controls' SysTabControl32.
//
// `TCustomTabControl` keeps its tabs, the selected tab, the tab height and
// the image list itself, so they exist before the window does and survive
// RecreateWnd. The page area (DisplayRect) and a tab's rectangle (TabRect)
// are asked through the control's own message path (Perform), so that a
// descendant that answers TCM_ADJUSTRECT or TCM_GETITEMRECT itself is heard
// by the layout too. A user's choice of tab (the reflected TCN_SELCHANGE)
// calls Change, which fires OnChange; setting TabIndex by code fires nothing.
//
// `TPageControl` shows one `TTabSheet` at a time: every sheet whose parent it
// is and whose TabVisible is set has a tab (in page order), the active sheet
// fills the page area and the others are hidden.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/StringList.h"
#include "classlib/ui/Controls.h"
#include "classlib/ui/ImgList.h"

enum TTabPosition { tpTop, tpBottom };
enum TTabStyle { tsTabs };

class TCustomTabControl : public TWinControl {
public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;
    std::string ClassName() const override { return "TCustomTabControl"; }

    TStrings* Tabs() const;
    void SetTabs(TStrings* tabs);
    // -1 for none; an index outside the tabs selects none.
    int TabIndex() const;
    void SetTabIndex(int index);
    // 0: the height the font asks for.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int height);
    // Changing either makes the window again.
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition position);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool multiLine);
    TTabStyle Style() const { return tsTabs; }
    void SetStyle(TTabStyle /*style*/) {}
    // Not owned; cleared when the list is freed.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* images);

    // The page area in client coordinates (the client area without a window).
    RECT DisplayRect();
    // Tab `index`'s rectangle in client coordinates; empty without a window
    // or for a tab out of sight.
    RECT TabRect(int index);
    // The tab at the client point, -1 for none.
    int IndexOfTabAt(int x, int y);

    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void AdjustClientRect(RECT& rect) override;
    // A user's choice of tab.
    virtual void Change();
    // The image shown on tab `tabIndex`; the tab's own index by default.
    virtual int GetImageIndex(int tabIndex) { return tabIndex; }
    // Gives every tab its image index again.
    void UpdateTabImages();
    // The tab rows (and with them the page area) may have changed.
    virtual void TabsChanged();

private:
    class TTabStrings;
    friend class TTabStrings;

    std::unique_ptr<TTabStrings> FTabs;
    int FTabHeight = 0;
    TTabPosition FTabPosition = tpTop;
    bool FMultiLine = false;
    TCustomImageList* FImages = nullptr;
};

class TTabControl : public TCustomTabControl {
public:
    explicit TTabControl(TComponent* owner) : TCustomTabControl(owner) {}
    std::string ClassName() const override { return "TTabControl"; }
};

class TPageControl;

// A page of a page control: a container that fills the page area while it
// is the active page. Its Caption is its tab's text.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    std::string ClassName() const override { return "TTabSheet"; }

    // The page control whose page it is: its parent, when that is one.
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* pageControl);
    void SetParent(TWinControl* parent) override;
    // Its place among the page control's pages; -1 without one.
    int PageIndex() const;
    // Its place among the visible tabs; -1 when it has none.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool visible);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);

protected:
    void WndProc(TMessage& message) override;

private:
    friend class TPageControl;

    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    std::string ClassName() const override { return "TPageControl"; }

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows the page (a page of another control, or null, shows none) and
    // selects its tab; fires nothing.
    void SetActivePage(TTabSheet* page);
    // The page whose tab is `tabIndex`; null for none.
    TTabSheet* PageForTab(int tabIndex) const;

protected:
    void Change() override;
    int GetImageIndex(int tabIndex) override;

private:
    friend class TTabSheet;

    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Makes the tabs the visible pages' captions again.
    void UpdateTabs();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
