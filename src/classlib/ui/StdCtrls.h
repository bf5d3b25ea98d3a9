// Standard controls over the Win32 control classes, and the label.
//
// `TButton`: a push button (the BUTTON class). A click - by mouse, keyboard
// or BM_CLICK - arrives as the reflected BN_CLICKED and fires OnClick once;
// a button with a ModalResult also sets its form's ModalResult, which ends
// the form's ShowModal.
//
// `TCheckBox` and `TRadioButton` keep their state themselves: their windows
// are non-automatic buttons, so the window shows what the control holds and
// a user's click arrives as BN_CLICKED, which the control turns into a state
// change. Every change of state made by a setter or by the user fires OnClick
// once, except while the control is being loaded from a form description.
//
// `TComboBox` keeps its items in a `TListControlItems` (below): they exist
// before the window does and survive RecreateWnd. Its OnChange tells each
// change of the selection that the user makes once, whatever order the
// window's notifications come in.
//
// `TEdit` and `TMemo` share `TCustomEdit`: MaxLength, ReadOnly and OnChange,
// which fires for every change of the text, typed by the user or set by code,
// with or without a window.
//
// `TScrollBar` and `TGroupBox` are windowed; `TLabel` is windowless and
// paints on its parent.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/StringList.h"
#include "classlib/core/Types.h"
#include "classlib/ui/Controls.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    std::string ClassName() const override { return "TButton"; }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    std::string ClassName() const override { return "TCheckBox"; }

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    // A change fires OnClick.
    void SetState(TCheckBoxState state);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    // A user's click: unchecked becomes checked, checked and grayed become
    // unchecked and checked.
    virtual void Toggle();

private:
    TCheckBoxState FState = cbUnchecked;
};

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);
    std::string ClassName() const override { return "TRadioButton"; }

    bool Checked() const { return FChecked; }
    // Becoming checked unchecks the other radio buttons of the same parent
    // (silently) and fires OnClick; becoming unchecked fires nothing. The
    // checked button is its group's tab stop: Tab enters a group there.
    // While focused, the arrow keys move the focus and the check to the
    // next (Right, Down) or previous enabled button of the group, wrapping.
    void SetChecked(bool checked);
    void SetParent(TWinControl* parent) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    // Once a button of the group is checked, it is the group's only tab stop.
    void UpdateGroupTabStops();

    bool FChecked = false;
};

// A frame with a caption around other controls, drawn by the control itself
// (a BUTTON group box would leave its inside unpainted in a parent that
// clips its children, and lets mouse messages fall through to the parent).
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* owner);
    std::string ClassName() const override { return "TGroupBox"; }

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
};

// The items of a Win32 list control (a combo box or a list box). The
// control's data live here - strings, objects, check marks, and the selected
// index while there is no window - so they exist before the window does and
// survive its re-creation; while the window exists each change is made in it
// too, and the selection is the window's. Objects are never owned.
class TListControlItems final : public TStrings {
public:
    // The list messages of one control class.
    struct TMessages {
        UINT InsertString;
        UINT DeleteString;
        UINT ResetContent;
        UINT GetCurSel;
        UINT SetCurSel;
    };
    static const TMessages ComboBoxMessages;
    static const TMessages ListBoxMessages;

    TListControlItems(TWinControl* control, const TMessages& messages);

    std::string ClassName() const override { return "TListControlItems"; }

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Strings(int index) const override;
    void Put(int index, const std::string& s) override;
    void* Objects(int index) const override;
    void PutObject(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

    // The selected item, -1 for none.
    int ItemIndex() const;
    // An index outside the items selects none. Sends no notification.
    void SetItemIndex(int index);

    bool Checked(int index) const;
    void SetChecked(int index, bool checked);

    // The control's new window gets the items and the selection.
    void WindowCreated();
    // The control's window goes away: its selection is kept here.
    void WindowDestroying();

    // Runs after these items changed the window's content or selection on
    // the program's behalf (the window reports none of that).
    std::function<void()> OnWindowChanged;

private:
    struct TItem {
        std::string Text;
        void* Object = nullptr;
        bool Checked = false;
    };

    void CheckIndex(int index, int count) const;
    HWND Window() const;
    void WindowChanged() const;
    void InsertInWindow(HWND wnd, int index, const std::string& s) const;

    TWinControl* FControl;
    TMessages FMessages;
    std::vector<TItem> FItems;
    int FItemIndex = -1;  // while there is no window
};

enum TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;
    std::string ClassName() const override { return "TComboBox"; }

    // csDropDown has an edit field; csDropDownList only picks from Items.
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle style);

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* items) { FItems->Assign(items); }

    // -1 for none. The setter does not fire OnChange; an index outside the
    // items gives -1.
    int ItemIndex() const { return FItems->ItemIndex(); }
    void SetItemIndex(int index) { FItems->SetItemIndex(index); }

    // The window's height is its closed height (set by its font); the drop
    // list below it gets room for a few items whatever height is asked.
    void SetBounds(int left, int top, int width, int height) override;

    // The user changed the selection (told once per change, never for a
    // pick of the item already selected) or, with csDropDown, edited the
    // text. Also when a closing list puts back the selection it had when it
    // opened after the user had moved it (a click outside the open list
    // cancels it, and the system reports no change for that). A handler may
    // free the box.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    int DropDownHeight();
    // Tells OnChange of the selection unless it is the one last told; true
    // when a handler freed the box (nothing of it may be used then).
    bool TellSelection();

    std::unique_ptr<TListControlItems> FItems;
    TComboBoxStyle FStyle = csDropDown;
    bool FListOpen = false;
    // The selection OnChange last told of, the program last set or the
    // list had when it opened. The window reports a pick before or after
    // its list closes, and reports the pick of the item already selected
    // too: each is told only when it differs from this.
    int FToldIndex = -1;
    // Set while OnChange runs: the destructor marks it.
    bool* FFreedMark = nullptr;
};

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    std::string ClassName() const override { return "TCustomEdit"; }

    // The most characters the user may type; 0 for no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int maxLength);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
    std::string ClassName() const override { return "TEdit"; }

