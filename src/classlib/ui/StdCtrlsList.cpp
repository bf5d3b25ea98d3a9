// List controls: the items kept for a combo box or list box, and the combo box.
#include <algorithm>

#include "classlib/core/ScopeExit.h"
#include "classlib/core/SysUtils.h"
#include "classlib/ui/StdCtrls.h"

// --- TListControlItems ---------------------------------------------------------

const TListControlItems::TMessages TListControlItems::ComboBoxMessages{CB_INSERTSTRING, CB_DELETESTRING,
                                                                       CB_RESETCONTENT, CB_GETCURSEL,
                                                                       CB_SETCURSEL};
const TListControlItems::TMessages TListControlItems::ListBoxMessages{LB_INSERTSTRING, LB_DELETESTRING,
                                                                      LB_RESETCONTENT, LB_GETCURSEL,
                                                                      LB_SETCURSEL};

TListControlItems::TListControlItems(TWinControl* control, const TMessages& messages)
    : FControl(control), FMessages(messages)
{
}

void TListControlItems::CheckIndex(int index, int count) const
{
    CheckListIndex(index, count);
}

HWND TListControlItems::Window() const
{
    return FControl->HandleAllocated() ? FControl->Handle() : nullptr;
}

void TListControlItems::InsertInWindow(HWND wnd, int index, const std::string& s) const
{
    if (SendMessageA(wnd, FMessages.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str())) < 0)
        throw EOutOfResources("Out of system resources");
}

std::string TListControlItems::Strings(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Text;
}

void TListControlItems::Put(int index, const std::string& s)
{
    CheckIndex(index, Count());
    if (const HWND wnd = Window()) {
        const bool selected = SendMessageA(wnd, FMessages.GetCurSel, 0, 0) == index;
        SendMessageA(wnd, FMessages.DeleteString, static_cast<WPARAM>(index), 0);
        InsertInWindow(wnd, index, s);
        if (selected)
            SendMessageA(wnd, FMessages.SetCurSel, static_cast<WPARAM>(index), 0);
        WindowChanged();
    }
    FItems[static_cast<size_t>(index)].Text = s;
}

void* TListControlItems::Objects(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Object;
}

void TListControlItems::PutObject(int index, void* object)
{
    CheckIndex(index, Count());
    FItems[static_cast<size_t>(index)].Object = object;
}

// The window moves its selection along with insertions and deletions; the
// index kept without a window does the same.
void TListControlItems::Insert(int index, const std::string& s)
{
    CheckIndex(index, Count() + 1);
    if (const HWND wnd = Window())
        InsertInWindow(wnd, index, s);
    else if (FItemIndex >= index)
        ++FItemIndex;
    FItems.insert(FItems.begin() + index, TItem{s});
    WindowChanged();
}

void TListControlItems::Delete(int index)
{
    CheckIndex(index, Count());
    if (const HWND wnd = Window())
        SendMessageA(wnd, FMessages.DeleteString, static_cast<WPARAM>(index), 0);
    else if (FItemIndex == index)
        FItemIndex = -1;
    else if (FItemIndex > index)
        --FItemIndex;
    FItems.erase(FItems.begin() + index);
    WindowChanged();
}

void TListControlItems::Clear()
{
    if (const HWND wnd = Window())
        SendMessageA(wnd, FMessages.ResetContent, 0, 0);
    FItemIndex = -1;
    FItems.clear();
    WindowChanged();
}

int TListControlItems::ItemIndex() const
{
    if (const HWND wnd = Window())
        return std::max(static_cast<int>(SendMessageA(wnd, FMessages.GetCurSel, 0, 0)), -1);
    return FItemIndex < Count() ? FItemIndex : -1;
}

void TListControlItems::SetItemIndex(int index)
{
    if (index < 0 || index >= Count())
        index = -1;
    if (const HWND wnd = Window())
        SendMessageA(wnd, FMessages.SetCurSel, static_cast<WPARAM>(index), 0);
    else
        FItemIndex = index;
    WindowChanged();
}

