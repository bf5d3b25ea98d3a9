#include "skin/core/SkinControlRecords.h"


namespace {

// The three up / down button rectangles of list boxes, scroll bars, spin
// edits and up-downs, in their common key order.
struct TUpDownRects {
    TRect &Up, &ActiveUp, &DownUp, &Down, &ActiveDown, &DownDown;
};

void ExchangeUpDownRects(TspSkinRecordIO& io, const TUpDownRects& r)
{
    io.Rect("upbuttonrect", r.Up);
    io.Rect("activeupbuttonrect", r.ActiveUp);
    io.Rect("downupbuttonrect", r.DownUp);
    io.Rect("downbuttonrect", r.Down);
    io.Rect("activedownbuttonrect", r.ActiveDown);
    io.Rect("downdownbuttonrect", r.DownDown);
}

}  // namespace

void TspDataSkinControl::LoadFromFile(TCustomIniFile& IniFile)
{
    TspSkinRecordIO io(IniFile, IDName, true);
    Exchange(io);
}

void TspDataSkinControl::SaveToFile(TCustomIniFile& IniFile)
{
    TspSkinRecordIO io(IniFile, IDName, false);
    Exchange(io);
}

void TspDataSkinControl::Exchange(TspSkinRecordIO& io)
{
    io.Int("pictureindex", PictureIndex, -1);
    io.Int("maskpictureindex", MaskPictureIndex, -1);
    io.Rect("skinrect", SkinRect);
    io.Int("cursorindex", CursorIndex, -1);
}

void TspDataSkinCustomControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    io.Point("lefttoppoint", LeftTopPoint);
    io.Point("righttoppoint", RightTopPoint);
    io.Point("leftbottompoint", LeftBottomPoint);
    io.Point("rightbottompoint", RightBottomPoint);
    io.Rect("clientrect", ClientRect);
}

void TspDataSkinFrameControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    io.Int("framescount", FramesCount, 1);
    if (io.Reading() && FramesCount < 1)
        FramesCount = 1;
    io.Word("framesplacement", FramesPlacement, FramesPlacementWords);
}

void TspDataSkinSlider::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    io.Rect("hrulerrect", HRulerRect);
    io.Rect("hthumbrect", HThumbRect);
    io.Rect("vrulerrect", VRulerRect);
    io.Rect("vthumbrect", VThumbRect);
    io.Int("edgesize", EdgeSize);
    io.Color("bgcolor", BgColor);
    io.Color("pointscolor", PointsColor);
}

void TspDataSkinPanelControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("captionrect", CaptionRect);
    io.Rect("rollupmarkerrect", RollUpMarkerRect);
    io.Rect("restoremarkerrect", RestoreMarkerRect);
    io.Align("alignment", Alignment);
    ExchangeFont(io);
    io.Int("bgpictureindex", BgPictureIndex, -1);
}

void TspDataSkinHeaderControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("downskinrect", DownSkinRect);
}

void TspDataSkinExPanelControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("rollhskinrect", RollHSkinRect);
    io.Rect("rollvskinrect", RollVSkinRect);
    io.Int("rollleftoffset", RollLeftOffset);
    io.Int("rollrightoffset", RollRightOffset);
    io.Int("rolltopoffset", RollTopOffset);
    io.Int("rollbottomoffset", RollBottomOffset);
    io.Rect("rollvcaptionrect", RollVCaptionRect);
    io.Rect("rollhcaptionrect", RollHCaptionRect);
    io.Rect("closebuttonrect", CloseButtonRect);
    io.Rect("closebuttonactiverect", CloseButtonActiveRect);
    io.Rect("closebuttondownrect", CloseButtonDownRect);
    io.Rect("hrollbuttonrect", HRollButtonRect);
    io.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
    io.Rect("hrollbuttondownrect", HRollButtonDownRect);
    io.Rect("hrestorebuttonrect", HRestoreButtonRect);
    io.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
    io.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
    io.Rect("vrollbuttonrect", VRollButtonRect);
    io.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
    io.Rect("vrollbuttondownrect", VRollButtonDownRect);
    io.Rect("vrestorebuttonrect", VRestoreButtonRect);
    io.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
    io.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
    io.Rect("captionrect", CaptionRect);
    ExchangeFont(io);
}

void TspDataSkinButtonControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("downfontcolor", DownFontColor);
    io.Color("disabledfontcolor", DisabledFontColor);
    io.Bool("morphing", Morphing);
    io.Word("morphkind", MorphKind, MorphKindWords);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("downskinrect", DownSkinRect);
    io.Rect("disabledskinrect", DisabledSkinRect);
}

void TspDataSkinMenuButtonControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinButtonControl::Exchange(io);
    io.Rect("trackbuttonrect", TrackButtonRect);
}

void TspDataSkinCheckRadioControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Bool("morphing", Morphing);
    io.Word("morphkind", MorphKind, MorphKindWords);
    io.Rect("activeskinrect", ActiveSkinRect);
    io.Rect("checkimagearea", CheckImageArea);
    io.Rect("textarea", TextArea);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("uncheckimagerect", UnCheckImageRect);
    io.Rect("activecheckimagerect", ActiveCheckImageRect);
    io.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
    io.Color("framefontcolor", FrameFontColor);
}

void TspDataSkinGaugeControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("progressarea", ProgressArea);
    io.Rect("progressrect", ProgressRect);
    io.Bool("vertical", Vertical);
    io.Int("beginoffset", BeginOffset);
    io.Int("endoffset", EndOffset);
    ExchangeFont(io);
}

void TspDataSkinTrackBarControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", TrackArea);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Bool("vertical", Vertical);
}

void TspDataSkinLabelControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    ExchangeFont(io);
}

void TspDataSkinStdLabelControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    ExchangeFont(io);
    io.Int("activefontcolor", ActiveFontColor, 16711680);
}

void TspDataSkinBitLabelControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("skintextrect", SkinTextRect);
    io.Int("symbolwidth", SymbolWidth);
    io.Int("symbolheight", SymbolHeight);
    io.Lines("symbols", *Symbols);
}

void TspDataSkinFrameRegulator::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinFrameControl::Exchange(io);
    io.Word("kind", Kind, RegulatorKindWords);
}

void TspDataSkinUpDownControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    ExchangeUpDownRects(io, {UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                             ActiveDownButtonRect, DownDownButtonRect});
}

void TspDataSkinUpDownControl::ZeroStretch()
{
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = TPoint{};
    ClientRect = TRect{};
}

void TspDataSkinUpDownControl::LoadFromFile(TCustomIniFile& IniFile)
{
    TspDataSkinCustomControl::LoadFromFile(IniFile);
    ZeroStretch();
}

void TspDataSkinUpDownControl::SaveToFile(TCustomIniFile& IniFile)
{
    ZeroStretch();
    TspDataSkinCustomControl::SaveToFile(IniFile);
}

void TspDataSkinGridControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    io.Rect("fixedcellrect", FixedCellRect);
    io.Rect("selectcellrect", SelectCellRect);
    io.Rect("focuscellrect", FocusCellRect);
    io.Int("fixedcellleftoffset", FixedCellLeftOffset);
    io.Int("fixedcellrightoffset", FixedCellRightOffset);
    io.Rect("fixedcelltextrect", FixedCellTextRect);
    io.Int("cellleftoffset", CellLeftOffset);
    io.Int("cellrightoffset", CellRightOffset);
    io.Rect("celltextrect", CellTextRect);
    io.Color("linescolor", LinesColor);
    io.Color("bgcolor", BgColor);
    io.Int("bgpictureindex", BgPictureIndex, -1);
    ExchangeFont(io);
    io.Color("selectfontcolor", SelectFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    ExchangeFontGroup(io, "fixed", FixedFontName, FixedFontStyle, FixedFontHeight, FixedFontColor);
}

void TspDataSkinTabControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    io.Rect("tabrect", TabRect);
    io.Rect("activetabrect", ActiveTabRect);
    io.Rect("focustabrect", FocusTabRect);
    io.Rect("mouseintabrect", MouseInTabRect);
    io.Rect("clientrect", ClientRect);
    io.Rect("tabsbgrect", TabsBgRect);
    io.Point("lefttoppoint", LeftTopPoint);
    io.Point("righttoppoint", RightTopPoint);
    io.Point("leftbottompoint", LeftBottomPoint);
    io.Point("rightbottompoint", RightBottomPoint);
    io.Int("tableftoffset", TabLeftOffset);
    io.Int("tabrightoffset", TabRightOffset);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Color("mouseinfontcolor", MouseInFontColor);
    io.String("updown", UpDown);
    io.Int("bgpictureindex", BgPictureIndex, -1);
}

void TspDataSkinMainMenuBar::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    io.Rect("itemsrect", ItemsRect);
    io.String("menubaritem", MenuBarItem);
    io.String("closebutton", CloseButton);
    io.String("maxbutton", MaxButton);
    io.String("minbutton", MinButton);
    io.String("sysmenubutton", SysMenuButton);
    io.Color("trackmarkcolor", TrackMarkColor);
    io.Color("trackmarkactivecolor", TrackMarkActiveColor);
}

void TspDataSkinControlBar::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Int("bgpictureindex", BgPictureIndex, -1);
}

void TspDataSkinEditControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("activeskinrect", ActiveSkinRect);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
}

void TspDataSkinMemoControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinEditControl::Exchange(io);
    io.Color("bgcolor", BgColor);
    io.Color("activebgcolor", ActiveBgColor);
}

void TspDataSkinListBox::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Rect("activeitemrect", ActiveItemRect);
    io.Rect("focusitemrect", FocusItemRect);
    io.Int("itemleftoffset", ItemLeftOffset);
    io.Int("itemrightoffset", ItemRightOffset);
    io.Rect("itemtextrect", ItemTextRect);
    ExchangeFont(io);
    io.Color("activefontcolor", ActiveFontColor);
    io.Color("focusfontcolor", FocusFontColor);
    io.Rect("captionrect", CaptionRect);
    ExchangeFontGroup(io, "caption", CaptionFontName, CaptionFontStyle, CaptionFontHeight, CaptionFontColor);
    ExchangeUpDownRects(io, {UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                             ActiveDownButtonRect, DownDownButtonRect});
    io.Rect("checkbuttonrect", CheckButtonRect);
    io.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
    io.Rect("downcheckbuttonrect", DownCheckButtonRect);
    io.String("hscrollbarname", HScrollBarName, "hscrollbar");
    io.String("vscrollbarname", VScrollBarName, "vscrollbar");
    io.String("bothhscrollbarname", BothHScrollBarName, "bothhscrollbar");
}

void TspDataSkinCheckListBox::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinListBox::Exchange(io);
    io.Rect("uncheckimagerect", UnCheckImageRect);
    io.Rect("checkimagerect", CheckImageRect);
    io.Rect("itemcheckrect", ItemCheckRect);
}

void TspDataSkinComboBox::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("itemrect", ItemRect);
    io.Rect("focusitemrect", FocusItemRect);
    io.Int("itemleftoffset", ItemLeftOffset);
    io.Int("itemrightoffset", ItemRightOffset);
    io.Rect("itemtextrect", ItemTextRect);
    ExchangeFont(io);
    io.Color("focusfontcolor", FocusFontColor);
    io.Rect("buttonrect", ButtonRect);
    io.Rect("activebuttonrect", ActiveButtonRect);
    io.Rect("downbuttonrect", DownButtonRect);
    io.String("listboxname", ListBoxName);
}

void TspDataSkinScrollBarControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Rect("trackarea", TrackArea);
    ExchangeUpDownRects(io, {UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                             ActiveDownButtonRect, DownDownButtonRect});
    io.Rect("thumbrect", ThumbRect);
    io.Rect("activethumbrect", ActiveThumbRect);
    io.Rect("downthumbrect", DownThumbRect);
    io.Int("thumboffset1", ThumbOffset1);
    io.Int("thumboffset2", ThumbOffset2);
    io.Rect("glyphrect", GlyphRect);
    io.Rect("activeglyphrect", ActiveGlyphRect);
    io.Rect("downglyphrect", DownGlyphRect);
}

void TspDataSkinSpinEditControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    ExchangeFont(io);
    ExchangeUpDownRects(io, {UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
                             ActiveDownButtonRect, DownDownButtonRect});
}

void TspDataSkinScrollBoxControl::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinCustomControl::Exchange(io);
    io.Int("bgpictureindex", BgPictureIndex, -1);
}

void TspDataSkinTreeView::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    ExchangeFont(io);
    io.Color("bgcolor", BgColor);
}

void TspDataSkinListView::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    ExchangeFont(io);
    io.Color("bgcolor", BgColor);
}

void TspDataSkinRichEdit::Exchange(TspSkinRecordIO& io)
{
    TspDataSkinControl::Exchange(io);
    ExchangeFont(io);
    io.Color("bgcolor", BgColor);
}

namespace {

using TControlFactory = std::unique_ptr<TspDataSkinControl> (*)(const std::string&);

template <class T>
std::unique_ptr<TspDataSkinControl> Make(const std::string& name)
{
    return std::make_unique<T>(name);
}

const struct {
    const char* Keyword;
    TControlFactory Create;
} ControlTable[] = {
    {"slider", Make<TspDataSkinSlider>},
    {"panel", Make<TspDataSkinPanelControl>},
    {"header", Make<TspDataSkinHeaderControl>},
    {"expanel", Make<TspDataSkinExPanelControl>},
    {"menubutton", Make<TspDataSkinMenuButtonControl>},
    {"button", Make<TspDataSkinButtonControl>},
    {"checkradio", Make<TspDataSkinCheckRadioControl>},
    {"gauge", Make<TspDataSkinGaugeControl>},
    {"splitter", Make<TspDataSkinSplitterControl>},
    {"trackbar", Make<TspDataSkinTrackBarControl>},
    {"label", Make<TspDataSkinLabelControl>},
    {"stdlabel", Make<TspDataSkinStdLabelControl>},
    {"bitlabel", Make<TspDataSkinBitLabelControl>},
    {"frameregulator", Make<TspDataSkinFrameRegulator>},
    {"framegauge", Make<TspDataSkinFrameGauge>},
    {"animate", Make<TspDataSkinAnimateControl>},
    {"updown", Make<TspDataSkinUpDownControl>},
    {"switch", Make<TspDataSkinSwitchControl>},
    {"grid", Make<TspDataSkinGridControl>},
    {"tab", Make<TspDataSkinTabControl>},
    {"mainmenubar", Make<TspDataSkinMainMenuBar>},
    {"controlbar", Make<TspDataSkinControlBar>},
    {"memo", Make<TspDataSkinMemoControl>},
    {"edit", Make<TspDataSkinEditControl>},
    {"checklistbox", Make<TspDataSkinCheckListBox>},
    {"listbox", Make<TspDataSkinListBox>},
    {"combobox", Make<TspDataSkinComboBox>},
    {"scrollbar", Make<TspDataSkinScrollBarControl>},
    {"spinedit", Make<TspDataSkinSpinEditControl>},
    {"scrollbox", Make<TspDataSkinScrollBoxControl>},
    {"treeview", Make<TspDataSkinTreeView>},
    {"listview", Make<TspDataSkinListView>},
    {"richedit", Make<TspDataSkinRichEdit>},
};

}  // namespace

const std::vector<std::string> SkinControlKeywords = [] {
    std::vector<std::string> keywords;
    for (const auto& row : ControlTable)
        keywords.emplace_back(row.Keyword);
    return keywords;
}();

std::unique_ptr<TspDataSkinControl> CreateSkinControl(const std::string& keyword, const std::string& name)
{
    for (const auto& row : ControlTable)
        if (keyword == row.Keyword)
            return row.Create(name);
    return nullptr;
}
