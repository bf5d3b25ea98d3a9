#include "classlib/ui/CheckLst.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/ui/StdCtrlsDraw.h"

namespace {

// The check box drawn before each item, and the area a click toggles it in.
constexpr int CheckSize = 13;
constexpr int CheckMargin = 2;
constexpr int CheckAreaWidth = CheckSize + 2 * CheckMargin;

}  // namespace

TCheckListBox::TCheckListBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TListControlItems>(this, TListControlItems::ListBoxMessages))
{
    // No mouse capture of our own: the window captures the mouse to select.
    SetControlStyle(csDoubleClicks);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

void TCheckListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCheckListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FItems->WindowCreated();
}

int TCheckListBox::ItemHeight()
{
    return std::max(FontLineHeight(Font()), CheckSize) + 2;
}

void TCheckListBox::SetChecked(int index, bool checked)
{
    FItems->SetChecked(index, checked);
    InvalidateItem(index);
}

void TCheckListBox::InvalidateItem(int index)
{
    if (!HandleAllocated())
        return;
    RECT rect{};
    if (SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) != LB_ERR)
        InvalidateRect(Handle(), &rect, FALSE);
}

void TCheckListBox::Toggle(int index)
{
    SetChecked(index, !Checked(index));
    ClickCheck();
}

void TCheckListBox::ClickCheck()
{
    Fire(OnClickCheck, this);
}

void TCheckListBox::KeyPress(char& key)
{
    TWinControl::KeyPress(key);
    if (key == ' ' && ItemIndex() >= 0) {
        Toggle(ItemIndex());
        key = 0;  // not a search for an item starting with a space
    }
}

// The check box area, then the text, highlighted when selected; the focus
// rectangle goes around the text.
void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= FItems->Count())
        return;
    const TPaintCanvasScope scope(&FCanvas, item.hDC, Font());
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT checkArea = item.rcItem;
    checkArea.right = std::min<LONG>(checkArea.left + CheckAreaWidth, item.rcItem.right);
    RECT text = item.rcItem;
    text.left = checkArea.right;
    FCanvas.Brush()->SetColor(Color());
    FCanvas.FillRect(checkArea);
    FCanvas.Brush()->SetColor(selected ? clHighlight : Color());
    FCanvas.FillRect(text);

    const int top = (checkArea.top + checkArea.bottom - CheckSize) / 2;
    RECT box{checkArea.left + CheckMargin, top, checkArea.left + CheckMargin + CheckSize, top + CheckSize};
    UINT state = DFCS_BUTTONCHECK;
    if (FItems->Checked(index))
        state |= DFCS_CHECKED;
    if (!Enabled())
        state |= DFCS_INACTIVE;
    DrawFrameControl(item.hDC, &box, DFC_BUTTON, state);

    RECT label = text;
    label.left += 2;
    const TColor color = !Enabled() ? clGrayText : selected ? clHighlightText : Font()->Color();
    DrawControlText(item.hDC, FItems->Strings(index), label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, Font(),
                    color);
    if ((item.itemState & ODS_FOCUS) != 0)
        DrawFocusRect(item.hDC, &text);
}

void TCheckListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)->itemHeight = static_cast<UINT>(ItemHeight());
        message.Result = TRUE;
        return;
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // Each press in the check box area toggles, the second one of a
        // double click included; the list selects the item as usual.
        const int x = GET_X_LPARAM(message.LParam);
        const LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, message.LParam);
        TWinControl::WndProc(message);
        if (x >= 0 && x < CheckAreaWidth && HIWORD(hit) == 0 && LOWORD(hit) < FItems->Count())
            Toggle(LOWORD(hit));
        return;
    }
    case WM_DESTROY:
        FItems->WindowDestroying();
        break;
    case CM_FONTCHANGED:
        TWinControl::WndProc(message);
        if (HandleAllocated())
            SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight());
        return;
    }
    TWinControl::WndProc(message);
}
