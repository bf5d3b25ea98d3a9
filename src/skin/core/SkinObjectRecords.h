// The records of [SKINOBJECTS]: the objects of a skinned form's frame
// (system buttons, caption, labels, gauges, track bars, animations, user
// areas) and the looks of menu items.
//
// An entry "name:keyword" of [SKINOBJECTS] makes the record class that the
// keyword selects (CreateSkinObject), named after the INI section that holds
// its keys. The frame builds one object per record by class tests, the most
// derived class first, so the class tree is part of the contract.
//
// Fields are public and named after their keys. LoadFromFile sets every
// field the record reads, with the reading defaults; SaveToFile writes the
// same keys. Object records declare their font group as "fontname",
// "fontheight", "fontstyle", "fontcolor". EConvertError from a point or
// rectangle passes out of LoadFromFile.
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

class TspDataSkinObject : public TObject {
public:
    explicit TspDataSkinObject(std::string AIDName) : IDName(std::move(AIDName)) {}
    std::string ClassName() const override { return "TspDataSkinObject"; }

    virtual void LoadFromFile(TCustomIniFile& IniFile);
    virtual void SaveToFile(TCustomIniFile& IniFile);

    std::string IDName;
    std::string Hint;
    TRect SkinRect;        // in the window picture, or the roll-up picture when RollUp
    TRect ActiveSkinRect;  // in the active picture ActivePictureIndex
    bool Morphing = false;
    TspMorphKind MorphKind = mkDefault;
    int ActivePictureIndex = -1;
    int CursorIndex = -1;
    bool RollUp = false;

protected:
    // The record's keys in declared order, its ancestors' first.
    virtual void Exchange(TspSkinRecordIO& io);
};

// The object font group: "fontname", "fontheight", "fontstyle", "fontcolor".
struct TspSkinObjectFontFields {
    std::string FontName = "Arial";
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor FontColor = 0;

    void ExchangeFont(TspSkinRecordIO& io, const char* nameKey = "fontname");
};

#define SP_OBJECT(Class, Parent)                                            \
public:                                                                     \
    using Parent::Parent;                                                   \
    std::string ClassName() const override { return #Class; }              \
                                                                            \
protected:                                                                  \
    void Exchange(TspSkinRecordIO& io) override;                            \
                                                                            \
public:

class TspDataSkinMenuItem : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinMenuItem, TspDataSkinObject)
    TRect DividerRect;
    int DividerLeftOffset = 0, DividerRightOffset = 0, ItemLeftOffset = 0, ItemRightOffset = 0;
    std::string FontName = "Arial";
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0;
    TRect TextRect;
};

class TspDataSkinMainMenuItem : public TspDataSkinObject, public TspSkinObjectFontFields {
    SP_OBJECT(TspDataSkinMainMenuItem, TspDataSkinObject)
    TRect DownRect;
    TColor ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
    TRect TextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
    std::string ClassName() const override { return "TspDataSkinMainMenuBarItem"; }
};

class TspDataSkinButton : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinButton, TspDataSkinObject)
    int GroupIndex = -1;
    TRect DownRect;
};

class TspDataSkinStdButton : public TspDataSkinButton {
    SP_OBJECT(TspDataSkinStdButton, TspDataSkinButton)
    TspStdCommand Command = cmDefault;
    TRect RestoreRect, RestoreActiveRect, RestoreDownRect;
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
    using TspDataSkinStdButton::TspDataSkinStdButton;
    std::string ClassName() const override { return "TspDataSkinMainMenuBarButton"; }
};

class TspDataSkinCaption : public TspDataSkinObject, public TspSkinObjectFontFields {
    SP_OBJECT(TspDataSkinCaption, TspDataSkinObject)
    TColor ActiveFontColor = 0, ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = taCenter;
    TRect TextRect;
    bool DefaultCaption = false;
};

// Loads with Morphing off whatever the section says.
class TspDataSkinTrackBar : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinTrackBar, TspDataSkinObject)
    TRect ButtonRect, ActiveButtonRect;
    TPoint BeginPoint, EndPoint;
    int MinValue = 0, MaxValue = 0;
    bool MouseDownChangeValue = false;
};

class TspDataSkinGauge : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinGauge, TspDataSkinObject)
    int MinValue = 0, MaxValue = 0;
    TspGaugeKind Kind = gkHorizontal;
};

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinFrameGaugeObject, TspDataSkinObject)
    int MinValue = 0, MaxValue = 0, CountFrames = 0;
    TspFramesPlacement FramesPlacement = fpHorizontal;
};

class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinFrameRegulatorObject, TspDataSkinObject)
    int MinValue = 0, MaxValue = 0, CountFrames = 0;
    TspFramesPlacement FramesPlacement = fpHorizontal;
    TspRegulatorKind Kind = rkRound;
};

// The font name is read under "fontName" and written under "fontname"
// (the same key to a case-blind INI reader).
class TspDataSkinLabel : public TspDataSkinObject, public TspSkinObjectFontFields {
    SP_OBJECT(TspDataSkinLabel, TspDataSkinObject)
    TColor ActiveFontColor = 0;
    TAlignment Alignment = taCenter;
    std::string TextValue;
};

// Loads with Morphing off whatever the section says.
class TspDataSkinBitLabel : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinBitLabel, TspDataSkinObject)
    // Owned; the lines of "symbols".
    std::unique_ptr<TStringList> Symbols = std::make_unique<TStringList>();
    std::string TextValue;
    int SymbolWidth = 0, SymbolHeight = 0;
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    std::string ClassName() const override { return "TspDataSkinSwitch"; }
};

// Loads with Morphing off whatever the section says; CountFrames is not
// bounded below.
class TspDataSkinAnimate : public TspDataSkinObject {
    SP_OBJECT(TspDataSkinAnimate, TspDataSkinObject)
    int CountFrames = 0;
    bool Cycle = false, ButtonStyle = false;
    int TimerInterval = 0;
    TspStdCommand Command = cmDefault;
};

// Reads and writes only "rollup", "skinrect" and "cursorindex"; every other
// base field keeps its value from before loading.
class TspDataUserObject : public TspDataSkinObject {
    SP_OBJECT(TspDataUserObject, TspDataSkinObject)
};

#undef SP_OBJECT

// The keywords of [SKINOBJECTS] in the order they are tested.
extern const std::vector<std::string> SkinObjectKeywords;

// A new record of the class `keyword` selects (exact, case-sensitive match),
// named name; nullptr for an unknown keyword.
std::unique_ptr<TspDataSkinObject> CreateSkinObject(const std::string& keyword, const std::string& name);
