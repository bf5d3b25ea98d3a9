// The list view (SysListView32) and the header control (SysHeader32).
//
// Both keep their columns, items and sections in the control, so they exist
// before the window does and survive RecreateWnd; while the window exists
// each change is made in it too. A width the user dragged is read from the
// window. The list view shows the control's Color and its font's colour.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/StringList.h"
#include "classlib/ui/Controls.h"

class TCustomListView;

class TListColumn {
public:
    TListColumn(const TListColumn&) = delete;
    TListColumn& operator=(const TListColumn&) = delete;

    int Index() const;
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);

private:
    friend class TListColumns;
    friend class TCustomListView;
    explicit TListColumn(TCustomListView* owner) : FOwner(owner) {}
    void Apply(bool insert) const;

    TCustomListView* FOwner;
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns {
public:
    explicit TListColumns(TCustomListView* owner) : FOwner(owner) {}
    TListColumn* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListColumn* Items(int index) const;
    void Clear();

private:
    friend class TListColumn;
    friend class TCustomListView;
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListColumn>> FItems;
};

class TListItem {
public:
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;

    int Index() const;
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& caption);
    // The texts of the columns after the first.
    TStrings* SubItems() const { return FSubItems.get(); }
    void* Data = nullptr;

private:
    friend class TListItems;
    friend class TCustomListView;
    explicit TListItem(TCustomListView* owner);
    void Apply(bool insert) const;

    TCustomListView* FOwner;
    std::string FCaption;
    std::unique_ptr<TStringList> FSubItems;
};

class TListItems {
public:
    explicit TListItems(TCustomListView* owner) : FOwner(owner) {}
    TListItem* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int index) const;
    void Delete(int index);
    void Clear();

private:
    friend class TListItem;
    friend class TCustomListView;
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;
    std::string ClassName() const override { return "TCustomListView"; }

    TListColumns* Columns() const { return FColumns.get(); }
    TListItems* Items() const { return FItems.get(); }
    // Changing either makes the window again.
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle style);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool show);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    friend class TListColumn;
    // The window's background and text colours from Color and the font.
    void ApplyColors();
    friend class TListItem;

    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    TViewStyle FViewStyle = vsIcon;
    bool FShowColumnHeaders = true;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* owner) : TCustomListView(owner) {}
    std::string ClassName() const override { return "TListView"; }
};

class THeaderControl;

class THeaderSection {
public:
    THeaderSection(const THeaderSection&) = delete;
    THeaderSection& operator=(const THeaderSection&) = delete;

    int Index() const;
    const std::string& Text() const { return FText; }
    void SetText(const std::string& text);
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    // The section's edges in the control's client area.
    int Left() const;
    int Right() const { return Left() + Width(); }

private:
    friend class THeaderSections;
    friend class THeaderControl;
    explicit THeaderSection(THeaderControl* owner) : FOwner(owner) {}
    void Apply(bool insert) const;

    THeaderControl* FOwner;
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class THeaderSections {
public:
    explicit THeaderSections(THeaderControl* owner) : FOwner(owner) {}
    THeaderSection* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    THeaderSection* Items(int index) const;
    void Clear();

private:
    friend class THeaderSection;
    friend class THeaderControl;
    THeaderControl* FOwner;
    std::vector<std::unique_ptr<THeaderSection>> FItems;
};

using TSectionNotifyEvent = std::function<void(TObject* sender, THeaderSection* section)>;

class THeaderControl : public TWinControl {
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;
    std::string ClassName() const override { return "THeaderControl"; }

    THeaderSections* Sections() const { return FSections.get(); }

    // A click on a section (the reflected HDN_ITEMCLICK).
    TSectionNotifyEvent OnSectionClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    virtual void SectionClick(THeaderSection* section);

private:
    friend class THeaderSection;

    std::unique_ptr<THeaderSections> FSections;
};
