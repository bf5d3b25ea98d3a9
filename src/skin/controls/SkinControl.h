// The bases of the skinned controls: finding the control's record in the
// loaded skin by name (again on every paint, so a control never keeps a
// pointer into records a skin change has freed), painting through an
// off-screen bitmap (from the skin picture when the record is found, else a
// plain default look), blending with the parent's background when
// Transparent, fitting the size to the skin's geometry, shaping the window
// by the skin mask, and following skin changes.
//
// - TspSkinControlT<Base>: the shared body of the windowed TspSkinControl
//   (Base TCustomControl) and the windowless TspGraphicSkinControl (Base
//   TGraphicControl).
// - TspSkinCustomControl: adds the record's geometry and pictures, the
//   resize mode, the default font and size, and the window region.
//
// Skin changes reach a control only through its SkinData setter and the
// skinned form's walk over its controls (ISkinChangeable); the skin data
// component's messages go to forms, not to controls.
//
// Window regions: once SetWindowRgn accepts a region the window owns it, so
// a control never deletes a region it has handed over (not the previous one
// when it sets the next, not when it removes the shape, not when it goes);
// it deletes a region only when SetWindowRgn refuses it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

#include "classlib/graphics/Bitmap.h"
#include "classlib/ui/Controls.h"
#include "skin/SkinData.h"
#include "skin/controls/core/SkinControlGeometry.h"

// The skin picture at a record's index: only 0 <= index < count names one;
// null otherwise and without a skin.
TBitmap* PictureAt(TspSkinData* data, int index);

// The record named `name` in the skin when it is a `Record`, with its index
// in `index`; null and -1 without a skin, with an empty one, or without such
// a record.
template <class Record>
const Record* FindSkinRecord(TspSkinData* data, const std::string& name, int& index)
{
    index = -1;
    if (data == nullptr || data->Empty)
        return nullptr;
    const int found = data->GetControlIndex(name);
    if (found == -1)
        return nullptr;
    const auto* record = dynamic_cast<const Record*>(data->ControlList[found].get());
    if (record != nullptr)
        index = found;
    return record;
}

// What the skinned form's walk calls on every control that follows a skin.
class ISkinChangeable {
public:
    virtual ~ISkinChangeable() = default;
    virtual TspSkinData* SkinData() const = 0;
    // Forgets the record before the skin's records are freed.
    virtual void BeforeChangeSkinData() = 0;
    // Takes the new skin (or its absence).
    virtual void ChangeSkinData() = 0;
};

// The SkinData link of a skinned control built on a class-library control:
// a new link is taken at once (SkinDataChanged), and the component's
// removal clears the link and forgets the record (BeforeChangeSkinData).
template <class Base>
class TspSkinLinkT : public Base, public ISkinChangeable {
public:
    using Base::Base;

    TspSkinData* SkinData() const override { return FSkinData; }
    void SetSkinData(TspSkinData* value)
    {
        if (FSkinData != nullptr && FSkinData != value)
            this->RemoveFreeNotification(FSkinData);
        FSkinData = value;
        if (FSkinData != nullptr)
            this->FreeNotification(FSkinData);
        SkinDataChanged();
    }
    void Notification(TComponent* component, TOperation operation) override
    {
        Base::Notification(component, operation);
        if (operation == opRemove && component == FSkinData) {
            FSkinData = nullptr;
            BeforeChangeSkinData();
        }
    }

protected:
    // What a new link does: takes the skin, or its absence, at once.
    virtual void SkinDataChanged() { ChangeSkinData(); }

private:
    TspSkinData* FSkinData = nullptr;
};

template <class Base>
class TspSkinControlT : public Base, public ISkinChangeable {
public:
    explicit TspSkinControlT(TComponent* owner);
    std::string ClassName() const override
    {
        return std::is_base_of_v<TWinControl, Base> ? "TspSkinControl" : "TspGraphicSkinControl";
    }

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TspSkinData* SkinData() const override { return FSkinData; }
    void SetSkinData(TspSkinData* Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    // Percent of the parent's background in the blend, held to 1..100.
    int TransparentValue() const { return FTransparentValue; }
    virtual void SetTransparentValue(int Value);

    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;

    std::string AreaName;
    std::string SkinDataName;
    bool DrawDefault = true;
    int CursorIndex = -1;
    bool UseSkinCursor = false;
    // The record's index in the skin's control list; -1 = no record.
    int FIndex = -1;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

    // FIndex from SkinData and SkinDataName: -1 without a skin, with an
    // Empty one, or when no record has that name.
    virtual void GetSkinData();
    virtual void CreateControlDefaultImage(TBitmap* B) { (void)B; }
    virtual void CreateControlSkinImage(TBitmap* B) { (void)B; }
    // The cursor step of a skin change: the skin's cursor when UseSkinCursor
    // is set and a record names one, else crDefault.
    void ApplySkinCursor();
    // B blended toward the parent's background by TransparentValue, drawn.
    void DrawTransparent(TBitmap* B);

private:
    TspSkinData* FSkinData = nullptr;
    bool FTransparent = false;
    int FTransparentValue = 50;
};

using TspSkinControl = TspSkinControlT<TCustomControl>;

class TspGraphicSkinControl : public TspSkinControlT<TGraphicControl> {
public:
    using TspSkinControlT::TspSkinControlT;
    std::string ClassName() const override { return "TspGraphicSkinControl"; }
    // Having no WM_MOVE, a transparent one repaints when it moves.
    void SetBounds(int left, int top, int width, int height) override;
};

class TspSkinCustomControl : public TspSkinControlT<TCustomControl>, public TspSkinGeometry {
public:
    explicit TspSkinCustomControl(TComponent* owner);
    std::string ClassName() const override { return "TspSkinCustomControl"; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;

    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);

    bool UseSkinFont = true;
    // The skin's pictures at the record's indexes (not owned); null when an
    // index is out of range or there is no record.
    TBitmap* Picture = nullptr;
    TBitmap* MaskPicture = nullptr;
    // Whether the window has a region of ours (the window owns the handle).
    bool FRgn = false;

    // Builds the control's image from rectangle R of `picture` into B by
    // ResizeMode (R is SkinRect for the normal look; a button passes its
    // state rectangles). A null picture counts as an empty one: B is sized
    // and nothing is copied. Mode -1 draws nothing.
    void CreateSkinControlImage(TBitmap* B, TBitmap* picture, const TRect& R);
    // Sets, replaces or removes the window region from MaskPicture.
    void SetControlRegion();

protected:
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void CreateWnd() override;
    virtual void DefaultFontChanged() {}
    // Fits a requested size to the skin (TspSkinGeometry::CalcSize).
    virtual void CalcSize(int& W, int& H);

private:
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
};

// Registers TspSkinControl's and TspSkinCustomControl's published
// properties for the descendants' registrations to inherit.
void RegisterSkinControlClasses(TClassRegistry& classes);