protected:
    void CreateParams(TCreateParams& params) override;
};

// A multi-line edit. Lines are the text's lines as TStrings reads a text
// (split at CR LF, LF or CR; a final line break ends the last line rather
// than starting an empty one), whatever WordWrap shows; a change to Lines
// rewrites the text with every line followed by CR LF.
//
// Alignment, HideSelection, OEMConvert, ScrollBars and WordWrap are window
// styles: changing one makes the window again (the text stays). Without
// WantReturns a typed Return inserts no line break but reaches the form's
// dialog keys (its default button), without WantTabs a typed Tab moves the
// focus; with them the memo keeps those keys from its form's dialog keys, as
// it always keeps the arrow keys.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    std::string ClassName() const override { return "TCustomMemo"; }

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* lines) { FLines->Assign(lines); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool hideSelection);
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool oemConvert);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool wantReturns) { FWantReturns = wantReturns; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool wantTabs) { FWantTabs = wantTabs; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void KeyPress(char& key) override;

private:
    void StyleChanged();

    std::unique_ptr<TStrings> FLines;
    TAlignment FAlignment = taLeftJustify;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FHideSelection = true;
    bool FOEMConvert = false;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
    std::string ClassName() const override { return "TMemo"; }
};

enum TScrollBarKind { sbHorizontal, sbVertical };
// What the user did, in the order of the SB_* codes.
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* sender, TScrollCode scrollCode, int& scrollPos)>;

// A scroll bar (the SCROLLBAR class). Position stays within Min and the last
// position that shows a whole page, Max - PageSize + 1 (Max when PageSize is
// 0). A user's scroll computes the new position (SmallChange for the arrows,
// LargeChange for the track, the thumb's position, Min or Max), offers it to
// OnScroll, which may change it, and sets it. Every change of Position, by
// the user or by code, fires OnChange.
class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* owner);
    std::string ClassName() const override { return "TScrollBar"; }

    // Changing the kind turns the bar (width and height swap, except while
    // loading) and makes the window again.
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    // Min above Max moves Max up to it, Max below Min moves Min down; the
    // position is clamped again.
    void SetMin(int min);
    void SetMax(int max);
    void SetPosition(int position);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int change) { FSmallChange = change; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int change) { FLargeChange = change; }
    // The thumb's share of Max - Min + 1; 0 for a plain square thumb.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int pageSize);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Change();
    virtual void Scroll(TScrollCode scrollCode, int& scrollPos);

private:
    int Clamped(int position) const;
    void RangeChanged();
    void ApplyToWindow();
    void UserScroll(TScrollCode scrollCode);

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    int FPageSize = 0;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A windowless caption painted on its parent in the label's font. Opaque
// labels fill their rectangle with Color first; Transparent ones show the
// parent through. Line breaks in the caption start new lines; WordWrap breaks
// long lines at the label's width; Layout places the text vertically. With
// ShowAccelChar "&" marks the next character as the accelerator ("&&" shows
// one "&"); without it "&" is an ordinary character. With AutoSize the label
// takes the size of its text (with WordWrap only its height; a right-aligned
// label keeps its right edge); an empty caption measures as one space.
//
// All text goes through DoDrawText, both to measure (DT_CALCRECT, on the
// screen with Canvas's font) and to draw, so that a descendant that draws in
// another font or colour is measured as it draws.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner) : TCustomLabel(owner, true) {}
    std::string ClassName() const override { return "TCustomLabel"; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout layout);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool showAccelChar);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool wordWrap);
    // The control the label's accelerator (Alt + the letter after "&", as
    // the form offers it in CM_DIALOGCHAR) focuses, when the label is
    // enabled, ShowAccelChar is on and the control can take the focus.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control) { ReplaceLink(FFocusControl, control); }

    void Loaded() override;
    void Notification(TComponent* aComponent, TOperation operation) override;

protected:
    TCustomLabel(TComponent* owner, bool showAccelChar);
    void WndProc(TMessage& message) override;
    void Paint() override;
    // Measures (DT_CALCRECT in `flags`) or draws the caption in `rect` on
    // Canvas with Canvas's font; a disabled label draws in clGrayText.
    virtual void DoDrawText(RECT& rect, UINT flags);
    // With AutoSize (and not while loading): takes the size of the text.
    virtual void AdjustBounds();
    // DT_EXPANDTABS, the alignment's flag and DT_WORDBREAK with WordWrap.
    UINT TextFormat() const;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar;
    bool FTransparent = false;
    bool FWordWrap = false;
    TWinControl* FFocusControl = nullptr;
};

// The library's plain label: "&" is an ordinary character.
class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner, false) {}
    std::string ClassName() const override { return "TLabel"; }
};
