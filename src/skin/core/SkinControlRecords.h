// The records of [SKINCONTROLS]: the look of each skinnable control.
//
// An entry "name:keyword" of [SKINCONTROLS] makes the record class that the
// keyword selects (CreateSkinControl), named after the INI section that
// holds its keys. Controls find a record by that name, test its class and
// copy the fields they need; the class tree below is therefore part of the
// contract.
//
// Each field is public and named after its key ("activefontcolor" in
// ActiveFontColor). Constructors set picture, mask and cursor indexes and
// every BgPictureIndex to -1, rectangles and points to zero, FramesCount to
// 1 and font names to "Arial"; LoadFromFile then sets every field the record
// reads, with the reading defaults (missing integers 0 unless noted, font
// height 14). SaveToFile writes the same keys under the same names.
// A point or rectangle that cannot be converted raises EConvertError out of
// LoadFromFile (see SkinEncodings.h); nothing is caught here.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/StringList.h"
#include "classlib/core/Types.h"
#include "skin/core/SkinEncodings.h"
#include "skin/core/SkinRecordIO.h"

// The base record: where the control's image lies in which picture.
class TspDataSkinControl : public TObject {
public:
    explicit TspDataSkinControl(std::string AIDName) : IDName(std::move(AIDName)) {}
    std::string ClassName() const override { return "TspDataSkinControl"; }

    // Reads the record's keys from the section IDName / writes them there.
    virtual void LoadFromFile(TCustomIniFile& IniFile);
    virtual void SaveToFile(TCustomIniFile& IniFile);

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;
    int CursorIndex = -1;

protected:
    // The record's keys in declared order, its ancestors' first.
    virtual void Exchange(TspSkinRecordIO& io);
};

// A control image with stretch points and a client rectangle, relative to
// SkinRect's top-left corner.
class TspDataSkinCustomControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    std::string ClassName() const override { return "TspDataSkinCustomControl"; }

    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;

protected:
    void Exchange(TspSkinRecordIO& io) override;
};

// A picture of FramesCount equal frames (never below 1).
class TspDataSkinFrameControl : public TspDataSkinControl {
public:
    using TspDataSkinControl::TspDataSkinControl;
    std::string ClassName() const override { return "TspDataSkinFrameControl"; }

    int FramesCount = 1;
    TspFramesPlacement FramesPlacement = fpHorizontal;

protected:
    void Exchange(TspSkinRecordIO& io) override;
};

// The font group of control records: "fontname", "fontstyle", "fontheight",
// "fontcolor".
struct TspSkinFontFields {
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 0;
    TColor FontColor = 0;

    void ExchangeFont(TspSkinRecordIO& io) { ExchangeFontGroup(io, "", FontName, FontStyle, FontHeight, FontColor); }
};

#define SP_RECORD(Class, Parent)                                            \
public:                                                                     \
    using Parent::Parent;                                                   \
    std::string ClassName() const override { return #Class; }              \
                                                                            \
protected:                                                                  \
    void Exchange(TspSkinRecordIO& io) override;                            \
                                                                            \
public:

class TspDataSkinSlider : public TspDataSkinControl {
    SP_RECORD(TspDataSkinSlider, TspDataSkinControl)
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int EdgeSize = 0;
    TColor BgColor = 0, PointsColor = 0;
};

class TspDataSkinPanelControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinPanelControl, TspDataSkinCustomControl)
    TRect CaptionRect, RollUpMarkerRect, RestoreMarkerRect;
    TAlignment Alignment = taCenter;
    int BgPictureIndex = -1;
};

class TspDataSkinHeaderControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinHeaderControl, TspDataSkinCustomControl)
    TColor ActiveFontColor = 0, DownFontColor = 0;
    TRect ActiveSkinRect, DownSkinRect;
};

class TspDataSkinExPanelControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinExPanelControl, TspDataSkinCustomControl)
    TRect RollHSkinRect, RollVSkinRect;
    int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
    TRect RollVCaptionRect, RollHCaptionRect;
    TRect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
    TRect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
    TRect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
    TRect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
    TRect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
    TRect CaptionRect;
};

class TspDataSkinButtonControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinButtonControl, TspDataSkinCustomControl)
    TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    bool Morphing = false;
    TspMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
};

class TspDataSkinMenuButtonControl : public TspDataSkinButtonControl {
    SP_RECORD(TspDataSkinMenuButtonControl, TspDataSkinButtonControl)
    TRect TrackButtonRect;
};

class TspDataSkinCheckRadioControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinCheckRadioControl, TspDataSkinCustomControl)
    TColor ActiveFontColor = 0;
    bool Morphing = false;
    TspMorphKind MorphKind = mkDefault;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect;
    TRect ActiveCheckImageRect, ActiveUnCheckImageRect;
    TColor FrameFontColor = 0;
};

class TspDataSkinGaugeControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinGaugeControl, TspDataSkinCustomControl)
    TRect ProgressArea, ProgressRect;
    bool Vertical = false;
    int BeginOffset = 0, EndOffset = 0;
};

class TspDataSkinSplitterControl : public TspDataSkinCustomControl {
public:
    using TspDataSkinCustomControl::TspDataSkinCustomControl;
    std::string ClassName() const override { return "TspDataSkinSplitterControl"; }
};

class TspDataSkinTrackBarControl : public TspDataSkinCustomControl {
    SP_RECORD(TspDataSkinTrackBarControl, TspDataSkinCustomControl)
    TRect TrackArea, ButtonRect, ActiveButtonRect;
    bool Vertical = false;
};

class TspDataSkinLabelControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinLabelControl, TspDataSkinCustomControl)
};

class TspDataSkinStdLabelControl : public TspDataSkinControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinStdLabelControl, TspDataSkinControl)
    TColor ActiveFontColor = 0;
};

class TspDataSkinBitLabelControl : public TspDataSkinCustomControl {
    SP_RECORD(TspDataSkinBitLabelControl, TspDataSkinCustomControl)
    TRect SkinTextRect;
    int SymbolWidth = 0, SymbolHeight = 0;
    // Owned; the lines of "symbols".
    std::unique_ptr<TStringList> Symbols = std::make_unique<TStringList>();
};

class TspDataSkinFrameRegulator : public TspDataSkinFrameControl {
    SP_RECORD(TspDataSkinFrameRegulator, TspDataSkinFrameControl)
    TspRegulatorKind Kind = rkRound;
};

class TspDataSkinFrameGauge : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    std::string ClassName() const override { return "TspDataSkinFrameGauge"; }
};

class TspDataSkinAnimateControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    std::string ClassName() const override { return "TspDataSkinAnimateControl"; }
};

// An up-down image is never stretched: its points and client rectangle are
// zero after loading and are written as zeros.
class TspDataSkinUpDownControl : public TspDataSkinCustomControl {
    SP_RECORD(TspDataSkinUpDownControl, TspDataSkinCustomControl)
    void LoadFromFile(TCustomIniFile& IniFile) override;
    void SaveToFile(TCustomIniFile& IniFile) override;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

private:
    void ZeroStretch();
};

class TspDataSkinSwitchControl : public TspDataSkinFrameControl {
public:
    using TspDataSkinFrameControl::TspDataSkinFrameControl;
    std::string ClassName() const override { return "TspDataSkinSwitchControl"; }
};

class TspDataSkinGridControl : public TspDataSkinControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinGridControl, TspDataSkinControl)
    TRect FixedCellRect, SelectCellRect, FocusCellRect;
    int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0, CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0, BgColor = 0;
    int BgPictureIndex = -1;
    TColor SelectFontColor = 0, FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    TFontStyles FixedFontStyle = 0;
    int FixedFontHeight = 0;
    TColor FixedFontColor = 0;
};

class TspDataSkinTabControl : public TspDataSkinControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinTabControl, TspDataSkinControl)
    TRect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClientRect, TabsBgRect;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    int TabLeftOffset = 0, TabRightOffset = 0;
    TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
    std::string UpDown;
    int BgPictureIndex = -1;
};

class TspDataSkinMainMenuBar : public TspDataSkinControl {
    SP_RECORD(TspDataSkinMainMenuBar, TspDataSkinControl)
    TRect ItemsRect;
    std::string MenuBarItem, CloseButton, MaxButton, MinButton, SysMenuButton;
    TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
};

class TspDataSkinControlBar : public TspDataSkinCustomControl {
    SP_RECORD(TspDataSkinControlBar, TspDataSkinCustomControl)
    TRect ItemRect;
    int BgPictureIndex = -1;
};

class TspDataSkinEditControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinEditControl, TspDataSkinCustomControl)
    TRect ActiveSkinRect;
    TColor ActiveFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect;
};

class TspDataSkinMemoControl : public TspDataSkinEditControl {
    SP_RECORD(TspDataSkinMemoControl, TspDataSkinEditControl)
    TColor BgColor = 0, ActiveBgColor = 0;
};

class TspDataSkinListBox : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinListBox, TspDataSkinCustomControl)
    TRect ItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle = 0;
    int CaptionFontHeight = 0;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
    std::string HScrollBarName, VScrollBarName, BothHScrollBarName;
};

class TspDataSkinCheckListBox : public TspDataSkinListBox {
    SP_RECORD(TspDataSkinCheckListBox, TspDataSkinListBox)
    TRect UnCheckImageRect, CheckImageRect, ItemCheckRect;
};

class TspDataSkinComboBox : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinComboBox, TspDataSkinCustomControl)
    TRect ItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FocusFontColor = 0;
    TRect ButtonRect, ActiveButtonRect, DownButtonRect;
    std::string ListBoxName;
};

class TspDataSkinScrollBarControl : public TspDataSkinCustomControl {
    SP_RECORD(TspDataSkinScrollBarControl, TspDataSkinCustomControl)
    TRect TrackArea;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
    TRect ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
};

class TspDataSkinSpinEditControl : public TspDataSkinCustomControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinSpinEditControl, TspDataSkinCustomControl)
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
    TRect DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TspDataSkinScrollBoxControl : public TspDataSkinCustomControl {
    SP_RECORD(TspDataSkinScrollBoxControl, TspDataSkinCustomControl)
    int BgPictureIndex = -1;
};

class TspDataSkinTreeView : public TspDataSkinControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinTreeView, TspDataSkinControl)
    TColor BgColor = 0;
};

class TspDataSkinListView : public TspDataSkinControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinListView, TspDataSkinControl)
    TColor BgColor = 0;
};

class TspDataSkinRichEdit : public TspDataSkinControl, public TspSkinFontFields {
    SP_RECORD(TspDataSkinRichEdit, TspDataSkinControl)
    TColor BgColor = 0;
};

#undef SP_RECORD

// The keywords of [SKINCONTROLS] in the order they are tested.
extern const std::vector<std::string> SkinControlKeywords;

// A new record of the class `keyword` selects (exact, case-sensitive match),
// named name; nullptr for an unknown keyword.
std::unique_ptr<TspDataSkinControl> CreateSkinControl(const std::string& keyword, const std::string& name);
