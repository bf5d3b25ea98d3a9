#include "skin/controls/SkinControl.h"

#include <algorithm>
#include <type_traits>

#include "classlib/core/ClassRegistry.h"
#include "classlib/core/FormTree.h"
#include "skin/EffectBmp.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/SkinRegions.h"
#include "skin/core/SkinComposition.h"

TBitmap* PictureAt(TspSkinData* data, int index)
{
    if (data == nullptr || index < 0 || index >= static_cast<int>(data->ActivePictures.size()))
        return nullptr;
    return data->ActivePictures[static_cast<size_t>(index)].get();
}

// --- TspSkinControlT -------------------------------------------------------

template <class Base>
TspSkinControlT<Base>::TspSkinControlT(TComponent* owner) : Base(owner)
{
}

template <class Base>
void TspSkinControlT<Base>::Notification(TComponent* AComponent, TOperation Operation)
{
    Base::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinData) {
        FSkinData = nullptr;
        // The record and the pictures belong to the skin that goes.
        BeforeChangeSkinData();
    }
}

template <class Base>
void TspSkinControlT<Base>::SetSkinData(TspSkinData* Value)
{
    if (FSkinData != nullptr && FSkinData != Value)
        this->RemoveFreeNotification(FSkinData);
    FSkinData = Value;
    if (FSkinData == nullptr)
        return;
    this->FreeNotification(FSkinData);
    if (!FSkinData->Empty && (this->ComponentState() & csDesigning) == 0)
        ChangeSkinData();
}

template <class Base>
void TspSkinControlT<Base>::SetTransparent(bool Value)
{
    FTransparent = Value;
    this->Repaint();
}

template <class Base>
void TspSkinControlT<Base>::SetTransparentValue(int Value)
{
    FTransparentValue = std::clamp(Value, 1, 100);
    this->Repaint();
}

template <class Base>
void TspSkinControlT<Base>::GetSkinData()
{
    if (FSkinData == nullptr || FSkinData->Empty)
        FIndex = -1;
    else
        FIndex = FSkinData->GetControlIndex(SkinDataName);
}

template <class Base>
void TspSkinControlT<Base>::ApplySkinCursor()
{
    if (!UseSkinCursor)
        return;
    // A broadcast without a skin component reaches controls whose SkinData
    // is nil with a CursorIndex left from an earlier skin.
    if (FSkinData != nullptr && FIndex != -1 && CursorIndex != -1)
        this->SetCursor(FSkinData->StartCursorIndex + CursorIndex);
    else
        this->SetCursor(crDefault);
}

template <class Base>
void TspSkinControlT<Base>::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    this->Repaint();
}

template <class Base>
void TspSkinControlT<Base>::BeforeChangeSkinData()
{
    FIndex = -1;
}

template <class Base>
void TspSkinControlT<Base>::DrawTransparent(TBitmap* B)
{
    TBitmap P;
    P.SetSize(this->Width(), this->Height());
    if constexpr (std::is_base_of_v<TWinControl, Base>)
        DrawParentImage(this, P.Canvas());
    else
        DrawParentImageForGraphic(this, P.Canvas());
    TspEffectBmp image(B->Handle()), background(P.Handle());
    image.Morph(background, FTransparentValue / 100.0);
    image.Draw(this->Canvas()->Handle(), 0, 0);
}

template <class Base>
void TspSkinControlT<Base>::Paint()
{
    if (this->Width() < 1 || this->Height() < 1)
        return;
    GetSkinData();
    TBitmap B;
    B.SetSize(this->Width(), this->Height());
    if (FIndex != -1)
        CreateControlSkinImage(&B);
    else if (DrawDefault)
        CreateControlDefaultImage(&B);
    if (FTransparent)
        DrawTransparent(&B);
    else
        this->Canvas()->Draw(0, 0, &B);
}

template <class Base>
void TspSkinControlT<Base>::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // Paint covers every pixel: the ground is never erased first.
        message.Result = 1;
        return;
    case WM_MOVE:
        Base::WndProc(message);
        if (FTransparent)
            this->Repaint();
        return;
    default:
        Base::WndProc(message);
    }
}

