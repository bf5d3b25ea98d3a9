// Buttons: push button, check box, radio button, and the group box.
#include "classlib/ui/StdCtrls.h"

#include <algorithm>

#include "classlib/ui/Forms.h"
#include "classlib/ui/StdCtrlsDraw.h"

namespace {

bool IsLoading(const TComponent* component)
{
    return (component->ComponentState() & csLoading) != 0;
}

}  // namespace

// --- TButton -------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_PUSHBUTTON;
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::WndProc(message);
}

// --- TCheckBox -----------------------------------------------------------------

// The states are sent to the window as they are.
static_assert(cbUnchecked == BST_UNCHECKED && cbChecked == BST_CHECKED && cbGrayed == BST_INDETERMINATE);

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_3STATE;  // not automatic: the control decides the state
}

void TCheckBox::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState state)
{
    if (state == FState)
        return;
    FState = state;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
    if (!IsLoading(this))
        Click();
}

void TCheckBox::Toggle()
{
    SetState(FState == cbUnchecked ? cbChecked : FState == cbChecked ? cbUnchecked : cbChecked);
}

void TCheckBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Toggle();
        return;
    }
    TWinControl::WndProc(message);
}

// --- TRadioButton --------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csSetCaption | csDoubleClicks);
    SetTabStop(true);
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_RADIOBUTTON;  // not automatic: the control decides the state
}

void TRadioButton::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == FChecked)
        return;
    FChecked = checked;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked)
        return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this)
                sibling->SetChecked(false);
        }
    }
    UpdateGroupTabStops();
    if (!IsLoading(this))
        Click();
}

void TRadioButton::SetParent(TWinControl* parent)
{
    TWinControl::SetParent(parent);
    UpdateGroupTabStops();
}

void TRadioButton::UpdateGroupTabStops()
{
    if (Parent() == nullptr)
        return;
    std::vector<TRadioButton*> group;
    bool anyChecked = false;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        if (auto* radio = dynamic_cast<TRadioButton*>(Parent()->Controls(i))) {
            group.push_back(radio);
            anyChecked = anyChecked || radio->FChecked;
        }
    }
    if (anyChecked) {
        for (TRadioButton* radio : group)
            radio->SetTabStop(radio->FChecked);
    }
}

void TRadioButton::WndProc(TMessage& message)
{
    const WPARAM key = message.WParam;
    if (message.Msg == CM_DIALOGKEY && key >= VK_LEFT && key <= VK_DOWN && Focused() && Parent() != nullptr) {
        std::vector<TRadioButton*> group;
        for (TWinControl* control : Parent()->TabOrderList()) {
            auto* radio = dynamic_cast<TRadioButton*>(control);
            if (radio != nullptr && radio->Parent() == Parent() && (radio == this || radio->CanFocus()))
                group.push_back(radio);
        }
        const size_t count = group.size();
        const size_t at = static_cast<size_t>(std::find(group.begin(), group.end(), this) - group.begin());
        TRadioButton* next = group[(at + (key == VK_RIGHT || key == VK_DOWN ? 1 : count - 1)) % count];
        if (next != this) {
            next->SetFocus();
            next->SetChecked(true);
        }
        message.Result = 1;
        return;
    }
    if (message.Msg == CN_COMMAND) {
        switch (HIWORD(message.WParam)) {
        case BN_CLICKED:
            SetChecked(true);
            return;
        case BN_DOUBLECLICKED:  // radio buttons report the second press of a double click this way
            DblClick();
            return;
        }
    }
    TWinControl::WndProc(message);
}

// --- TGroupBox -----------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::WndProc(TMessage& message)
{
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED)
        Invalidate();
}

// The etched frame starts half a text line down; the caption sits on its top
// edge, on the group box's colour.
void TGroupBox::Paint()
{
    const HDC dc = Canvas()->Handle();
    const RECT client = ClientRect();
    const std::string caption = Caption();
    const UINT format = DT_SINGLELINE | DT_NOPREFIX;
    RECT extent{0, 0, 0, 0};
    DrawControlText(dc, caption.empty() ? std::string("0") : caption, extent, format | DT_CALCRECT, Font());
    RECT frame{0, extent.bottom / 2, client.right, client.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        RECT label{6, 0, 6 + extent.right + 4, extent.bottom};
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(label);
        DrawControlText(dc, caption, label, format | DT_CENTER, Font(), Enabled() ? Font()->Color() : clGrayText);
    }
}
