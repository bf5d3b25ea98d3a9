// The published properties of the standard controls (StdCtrls.h,
// ExtCtrls.h, ComCtrls.h, CheckLst.h), as form descriptions name them.
//
// Item lists are sub-objects: "Items.Strings = ( ... )" fills a combo box's
// or list's items, "Lines.Strings = ( ... )" a memo's lines. An image's
// picture is a BMP file written as binary data: "Picture.Bitmap = { 424D ... }".
#include "classlib/graphics/Icon.h"
#include "classlib/ui/CheckLst.h"
#include "classlib/ui/ComCtrls.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/StdCtrls.h"

const TFormEnumTable<TAlignment> AlignmentNames = {
    {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
const TFormEnumTable<TScrollBarKind> ScrollBarKindNames = {{"sbHorizontal", sbHorizontal},
                                                           {"sbVertical", sbVertical}};
const TFormEnumTable<TTextLayout> TextLayoutNames = {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}};

namespace {

const TFormEnumTable<TCheckBoxState> CheckBoxStateNames = {
    {"cbUnchecked", cbUnchecked}, {"cbChecked", cbChecked}, {"cbGrayed", cbGrayed}};
const TFormEnumTable<TComboBoxStyle> ComboBoxStyleNames = {{"csDropDown", csDropDown},
                                                           {"csDropDownList", csDropDownList}};
const TFormEnumTable<TScrollStyle> ScrollStyleNames = {
    {"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}};
const TFormEnumTable<TBevelCut> BevelCutNames = {
    {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};
const TFormEnumTable<TTrackBarOrientation> TrackBarOrientationNames = {{"trHorizontal", trHorizontal},
                                                                       {"trVertical", trVertical}};

void RegisterButtons(TClassRegistry& classes)
{
    classes.Register<TButton>("TButton", "TWinControl")
        .Int("ModalResult", &TButton::SetModalResult, ModalResultNames);
    classes.Register<TCheckBox>("TCheckBox", "TWinControl")
        .Bool("Checked", &TCheckBox::SetChecked)
        .Enum("State", &TCheckBox::SetState, CheckBoxStateNames);
    classes.Register<TRadioButton>("TRadioButton", "TWinControl").Bool("Checked", &TRadioButton::SetChecked);
}

void RegisterLists(TClassRegistry& classes)
{
    // The item lists of the list controls and the memo's lines: sub-objects
    // with the TStrings property "Strings".
    classes.Register<TListControlItems>("TListControlItems", "TStrings");
    classes.Register<TStrings>("TMemoStrings", "TStrings");

    classes.Register<TComboBox>("TComboBox", "TWinControl")
        .Enum("Style", &TComboBox::SetStyle, ComboBoxStyleNames)
        .Object("Items", &TComboBox::Items)
        .Int("ItemIndex", &TComboBox::SetItemIndex)
        .Event("OnChange", &TComboBox::OnChange);
    classes.Register<TCheckListBox>("TCheckListBox", "TWinControl")
        .Object("Items", &TCheckListBox::Items)
        .Int("ItemIndex", &TCheckListBox::SetItemIndex)
        .Event("OnClickCheck", &TCheckListBox::OnClickCheck);
}

void RegisterEdits(TClassRegistry& classes)
{
    classes.Register<TCustomEdit>("TCustomEdit", "TWinControl")
        .Factory(nullptr)
        .Int("MaxLength", &TCustomEdit::SetMaxLength)
        .Bool("ReadOnly", &TCustomEdit::SetReadOnly)
        .Event("OnChange", &TCustomEdit::OnChange);
    classes.Register<TEdit>("TEdit", "TCustomEdit");
    classes.Register<TCustomMemo>("TCustomMemo", "TCustomEdit")
        .Factory(nullptr)
        .Object("Lines", &TCustomMemo::Lines)
        .Enum("Alignment", &TCustomMemo::SetAlignment, AlignmentNames)
        .Enum("ScrollBars", &TCustomMemo::SetScrollBars, ScrollStyleNames)
        .Bool("WordWrap", &TCustomMemo::SetWordWrap)
        .Bool("HideSelection", &TCustomMemo::SetHideSelection)
        .Bool("OEMConvert", &TCustomMemo::SetOEMConvert)
        .Bool("WantReturns", &TCustomMemo::SetWantReturns)
        .Bool("WantTabs", &TCustomMemo::SetWantTabs);
    classes.Register<TMemo>("TMemo", "TCustomMemo");
}

void RegisterRanges(TClassRegistry& classes)
{
    classes.Register<TScrollBar>("TScrollBar", "TWinControl")
        .Enum("Kind", &TScrollBar::SetKind, ScrollBarKindNames)
        .Int("Min", &TScrollBar::SetMin)
        .Int("Max", &TScrollBar::SetMax)
        .Int("Position", &TScrollBar::SetPosition)
        .Int("SmallChange", &TScrollBar::SetSmallChange)
        .Int("LargeChange", &TScrollBar::SetLargeChange)
        .Int("PageSize", &TScrollBar::SetPageSize)
        .Event("OnChange", &TScrollBar::OnChange)
        .Event("OnScroll", &TScrollBar::OnScroll);
    classes.Register<TTrackBar>("TTrackBar", "TWinControl")
        .Int("Min", &TTrackBar::SetMin)
        .Int("Max", &TTrackBar::SetMax)
        .Int("Position", &TTrackBar::SetPosition)
        .Int("Frequency", &TTrackBar::SetFrequency)
        .Enum("Orientation", &TTrackBar::SetOrientation, TrackBarOrientationNames)
        .Event("OnChange", &TTrackBar::OnChange);
}

void RegisterContainersAndPictures(TClassRegistry& classes)
{
    classes.Register<TCustomLabel>("TCustomLabel", "TGraphicControl")
        .Factory(nullptr)
        .Enum("Alignment", &TCustomLabel::SetAlignment, AlignmentNames)
        .Bool("AutoSize", &TCustomLabel::SetAutoSize)
        .Enum("Layout", &TCustomLabel::SetLayout, TextLayoutNames)
        .Bool("ShowAccelChar", &TCustomLabel::SetShowAccelChar)
        .Component<TWinControl>("FocusControl", &TCustomLabel::SetFocusControl)
        .Bool("Transparent", &TCustomLabel::SetTransparent)
        .Bool("WordWrap", &TCustomLabel::SetWordWrap);
    classes.Register<TLabel>("TLabel", "TCustomLabel");
    classes.Register<TGroupBox>("TGroupBox", "TCustomControl");
    classes.Register<TPanel>("TPanel", "TCustomControl")
        .Enum("BevelOuter", &TPanel::SetBevelOuter, BevelCutNames)
        .Enum("BevelInner", &TPanel::SetBevelInner, BevelCutNames)
        .Int("BevelWidth", &TPanel::SetBevelWidth);
    classes.Register<TPicture>("TPicture", "TPersistent").Binary("Bitmap", [](TPicture* picture, TStream& stream) {
        picture->Bitmap()->LoadFromStream(stream);
        picture->Changed();
    });
    classes.Register<TIcon>("TIcon", "TPersistent").Binary("Data", &TIcon::LoadFromStream);
    classes.Register<TImage>("TImage", "TGraphicControl")
        .Object("Picture", &TImage::Picture)
        .Bool("Stretch", &TImage::SetStretch)
        .Bool("Center", &TImage::SetCenter);
}

}  // namespace

void RegisterStdCtrlsClasses(TClassRegistry& classes)
{
    RegisterButtons(classes);
    RegisterLists(classes);
    RegisterEdits(classes);
    RegisterRanges(classes);
    RegisterContainersAndPictures(classes);
}