template class TspSkinControlT<TCustomControl>;
template class TspSkinControlT<TGraphicControl>;

void TspGraphicSkinControl::SetBounds(int left, int top, int width, int height)
{
    const bool moved = left != Left() || top != Top();
    TspSkinControlT::SetBounds(left, top, width, height);
    if (moved && Transparent())
        Repaint();
}

// --- TspSkinCustomControl --------------------------------------------------

TspSkinCustomControl::TspSkinCustomControl(TComponent* owner)
    : TspSkinControlT(owner), FDefaultFont(std::make_unique<TFont>())
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetStyle(0);
    FDefaultFont->SetHeight(14);
    FDefaultFont->OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (FIndex == -1)
            Repaint();
    };
}

void TspSkinCustomControl::SetDefaultFont(TFont* Value)
{
    FDefaultFont->Assign(Value);
    DefaultFontChanged();
}

void TspSkinCustomControl::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (FIndex == -1 && Value >= 1)
        SetWidth(Value);
}

void TspSkinCustomControl::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (FIndex == -1 && Value >= 1)
        SetHeight(Value);
}

void TspSkinCustomControl::GetSkinData()
{
    TspSkinControlT::GetSkinData();
    if (FIndex == -1) {
        // No record: nothing may keep pointing at pictures of a skin that
        // may be freed.
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    const auto* record = dynamic_cast<const TspDataSkinCustomControl*>(SkinData()->ControlList[FIndex].get());
    if (record == nullptr) {
        Picture = nullptr;
        MaskPicture = nullptr;
        ResizeMode = 0;
        return;
    }
    LTPoint = record->LeftTopPoint;
    RTPoint = record->RightTopPoint;
    LBPoint = record->LeftBottomPoint;
    RBPoint = record->RightBottomPoint;
    SkinRect = record->SkinRect;
    ClRect = record->ClientRect;
    CursorIndex = record->CursorIndex;
    Picture = PictureAt(SkinData(), record->PictureIndex);
    MaskPicture = PictureAt(SkinData(), record->MaskPictureIndex);
    ResizeMode = GetResizeMode();
}

void TspSkinCustomControl::BeforeChangeSkinData()
{
    TspSkinControlT::BeforeChangeSkinData();
    Picture = nullptr;
    MaskPicture = nullptr;
}

void TspSkinCustomControl::CalcSize(int& W, int& H)
{
    TspSkinGeometry::CalcSize(W, H, FIndex != -1);
}

void TspSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = (AWidth != Width() || AHeight != Height()) && FIndex != -1;
    if (changed) {
        CalcSize(AWidth, AHeight);
        if (ResizeMode == 0)
            NewClRect = ClRect;
    }
    TspSkinControlT::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed) {
        SetControlRegion();
        Repaint();
    }
}

void TspSkinCustomControl::ChangeSkinData()
{
    GetSkinData();
    ApplySkinCursor();
    bool changed = false;
    if (FIndex == -1) {
        if (FDefaultWidth > 0)
            SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            SetHeight(FDefaultHeight);
    } else {
        int w = Width(), h = Height();
        CalcSize(w, h);
        changed = w != Width() || h != Height();
        if (changed)
            SetBounds(Left(), Top(), w, h);  // makes the region and repaints
    }
    if (!(changed && FIndex != -1)) {
        SetControlRegion();
        Repaint();
    }
}

void TspSkinCustomControl::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* canvas = B->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(RECT{0, 0, B->Width(), B->Height()});
}

void TspSkinCustomControl::CreateControlSkinImage(TBitmap* B)
{
    CreateSkinControlImage(B, Picture, SkinRect);
}

