#include "skin/core/SkinObjectRecords.h"

void TspDataSkinObject::LoadFromFile(TCustomIniFile& IniFile)
{
    TspSkinRecordIO io(IniFile, IDName, true);
    Exchange(io);
}

void TspDataSkinObject::SaveToFile(TCustomIniFile& IniFile)
{
    TspSkinRecordIO io(IniFile, IDName, false);
    Exchange(io);
}

void TspDataSkinObject::Exchange(TspSkinRecordIO& io)
{
    io.String("hint", Hint);
    io.Rect("skinrect", SkinRect);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Bool("morphing", Morphing);
    io.Word("morphkind", MorphKind, MorphKindWords);
    io.Int("activepictureindex", ActivePictureIndex, -1);
    io.Int("cursorindex", CursorIndex, -1);
    io.Bool("rollup", RollUp);
}

void TspSkinObjectFontFields::ExchangeFont(TspSkinRecordIO& io, const char* nameKey)
{
    io.String(nameKey, FontName, "Arial");
    io.Int("fontheight", FontHeight, 14);
    io.Styles("fontstyle", FontStyle);
    io.Color("fontcolor", FontColor);
}

void TspDataSkinMenuItem::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Rect("dividerrect", DividerRect);
    io.Int("dividerleftoffset", DividerLeftOffset);
    io.Int("dividerrightoffset", DividerRightOffset);
    io.Int("itemleftoffset", ItemLeftOffset);
    io.Int("itemrightoffset", ItemRightOffset);
    io.String("fontname", FontName, "Arial");
    io.Int("fontheight", FontHeight, 14);
    io.Styles("fontstyle", FontStyle);
    io.Color("unenabledfontcolor", UnEnabledFontColor);
    io.Color("fontcolor", FontColor);
    io.Color("activefontcolor", ActiveFontColor);
    io.Rect("textrect", TextRect);
}

void TspDataSkinMainMenuItem::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Rect("downrect", DownRect);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Color("unenabledfontColor", UnEnabledFontColor);
    io.Rect("textrect", TextRect);
    io.Int("itemleftoffset", ItemLeftOffset);
    io.Int("itemrightoffset", ItemRightOffset);
}

void TspDataSkinButton::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Int("groupindex", GroupIndex, -1);
    io.Rect("downrect", DownRect);
}

void TspDataSkinStdButton::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinButton::Exchange(io);
    io.Word("command", Command, StdCommandWords);
    io.Rect("restorerect", RestoreRect);
    io.Rect("restoreactiverect", RestoreActiveRect);
    io.Rect("restoredownrect", RestoreDownRect);
}

void TspDataSkinCaption::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("shadowcolor", ShadowColor);
    io.Color("activeshadowcolor", ActiveShadowColor);
    io.Bool("shadow", Shadow);
    io.Align("alignment", Alignment);
    io.Rect("textrect", TextRect);
    io.Bool("defaultcaption", DefaultCaption);
}

void TspDataSkinTrackBar::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Point("beginpoint", BeginPoint);
    io.Point("endpoint", EndPoint);
    io.Int("minvalue", MinValue);
    io.Int("maxvalue", MaxValue);
    io.Bool("mousedownchangevalue", MouseDownChangeValue);
    if (io.Reading())
        Morphing = false;
}

void TspDataSkinGauge::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Int("minvalue", MinValue);
    io.Int("maxvalue", MaxValue);
    io.Word("kind", Kind, GaugeKindWords);
}

void TspDataSkinFrameGaugeObject::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Int("minvalue", MinValue);
    io.Int("maxvalue", MaxValue);
    io.Int("countframes", CountFrames);
    io.Word("framesplacement", FramesPlacement, FramesPlacementWords);
}

void TspDataSkinFrameRegulatorObject::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    io.Int("minvalue", MinValue);
    io.Int("maxvalue", MaxValue);
    io.Int("countframes", CountFrames);
    io.Word("framesplacement", FramesPlacement, FramesPlacementWords);
    io.Word("kind", Kind, RegulatorKindWords);
}

void TspDataSkinLabel::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    ExchangeFont(io, io.Reading() ? "fontName" : "fontname");
    io.Color("activefontcolor", ActiveFontColor);
    io.Align("alignment", Alignment);
    io.String("textvalue", TextValue);
}

void TspDataSkinBitLabel::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    if (io.Reading())
        Morphing = false;
    io.String("textvalue", TextValue);
    io.Int("symbolwidth", SymbolWidth);
    io.Int("symbolheight", SymbolHeight);
    io.Lines("symbols", *Symbols);
}

void TspDataSkinAnimate::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinObject::Exchange(io);
    if (io.Reading())
        Morphing = false;
    io.Int("countframes", CountFrames, 1);
    io.Bool("cycle", Cycle);
    io.Bool("buttonstyle", ButtonStyle);
    io.Int("timerinterval", TimerInterval, 50);
    io.Word("command", Command, StdCommandWords);
}

void TspDataUserObject::Exchange(TspSkinRecordIO& io)
{
    io.Bool("rollup", RollUp);
    io.Rect("skinrect", SkinRect);
    io.Int("cursorindex", CursorIndex, -1);
}

namespace {

using TObjectFactory = std::unique_ptr<TspDataSkinObject> (*)(const std::string&);

template <class T>
std::unique_ptr<TspDataSkinObject> Make(const std::string& name)
{
    return std::make_unique<T>(name);
}

const struct {
    const char* Keyword;
    TObjectFactory Create;
} ObjectTable[] = {
    {"menuitem", Make<TspDataSkinMenuItem>},
    {"mainmenubaritem", Make<TspDataSkinMainMenuBarItem>},
    {"mainmenuitem", Make<TspDataSkinMainMenuItem>},
    {"stdbutton", Make<TspDataSkinStdButton>},
    {"mainmenubarbutton", Make<TspDataSkinMainMenuBarButton>},
    {"button", Make<TspDataSkinButton>},
    {"caption", Make<TspDataSkinCaption>},
    {"trackbar", Make<TspDataSkinTrackBar>},
    {"gauge", Make<TspDataSkinGauge>},
    {"framegauge", Make<TspDataSkinFrameGaugeObject>},
    {"frameregulator", Make<TspDataSkinFrameRegulatorObject>},
    {"label", Make<TspDataSkinLabel>},
    {"bitlabel", Make<TspDataSkinBitLabel>},
    {"switch", Make<TspDataSkinSwitch>},
    {"animate", Make<TspDataSkinAnimate>},
    {"userobject", Make<TspDataUserObject>},
};

}  // namespace

const std::vector<std::string> SkinObjectKeywords = [] {
    std::vector<std::string> keywords;
    for (const auto& row : ObjectTable)
        keywords.emplace_back(row.Keyword);
    return keywords;
}();

std::unique_ptr<TspDataSkinObject> CreateSkinObject(const std::string& keyword, const std::string& name)
{
    for (const auto& row : ObjectTable)
        if (keyword == row.Keyword)
            return row.Create(name);
    return nullptr;
}
