// The skinned form's hit tests, tracking sizes, moving and window states.
#include "classlib/ui/Screen.h"
#include "skin/SkinData.h"
#include "skin/core/SkinShapes.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMenu.h"

// ---------------------------------------------------------------- hit tests and sizes

TSkinFormState TspDynamicSkinForm::FormState() const
{
    TSkinFormState state;
    state.Minimized = WindowState == 1;
    state.Maximized = WindowState == 2;
    state.RolledUp = RollUpState;
    state.Sizeable = Sizeable;
    return state;
}

std::vector<TRect> TspDynamicSkinForm::VisibleCaptionRects() const
{
    std::vector<TRect> rects;
    for (const auto& object : ObjectList)
        if (dynamic_cast<const TspSkinCaptionObject*>(object.get()) && ObjectVisible(*object))
            rects.push_back(object->ObjectRect);
    return rects;
}

TRect TspDynamicSkinForm::WorkArea() const
{
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

bool TspDynamicSkinForm::IsMainForm() const
{
    return Application != nullptr && Application->MainForm() == Form;
}

TPoint TspDynamicSkinForm::ChildFrameOffset() const
{
    if (HasSkinClientRect())
        return {Layout.NewClRect.Left, Layout.NewClRect.Top};
    return {3, GetDefCaptionHeight() + 3};
}

TPoint TspDynamicSkinForm::WindowPoint(const TPoint& ScreenPoint) const
{
    if (!IsMDIChild() || !Form->HandleAllocated())
        return {ScreenPoint.X - Form->Left(), ScreenPoint.Y - Form->Top()};
    // A child's bounds are in its MDI client's coordinates.
    POINT p{ScreenPoint.X, ScreenPoint.Y};
    ScreenToClient(Form->Handle(), &p);
    const TPoint frame = ChildFrameOffset();
    return {p.x + frame.X, p.y + frame.Y};
}

int TspDynamicSkinForm::SkinHitTest(const TPoint& P)
{
    // A skin without a client rectangle has the default frame.
    if (!HasSkinClientRect())
        return DefaultHitTest(P);
    CalcRects();
    const TSkinMaskStrips* mask = FSkinData->Mask->Empty() ? nullptr : &MaskStrips;
    return ::SkinHitTest(Layout, FSkinData->BorderWidth, mask, P, FormState(), VisibleCaptionRects());
}

int TspDynamicSkinForm::DefaultHitTest(const TPoint& P) const
{
    const TFormBorderStyle style = Form->BorderStyle();
    return ::DefaultHitTest(P, Form->Width(), Form->Height(), FormState(), style == bsSingle || style == bsSizeable,
                            (FBorderIcons & biSystemMenu) != 0, style == bsToolWindow || style == bsSizeToolWin);
}

int TspDynamicSkinForm::ClientAreaHitTest(const TPoint& P)
{
    if (!HasSkin())
        return SkinHit::Client;
    CalcRects();
    const TSkinMaskStrips* mask = FSkinData->Mask->Empty() ? nullptr : &MaskStrips;
    return ::ClientAreaHitTest(Layout, FSkinData->BorderWidth, mask, P, FormState(), ActiveObject != -1);
}

namespace {

TSkinMinSizeInput MinSizeInput(const TspDynamicSkinForm& c, const TspSkinData* skin, bool frameMode)
{
    TSkinMinSizeInput in;
    in.FrameMode = frameMode;
    in.SkinFrame = frameMode ? c.HasSkinClientRect() : c.HasSkin();
    if (in.SkinFrame) {
        in.PictureWidth = skin->Picture->Width();
        in.PictureHeight = skin->Picture->Height();
        in.ClientRectHeight = RectHeight(skin->ClRect);
    }
    in.MinWidth = c.MinWidth;
    in.MinHeight = c.MinHeight;
    in.CaptionHeight = c.GetDefCaptionHeight();
    in.Minimized = c.WindowState == 1;
    in.RolledUp = c.RollUpState;
    return in;
}

}  // namespace

int TspDynamicSkinForm::GetMinWidth() const
{
    return SkinMinWidth(MinSizeInput(*this, FSkinData, FSupportNCArea));
}

int TspDynamicSkinForm::GetMinHeight() const
{
    return SkinMinHeight(MinSizeInput(*this, FSkinData, FSupportNCArea));
}

int TspDynamicSkinForm::GetMaxWidth() const
{
    return RectWidth(WorkArea());
}

int TspDynamicSkinForm::GetMaxHeight() const
{
    return RectHeight(WorkArea());
}

void TspDynamicSkinForm::FitClientSize()
{
    const int width = Form->Width();
    Form->SetWidth(GetMinWidth() > width - 1 ? width + 1 : width - 1);
    Form->SetWidth(width);
}

void TspDynamicSkinForm::DoMagnetic(int& X, int& Y, int W, int H) const
{
    TRect area = WorkArea();
    TForm* main = Application->MainForm();
    if (IsMDIChild() && main != nullptr && main->HandleAllocated()) {
        // The MDI client on the screen; X and Y are screen coordinates.
        const TRect client = GetMDIClientRect();
        POINT origin{client.Left, client.Top};
        ClientToScreen(main->Handle(), &origin);
        area = {origin.x, origin.y, origin.x + RectWidth(client), origin.y + RectHeight(client)};
    }
    SkinMagnetic(X, Y, W, H, area, MagneticSize);
}

// ---------------------------------------------------------------- states

void TspDynamicSkinForm::SetWindowState(int Value)
{
    if (Value == WindowState)
        return;
    const bool mainForm = IsMainForm();
    if (!(Value == 1 && mainForm))
        WindowState = Value;
    const RECT bounds = Form->BoundsRect();
    const TRect current{bounds.left, bounds.top, bounds.right, bounds.bottom};
    switch (Value) {
    case 1:
        if (mainForm || !FSupportNCArea) {
            Application->Minimize();
            break;
        }
        if (IsNullRect(OldBoundsRect))
            OldBoundsRect = current;
        if (IsMDIChild()) {
            const int w = GetMinWidth(), h = GetMinHeight();
            const TPoint slot = MDIMinimizedSlot(w, h);
            Form->SetBounds(slot.X, slot.Y, w, h);
            NotifyMDIForm(SM_MDICHILDRESTORED);
            break;
        }
        {
            const int w = GetMinWidth(), h = GetMinHeight();
            const TPoint slot = FindMinimizedSlot(WorkArea(), w, h, [this](const TPoint& P) {
                for (int i = 0; i < Screen->FormCount(); ++i) {
                    TCustomForm* other = Screen->Forms(i);
                    if (other == Form || other == Application->MainForm() || !other->Visible())
                        continue;
                    const TspDynamicSkinForm* skin = GetDynamicSkinForm(other);
                    if (skin != nullptr && skin->WindowState == 1 && other->Left() == P.X && other->Top() == P.Y)
                        return true;
                }
                return false;
            });
            Form->SetBounds(slot.X, slot.Y, w, h);
        }
        break;
    case 2: {
        if (IsNullRect(OldBoundsRect))
            OldBoundsRect = current;
        if (IsMDIChild()) {
            FMouseTimer->SetEnabled(false);
            TestActive(-1, -1, false);
            const TRect client = GetMDIClientRect();
            Form->SetBounds(0, 0, RectWidth(client), RectHeight(client));
            const RECT after = Form->BoundsRect();
            if (after.right - after.left == bounds.right - bounds.left &&
                after.bottom - after.top == bounds.bottom - bounds.top)
                FitClientSize();
            NotifyMDIForm(SM_MDICHILDMAXIMIZED);
            break;
        }
        const TRect area = WorkArea();
        Form->SetBounds(area.Left, area.Top, RectWidth(area), RectHeight(area));
        break;
    }
    default: {
        MaxRollUp = false;
        // A form minimized with the application never recorded bounds;
        // it keeps the ones it has.
        if (!IsNullRect(OldBoundsRect))
            Form->SetBounds(OldBoundsRect.Left, OldBoundsRect.Top, RectWidth(OldBoundsRect),
                            RectHeight(OldBoundsRect));
        OldBoundsRect = NullRect();
        // The objects moved from under the cursor: the hot object follows.
        FMouseTimer->SetEnabled(true);
        if (FSupportNCArea) {
            const RECT after = Form->BoundsRect();
            if (after.right - after.left == bounds.right - bounds.left &&
                after.bottom - after.top == bounds.bottom - bounds.top)
                FitClientSize();
            if (Form->HandleAllocated())
                RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
            if (IsMDIChild())
                NotifyMDIForm(SM_MDICHILDRESTORED);
        }
        break;
    }
    }
}

void TspDynamicSkinForm::FitClientAreaSize()
{
    if (!HasSkin() || FSkinData->Picture->Empty())
        return;
    const int pw = FSkinData->Picture->Width(), ph = FSkinData->Picture->Height();
    if (SkinStretches(*FSkinData)) {
        if (MinWidth != 0 && MinHeight != 0)
            return;
        if (Form->ClientWidth() < pw)
            Form->SetClientWidth(pw);
        if (Form->ClientHeight() < ph)
            Form->SetClientHeight(ph);
    } else {
        Form->SetClientWidth(pw);
        Form->SetClientHeight(ph);
        Sizeable = false;
    }
}

void TspDynamicSkinForm::ApplyClientRollUp()
{
    TBitmap& picture = *FSkinData->RollupPicture;
    const TPoint& left = FSkinData->RollUpLeftPoint;
    const TPoint& right = FSkinData->RollUpRightPoint;
    const bool stretches = right.X > left.X;
    if (stretches) {
        const int dw = Form->Width() - picture.Width();
        for (const auto& object : ObjectList) {
            if (!object->RollUp)
                continue;
            TRect R = object->SkinRect;
            if (R.Left >= right.X) {
                R.Left += dw;
                R.Right += dw;
            } else if (R.Left < left.X && R.Right > right.X) {
                R.Right += dw;
            }
            object->ObjectRect = R;
        }
    }
    Form->SetBounds(Form->Left(), Form->Top(), stretches ? Form->Width() : picture.Width(), picture.Height());
    CreateRollUpRegion();
    Form->Repaint();
}

void TspDynamicSkinForm::SetRollUpState(bool Value)
{
    if (!FSupportNCArea && !HasSkin())
        return;
    if ((FBorderIcons & biRollUp) == 0 || WindowState == 1)
        return;
    if (WindowState == 2 && RollUpState && !MaxRollUp)
        return;
    // Rolling up twice would save the rolled-up height.
    if (Value == RollUpState)
        return;
    if (WindowState == 2)
        MaxRollUp = Value;
    RollUpState = Value;
    if (FSupportNCArea) {
        if (Value) {
            FSavedHeight = Form->Height();
            Form->SetHeight(GetMinHeight());
        } else {
            Form->SetHeight(FSavedHeight);
        }
    } else if (FSkinData->RollupPicture->Empty()) {
        RollUpState = false;
        return;
    } else {
        TestActive(-1, -1, false);
        FMouseTimer->SetEnabled(false);
        FMorphTimer->SetEnabled(false);
        if (Value) {
            FSavedHeight = Form->Height();
            FHiddenControls.clear();
            for (int i = 0; i < Form->ControlCount(); ++i) {
                TControl* control = Form->Controls(i);
                if (control->Visible()) {
                    // A child freed while rolled up is forgotten.
                    control->FreeNotification(this);
                    FHiddenControls.push_back(control);
                    control->Hide();
                }
            }
            ApplyClientRollUp();
        } else {
            for (TControl* control : FHiddenControls)
                control->Show();
            FHiddenControls.clear();
            if (SkinStretches(*FSkinData))
                Form->SetHeight(FSavedHeight);
            FitClientAreaSize();
            UpdateSkinRegion(SkinStretches(*FSkinData));
        }
    }
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

namespace {

void Apply(TspDynamicSkinForm& c, TSkinCaptionAction action)
{
    switch (action) {
    case caRestore: c.SetWindowState(0); break;
    case caMaximize: c.SetWindowState(2); break;
    case caToggleRollUp: c.SetRollUpState(!c.RollUpState); break;
    case caRollDown: c.SetRollUpState(false); break;
    case caRollUp: c.SetRollUpState(true); break;
    }
}

}  // namespace

void TspDynamicSkinForm::NCCaptionDblClick()
{
    Apply(*this, FrameCaptionDblClick(FormState(), (FBorderIcons & biMaximize) != 0, MaxRollUp));
}

void TspDynamicSkinForm::CaptionDblClick()
{
    // Only a caption object takes the double click: anywhere else it is the
    // client area's (its controls', an empty spot's).
    if (ActiveObject < 0 || ActiveObject >= static_cast<int>(ObjectList.size()) ||
        dynamic_cast<const TspSkinCaptionObject*>(ObjectList[static_cast<size_t>(ActiveObject)].get()) == nullptr)
        return;
    Apply(*this, ObjectCaptionDblClick(FormState()));
}