void TspSkinCustomControl::CreateSkinControlImage(TBitmap* B, TBitmap* picture, const TRect& R)
{
    switch (ResizeMode) {
    case 0:
        B->SetSize(R.Right - R.Left, R.Bottom - R.Top);
        if (picture != nullptr && !picture->Empty())
            B->Canvas()->CopyRect(RECT{0, 0, B->Width(), B->Height()}, picture->Canvas(),
                                  RECT{R.Left, R.Top, R.Right, R.Bottom});
        break;
    case 1:
        CreateSkinImage(LTPoint, RTPoint, LBPoint, RBPoint, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint,
                        NewClRect, B, picture, R, Width(), Height(), true);
        break;
    case 2:
        CreateHSkinImage(LTPoint.X, (SkinRect.Right - SkinRect.Left) - RTPoint.X, B, picture, R, Width(), Height());
        break;
    case 3:
        CreateVSkinImage(LTPoint.Y, (SkinRect.Bottom - SkinRect.Top) - LBPoint.Y, B, picture, R, Width(), Height());
        break;
    default:
        break;  // no image
    }
}

void TspSkinCustomControl::SetControlRegion()
{
    if (!HandleAllocated())
        return;  // CreateWnd shapes the window once it exists
    if (MaskPicture != nullptr && FIndex != -1) {
        if (ResizeMode == -1)
            return;  // no shape to build: the window stays as it is
        HRGN region = nullptr;
        if (ResizeMode == 0) {
            CreateRgnFromBitmap(region, MaskPicture);
        } else {
            // Mode 2 stretches only the width, mode 3 only the height.
            const int skinWidth = SkinRect.Right - SkinRect.Left, skinHeight = SkinRect.Bottom - SkinRect.Top;
            const TSkinGeometry old{LTPoint, RTPoint, LBPoint, RBPoint, ClRect};
            const TSkinGeometry fresh = NewSkinGeometry(old, SkinRect, ResizeMode == 3 ? skinWidth : Width(),
                                                        ResizeMode == 2 ? skinHeight : Height());
            CreateRgnFromSkinMask(region, LTPoint, RTPoint, LBPoint, RBPoint, ClRect, fresh.LTPoint, fresh.RTPoint,
                                  fresh.LBPoint, fresh.RBPoint, fresh.ClRect, MaskPicture, Width(), Height());
        }
        if (region == nullptr)
            return;
        // The window owns the region from here on; the one it had before
        // is freed by the system.
        if (SetWindowRegion(Handle(), region))
            FRgn = true;
    } else if (FRgn) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        FRgn = false;
    }
}

void TspSkinCustomControl::CreateWnd()
{
    TspSkinControlT::CreateWnd();
    FRgn = false;
    if (MaskPicture != nullptr)
        SetControlRegion();
}

// --- registration ----------------------------------------------------------

namespace {

template <class T>
void RegisterSkinControlProperties(TClassRegistration<T>& r)
{
    r.Bool("DrawDefault", [](T* c, bool v) { c->DrawDefault = v; })
        .template Component<TspSkinData>("SkinData", &T::SetSkinData)
        .String("AreaName", [](T* c, const std::string& v) { c->AreaName = v; })
        .String("SkinDataName", [](T* c, const std::string& v) { c->SkinDataName = v; })
        .Bool("Transparent", &T::SetTransparent)
        .Int("TransparentValue", &T::SetTransparentValue)
        .Bool("UseSkinCursor", [](T* c, bool v) { c->UseSkinCursor = v; });
}

}  // namespace

void RegisterSkinControlClasses(TClassRegistry& classes)
{
    auto control = classes.Register<TspSkinControl>("TspSkinControl", "TCustomControl");
    RegisterSkinControlProperties(control);
    auto graphic = classes.Register<TspGraphicSkinControl>("TspGraphicSkinControl", "TGraphicControl");
    RegisterSkinControlProperties(graphic);
    classes.Register<TspSkinCustomControl>("TspSkinCustomControl", "TspSkinControl")
        .Object("DefaultFont", &TspSkinCustomControl::DefaultFont)
        .Bool("UseSkinFont", [](TspSkinCustomControl* c, bool v) { c->UseSkinFont = v; })
        .Int("DefaultWidth", &TspSkinCustomControl::SetDefaultWidth)
        .Int("DefaultHeight", &TspSkinCustomControl::SetDefaultHeight);
}