bool TListControlItems::Checked(int index) const
{
    CheckIndex(index, Count());
    return FItems[static_cast<size_t>(index)].Checked;
}

void TListControlItems::SetChecked(int index, bool checked)
{
    CheckIndex(index, Count());
    FItems[static_cast<size_t>(index)].Checked = checked;
}

void TListControlItems::WindowCreated()
{
    const HWND wnd = FControl->Handle();
    for (int i = 0; i < Count(); ++i)
        InsertInWindow(wnd, i, FItems[static_cast<size_t>(i)].Text);
    SendMessageA(wnd, FMessages.SetCurSel, static_cast<WPARAM>(FItemIndex), 0);
    WindowChanged();
}

void TListControlItems::WindowChanged() const
{
    if (Window() != nullptr && OnWindowChanged)
        OnWindowChanged();
}

void TListControlItems::WindowDestroying()
{
    if (const HWND wnd = Window())
        FItemIndex = static_cast<int>(SendMessageA(wnd, FMessages.GetCurSel, 0, 0));
}

// --- TComboBox -----------------------------------------------------------------

namespace {

// How many items the drop list shows without scrolling.
constexpr int DropDownCount = 8;

}  // namespace

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TListControlItems>(this, TListControlItems::ComboBoxMessages))
{
    // No mouse capture of our own: the window captures the mouse for its list.
    SetControlStyle(csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    FItems->OnWindowChanged = [this] { FToldIndex = ItemIndex(); };
}

TComboBox::~TComboBox()
{
    if (FFreedMark != nullptr)
        *FFreedMark = true;
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    RecreateWnd();
}

void TComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.Style |= WS_VSCROLL | (FStyle == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
}

void TComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FItems->WindowCreated();
    // The window was made with the closed height; now that its item height
    // is known, give the drop list its room.
    SetBounds(Left(), Top(), Width(), Height());
}

int TComboBox::DropDownHeight()
{
    const auto itemHeight = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
    return DropDownCount * std::max(itemHeight, 0) + 2;
}

// A combo box window takes the height it is given as its height with the
// list dropped, and keeps its closed height, which is what it reports.
void TComboBox::SetBounds(int left, int top, int width, int height)
{
    if (HandleAllocated())
        height += DropDownHeight();
    TWinControl::SetBounds(left, top, width, height);
}

void TComboBox::Change()
{
    Fire(OnChange, this);
}

bool TComboBox::TellSelection()
{
    const int index = ItemIndex();
    if (index == FToldIndex)
        return false;
    FToldIndex = index;
    // A handler may tell again from inside: the outer telling learns of a
    // free too.
    bool freed = false;
    bool* const outer = FFreedMark;
    FFreedMark = &freed;
    const TScopeExit unmark([&] {
        if (!freed)
            FFreedMark = outer;
        else if (outer != nullptr)
            *outer = true;
    });
    Change();
    return freed;
}

void TComboBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        switch (HIWORD(message.WParam)) {
        case CBN_DROPDOWN:
            FListOpen = true;
            FToldIndex = ItemIndex();
            break;
        case CBN_SELCHANGE:
            TellSelection();
            return;
        case CBN_EDITCHANGE:
            Change();
            return;
        case CBN_SELENDCANCEL:
        case CBN_CLOSEUP:
            // A cancelled list puts its old selection back without a
            // CBN_SELCHANGE: what OnChange last told of is then no longer
            // what the box shows. A pick is told here when the list closes
            // before the window reports it.
            if (FListOpen && TellSelection())
                return;
            if (HIWORD(message.WParam) == CBN_CLOSEUP)
                FListOpen = false;
            break;
        }
        break;
    case WM_DESTROY:
        FItems->WindowDestroying();
        FListOpen = false;
        break;
    }
    TWinControl::WndProc(message);
}
