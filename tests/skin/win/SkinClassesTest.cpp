// The skinned classes: read from a form description; every skinned control
// of the periphery on one form, once with a test skin that has all their
// records and once without a skin (each finds its record or draws its plain
// look, the form shows and paints without an error, and a skin change
// reaches every control through ISkinChangeable); the windowless skinned
// control's see-through look.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../../classlib/win/StdCtrlsTestSupport.h"
#include "../../classlib/win/UiTestSupport.h"
#include "SkinTestSheet.h"
#include "classlib/core/FormHandlers.h"
#include "classlib/core/FormReader.h"
#include "classlib/ui/Forms.h"
#include "skin/SkinStandIns.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinLabels.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSplitterBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinViews.h"
#include "skin/SkinHint.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinPopupMenu.h"
#include "skin/forms/TrayIcon.h"

namespace {

// A one-image ICO file in hex: 16 x 16, 32 bits, all RGB(0, 100, 200).
std::string IconFile16()
{
    std::vector<uint8_t> b = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 104, 4, 0, 0, 22, 0, 0, 0,
                              40, 0, 0, 0, 16, 0, 0, 0, 32, 0, 0, 0, 1, 0, 32, 0};
    b.resize(22 + 40);
    for (int i = 0; i < 256; ++i)
        b.insert(b.end(), {200, 100, 0, 255});
    b.resize(b.size() + 64);  // the mask: all opaque
    std::string hex;
    for (const uint8_t byte : b)
        hex += "0123456789ABCDEF"[byte >> 4], hex += "0123456789ABCDEF"[byte & 15];
    return hex;
}

// The skinned classes are read from a description with their skin link and
// a property of their own (an unregistered property would fail the read); a
// link to another component and nesting are resolved. The std and button
// labels, page control, tree and list view, which the program's forms do
// not name, are made by the gallery below.
TEST(SkinClassesTest, EverySkinnedClassIsReadWithItsSkinLinkAndOwnProperties)
{
    RegisterSkinClasses();
    const struct {
        const char* Name;
        const char* Class;
        const char* Property;
    } classes[] = {{"Bar1", "TspSkinScrollBar", "Kind = sbVertical"},
                   {"Memo1", "TspSkinMemo", "VScrollBar = Bar1"},
                   {"Edit1", "TspSkinCustomEdit", "ButtonMode = True"},
                   {"Button1", "TspSkinButton", "GroupIndex = 2"},
                   {"Control1", "TspSkinControl", "SkinDataName = 'plate'"},
                   {"Graphic1", "TspGraphicSkinControl", "TransparentValue = 30"},
                   {"Custom1", "TspSkinCustomControl", "DefaultWidth = 33"},
                   {"Link1", "TspSkinLinkLabel", "URL = 'mailto:someone'"},
                   {"Text1", "TspSkinTextLabel", "WordWrap = True"},
                   {"UpDown1", "TspSkinUpDown", "Increment = 5"},
                   {"Split1", "TspSkinSplitter", "DefaultSize = 7"},
                   {"CBar1", "TspSkinControlBar", "SkinBevel = True"},
                   {"Tabs1", "TspSkinTabControl", "DefaultItemHeight = 24"},
                   {"Header1", "TspSkinHeaderControl", "UseSkinFont = False"},
                   {"Panel1", "TspSkinPanel", "object GroupBox1: TspSkinGroupBox\n      SkinData = Skin1\n    end"}};
    std::string text = "object F: TForm\n  object Skin1: TspSkinData\n  end\n";
    for (const auto& c : classes)
        text += std::string("  object ") + c.Name + ": " + c.Class + "\n    SkinData = Skin1\n    " + c.Property +
                "\n  end\n";
    TForm form(nullptr);
    TFormReader().ReadInto(text + R"(  object Popup1: TspSkinPopupMenu
    SkinData = Skin1
    AutoPopup = False
    object Item1: TMenuItem
      Caption = 'One'
    end
  end
  object Hint1: TspSkinHint
    SkinData = Skin1
    Active = False
    TransparentValue = 30
  end
  object Tray1: TspTrayIcon
    Icon.Data = {)" + IconFile16() + R"(}
  end
end)",
                           form);
    auto* skin = dynamic_cast<TspSkinData*>(form.FindComponent("Skin1"));
    ASSERT_NE(skin, nullptr);
    for (const auto& c : classes) {
        TComponent* component = form.FindComponent(c.Name);
        ASSERT_NE(component, nullptr) << c.Name;
        EXPECT_EQ(component->ClassName(), c.Class);
        auto* skinned = dynamic_cast<ISkinChangeable*>(component);
        ASSERT_NE(skinned, nullptr) << c.Name << " is reached by a skin change";
        EXPECT_EQ(skinned->SkinData(), skin) << c.Name;
    }
    EXPECT_EQ(dynamic_cast<ISkinChangeable*>(form.FindComponent("GroupBox1"))->SkinData(), skin);
    EXPECT_EQ(dynamic_cast<TspSkinMemo*>(form.FindComponent("Memo1"))->VScrollBar(), form.FindComponent("Bar1"));
    EXPECT_EQ(dynamic_cast<TControl*>(form.FindComponent("GroupBox1"))->Parent(), form.FindComponent("Panel1"));
    auto* popup = dynamic_cast<TspSkinPopupMenu*>(form.FindComponent("Popup1"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->SkinData(), skin);
    EXPECT_FALSE(popup->AutoPopup);
    EXPECT_EQ(popup->Items()->Count(), 1);
    auto* hint = dynamic_cast<TspSkinHint*>(form.FindComponent("Hint1"));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(std::tuple(hint->SkinData(), hint->Active(), hint->TransparentValue), std::tuple(skin, false, 30));
    // The description's 16 x 16 picture, not the application's icon.
    TIcon* icon = dynamic_cast<TspTrayIcon*>(form.FindComponent("Tray1"))->Icon();
    EXPECT_EQ(icon->Width(), 16);
    TBitmap drawn;
    drawn.SetSize(16, 16);
    DrawIconEx(drawn.Canvas()->Handle(), 0, 0, icon->Handle(), 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(static_cast<COLORREF>(drawn.Canvas()->Pixels(5, 5)), RGB(0, 100, 200));
    delete skin;  // the free notification clears the link (the controls': the gallery)
    EXPECT_EQ(popup->SkinData(), nullptr);
}

// Every property each skinned class publishes is read from a description,
// events bound to handlers of their types, links to the components named
// before it; a property missing from a registration fails the class by the
// property's name.
TEST(SkinClassesTest, EveryPublishedPropertyIsReadFromADescription)
{
    RegisterSkinClasses();
    // A one-pixel bitmap file.
    const std::string glyphData = "Glyph = {424D3A000000000000003600000028000000010000000100000001001800000000000400"
                                  "0000000000000000000000000000000000000000FF00}";
    const std::string control = "|Anchors = [akLeft, akTop]|Visible = True|DrawDefault = True|SkinData = Skin1"
                                "|AreaName = 'A'|SkinDataName = 'none'|OnMouseEnter = Notify|OnMouseLeave = Notify"
                                "|Transparent = False|TransparentValue = 50|UseSkinCursor = False";
    const std::string custom = control + "|TabOrder = 0|DefaultFont.Name = 'Arial'|UseSkinFont = True"
                                         "|DefaultWidth = 0|DefaultHeight = 0";
    const std::string keysAndMouse = "|OnClick = Notify|OnMouseDown = Mouse|OnMouseMove = MouseMove"
                                     "|OnMouseUp = Mouse|OnResize = Notify|OnKeyDown = Key|OnKeyPress = KeyPress"
                                     "|OnKeyUp = Key|TabStop = False|Align = alNone"
                                     "|OnMouseWheel = Wheel|OnMouseWheelDown = Notch|OnMouseWheelUp = Notch";
    const std::string dragAndDock = "|DockSite = True|DragCursor = crDrag|DragKind = dkDock|DragMode = dmManual"
                                    "|ParentShowHint = False|PopupMenu = Popup1|ShowHint = True|OnDblClick = Notify"
                                    "|OnDragDrop = DragDrop|OnDragOver = DragOver|OnEndDrag = EndDrag"
                                    "|OnStartDrag = Notify|OnStartDock = Notify|OnEndDock = EndDrag"
                                    "|OnGetSiteInfo = SiteInfo|OnDockOver = DockOver|OnDockDrop = DockDrop"
                                    "|OnUnDock = UnDock";
    const std::string label = "|UseSkinFont = True|DefaultFont.Height = 14|SkinData = Skin1|SkinDataName = 'stdlabel'";
    const std::string accelLabel = label + "|FocusControl = Bar1|ShowAccelChar = True";
    const std::string panel = custom + keysAndMouse + dragAndDock + "|" + glyphData +
                              "|NumGlyphs = 1|Spacing = 2|DefaultAlignment = taLeftJustify|DefaultCaptionHeight = 22"
                              "|BorderStyle = bvRaised|CaptionMode = False|RollUpMode = False|RollUpState = False"
                              "|Caption = 'P'|Enabled = True|OnEnter = Notify|OnExit = Notify";
    const std::string views = "|SkinData = Skin1|SkinDataName = 'none'|DefaultFont.Height = 14|DefaultColor = clWindow"
                              "|VScrollBar = Bar1|HScrollBar = Bar1";
    const std::string mouse = "|OnClick = Notify|OnMouseDown = Mouse|OnMouseMove = MouseMove|OnMouseUp = Mouse";
    const std::string notify = "|OnChangeSkinData = Notify|OnActivate = Notify|OnDeActivate = Notify"
                               "|OnSkinMenuOpen = Notify|OnSkinMenuClose = Notify|OnChangeRollUpState = Notify"
                               "|OnMainMenuEnter = Notify|OnMainMenuExit = Notify|OnMinimizeToTray = Notify"
                               "|OnRestoreFromTray = Notify";
    const struct {
        const char* Class;
        std::string Properties;
        std::string Others = "";  // components it links to
    } classes[] = {
        {"TspSkinControl", control + "|TabOrder = 0"},
        {"TspGraphicSkinControl", control},
        {"TspSkinCustomControl", custom},
        {"TspSkinButton", custom + keysAndMouse + "|AllowAllUp = False|PopupMenu = Popup1|ShowHint = True"
                                   "|CanFocused = False|Action = Act1|Down = False|GroupIndex = 0|Caption = 'B'|" +
                              glyphData +
                              "|NumGlyhps = 1|Margin = -1|Spacing = 1|Layout = blGlyphLeft|Enabled = True"
                              "|Cancel = False|Default = False|ModalResult = mrNone"},
        {"TspSkinPanel", panel},
        {"TspSkinGroupBox", panel},
        {"TspSkinScrollBar", custom + keysAndMouse + "|Both = False|BothMarkerWidth = 0|BothSkinDataName = 'b'"
                                     "|CanFocused = False|Kind = sbVertical|PageSize = 0|Min = 0|Max = 10"
                                     "|Position = 1|SmallChange = 1|LargeChange = 1|OnChange = Notify"
                                     "|OnUpButtonClick = Notify|OnDownButtonClick = Notify|OnLastChange = Notify"},
        {"TspSkinUpDown", custom + "|Orientation = udVertical|Increment = 1|Position = 0|Min = 0|Max = 10"
                                   "|OnChange = Notify|OnUpButtonClick = Notify|OnDownButtonClick = Notify"},
        {"TspSkinStdLabel", accelLabel},
        {"TspSkinTextLabel", label + "|Lines.Strings = ('a')"},
        {"TspSkinLinkLabel", accelLabel + "|DefaultActiveFontColor = clRed|URL = 'u'"},
        {"TspSkinButtonLabel", label + "|" + glyphData +
                                   "|NumGlyphs = 1|Margin = -1|Spacing = 1|Layout = blGlyphTop"
                                   "|DefaultActiveFontColor = clRed"},
        {"TspSkinPageControl", "|SkinData = Skin1|SkinDataName = 'tab'|DefaultFont.Height = 14|DefaultItemHeight = 20"},
        {"TspSkinTabControl", "|SkinData = Skin1|SkinDataName = 'tab'|DefaultFont.Height = 14|DefaultItemHeight = 20"},
        {"TspSkinMemo", "|DefaultFont.Height = 14|UseSkinFont = True|BitMapBG = False|VScrollBar = Bar1"
                        "|SkinData = Skin1|SkinDataName = 'memo'|Transparent = False|TransparentValue = 50"
                        "|ReadOnly = False|Lines.Strings = ('a')|Alignment = taLeftJustify|WordWrap = True"
                        "|WantReturns = True|WantTabs = False|MaxLength = 0|HideSelection = True"
                        "|OEMConvert = False|Font.Height = 14|Enabled = True|Align = alNone"},
        {"TspSkinCustomTreeView", views},
        {"TspSkinCustomListView", views},
        {"TspSkinHeaderControl", "|SkinData = Skin1|SkinDataName = 'header'|DefaultFont.Height = 14"
                                 "|UseSkinFont = True"},
        {"TspSkinSplitter", "|SkinData = Skin1|SkinDataName = 'vsplitter'|DefaultSize = 10"},
        {"TspSkinControlBar", "|SkinData = Skin1|SkinDataName = 'controlbar'|SkinBevel = False"},
        {"TspSkinData", "|StoredSkin = Stored1|CompressedStoredSkin = Packed1",
         "|object Stored1: TspStoredSkin|end|object Packed1: TspCompressedStoredSkin|end"},
        {"TspStoredSkin", "|FileName = 's.ini'|IniStrings.Strings = ('[VERSION]')|Pictures = {0101010100000000}"},
        {"TspCompressedStoredSkin", "|FileName = 's.skn'|CompressedData = {00}"},
        {"TspSkinHint", "|DefaultFont.Height = 14|UseSkinFont = True|AlphaBlendSupport = False|Transparent = False"
                        "|TransparentValue = 50|SkinData = Skin1|Active = False|OnShowHint = ShowHint"},
        {"TspDynamicSkinForm",
         "|SkinHint = Hint1|ShowObjectHint = False|UseSkinCursors = False|DefCaptionFont.Height = 14|TrayIcon = Tray1"
         "|DefInActiveCaptionFont.Height = 14|DefMenuItemHeight = 20|DefMenuItemFont.Height = 14|MinHeight = 0"
         "|UseDefaultSysMenu = True|MainMenuBar = MenuBar1|SupportNCArea = True|AlphaBlendSupport = False|MinWidth = 0"
         "|AlphaBlendValue = 0|AlphaBlend = False|MenusTransparent = False|MenusTransparentValue = 20|Magnetic = False"
         "|MainMenu = Menu1|SystemMenu = Popup1|SkinData = Skin1|MenusSkinData = Skin1|Sizeable = True|MagneticSize = 9"
         "|DraggAble = False|BorderIcons = [biRollUp]|OnChangeClientRect = ClientRect|OnMouseEnterEvent = Name"
         "|OnMouseDownEvent = ObjectMouse|OnMouseUpEvent = ObjectMouse|OnMouseMoveEvent = ObjectMove|OnPaintEvent = P"
         "|OnMouseLeaveEvent = Name|OnSwitchChangeStateEvent = Switch|OnTrackBarChangeValueEvent = Value"
         "|OnFrameRegulatorChangeValueEvent = Value" + notify,
         "|object Menu1: TspSkinMainMenu|end|object Hint1: TspSkinHint|Active = False|end"
         "|object Tray1: TspTrayIcon|end|object MenuBar1: TspSkinMainMenuBar|end"},
        {"TspSkinMainMenu", "|SkinData = Skin1"},
        {"TspSkinMainMenuBar", "|DefItemFont.Height = 14|DefaultWidth = 0|DefaultHeight = 22|PopupToUp = False"
                               "|DynamicSkinForm = Form1|MainMenu = Menu1|Anchors = [akLeft]|Visible = True"
                               "|Enabled = True|OnMainMenuItemClick = Name|OnMouseEnter = Notify" + mouse +
                                   "|OnMouseLeave = Notify",
         "|object Menu1: TMainMenu|end|object Form1: TspDynamicSkinForm|end"},
        {"TspSkinPopupMenu", "|SkinData = Skin1"},
        {"TspTrayIcon", "|Icon.Data = {" + IconFile16() +
                            "}|IconVisible = False|Hint = 'h'|ShowHint = True|Enabled = True|IconList = Images1"
                            "|IconIndex = 0|CycleIcons = False|AnimateTimerInterval = 0|PopupMenu = Popup1"
                            "|PopupByLeftButton = False|MinimizedOnStart = False|MinimizeToTray = False"
                            "|DesignPreview = False|OnDblClick = Notify|OnCycle = Cycle" + mouse},
    };
    TFormHandlers handlers;
    handlers.Add<TNotifyEvent>("Notify", [](TObject*) {});
    handlers.Add<TMouseEvent>("Mouse", [](TObject*, TMouseButton, TShiftState, int, int) {});
    handlers.Add<TMouseMoveEvent>("MouseMove", [](TObject*, TShiftState, int, int) {});
    handlers.Add<TKeyEvent>("Key", [](TObject*, WORD&, TShiftState) {});
    handlers.Add<TKeyPressEvent>("KeyPress", [](TObject*, char&) {});
    handlers.Add<TMouseWheelEvent>("Wheel", [](TObject*, TShiftState, int, TPoint, bool&) {});
    handlers.Add<TMouseWheelUpDownEvent>("Notch", [](TObject*, TShiftState, TPoint, bool&) {});
    handlers.Add<TDragOverEvent>("DragOver", [](TObject*, TObject*, int, int, TDragState, bool&) {});
    handlers.Add<TDragDropEvent>("DragDrop", [](TObject*, TObject*, int, int) {});
    handlers.Add<TEndDragEvent>("EndDrag", [](TObject*, TObject*, int, int) {});
    handlers.Add<TGetSiteInfoEvent>("SiteInfo", [](TObject*, TControl*, RECT&, POINT, bool&) {});
    handlers.Add<TDockOverEvent>("DockOver", [](TObject*, TDragDockObject*, int, int, TDragState, bool&) {});
    handlers.Add<TDockDropEvent>("DockDrop", [](TObject*, TDragDockObject*, int, int) {});
    handlers.Add<TUnDockEvent>("UnDock", [](TObject*, TControl*, TWinControl*, bool&) {});
    handlers.Add<TShowHintEvent>("ShowHint", [](std::string&, bool&, THintInfo&) {});
    handlers.Add<TspTrayIcon::TCycleEvent>("Cycle", [](TObject*, int) {});
    using D = TspDynamicSkinForm;
    handlers.Add<D::TChangeClientRectEvent>("ClientRect", [](const TRect&) {});
    handlers.Add<D::TMouseEnterEvent>("Name", [](const std::string&) {});
    handlers.Add<D::TMouseDownEvent>("ObjectMouse", [](const std::string&, int, int, const TRect&, TMouseButton) {});
    handlers.Add<D::TMouseMoveEvent>("ObjectMove", [](const std::string&, int, int, const TRect&) {});
    handlers.Add<D::TPaintEvent>("P", [](const std::string&, TCanvas*, const TRect&) {});
    handlers.Add<D::TSwitchChangeStateEvent>("Switch", [](const std::string&, TSwitchState) {});
    handlers.Add<D::TTrackBarChangeValueEvent>("Value", [](const std::string&, int) {});
    const auto lines = [](const std::string& items, const std::string& indent) {
        std::string text;
        for (std::string::size_type start = 1, end; start <= items.size(); start = end + 1) {
            end = std::min(items.find('|', start), items.size());
            text += indent + items.substr(start, end - start) + "\n";
        }
        return text;
    };
    for (const auto& c : classes) {
        std::string text = "object F: TForm\n  object Skin1: TspSkinData\n  end\n  object Popup1: TPopupMenu\n  end\n"
                           "  object Images1: TImageList\n  end\n  object List1: TActionList\n    Images = Images1\n"
                           "    object Act1: TAction\n      ImageIndex = 0\n    end\n  end\n"
                           "  object Bar1: TspSkinScrollBar\n  end\n" +
                           lines(c.Others, "  ") + "  object C: " + c.Class + "\n" + lines(c.Properties, "    ");
        TForm form(nullptr);
        TFormReader reader;
        reader.Handlers = &handlers;
        EXPECT_EQ(uitest::MessageOf<Exception>([&] { reader.ReadInto(text + "  end\nend\n", form); }),
                  "(no exception)")
            << c.Class;
    }
}

// A windowless skinned control of one solid colour.
struct TSolidGraphic : TspGraphicSkinControl {
    using TspGraphicSkinControl::TspGraphicSkinControl;
    void CreateControlDefaultImage(TBitmap* B) override
    {
        B->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(0, 0, 200)));
        B->Canvas()->FillRect(RECT{0, 0, B->Width(), B->Height()});
    }
};

TEST(SkinClassesTest, WindowlessSkinnedControlBlendsWithWhatLiesBehindAndRepaintsWhenMoved)
{
    TForm form(nullptr);
    form.SetColor(static_cast<TColor>(RGB(200, 0, 0)));
    form.SetBounds(0, 0, 200, 150);
    form.Show();
    auto* graphic = new TSolidGraphic(&form);
    graphic->SetParent(&form);
    graphic->SetBounds(10, 10, 40, 30);
    EXPECT_TRUE(skintest::Near(skintest::Painted(graphic, 20, 15), RGB(0, 0, 200))) << "opaque";
    graphic->SetTransparent(true);
    graphic->SetTransparentValue(25);
    EXPECT_TRUE(skintest::Near(skintest::Painted(graphic, 20, 15), RGB(50, 0, 150))) << "a quarter of the form";

    // A see-through control moved shows its new ground at once.
    UpdateWindow(form.Handle());
    graphic->SetBounds(60, 10, 40, 30);
    RECT update{};
    EXPECT_FALSE(GetUpdateRect(form.Handle(), &update, FALSE)) << "painted, nothing left pending";
}

// Twelve 20 x 20 cells of distinct colours; every record takes its own.
TDibImage Picture()
{
    TDibImage sheet = skintest::Blank(240, 20);
    for (int i = 0; i < 12; ++i)
        skintest::Fill(sheet, i * 20, 0, i * 20 + 20, 20, RGB(20 * i, 255 - 20 * i, (i * 97) % 256));
    return sheet;
}

std::string Cell(int i)
{
    return std::to_string(i * 20) + ",0," + std::to_string(i * 20 + 20) + ",20";
}

std::string GallerySkin()
{
    const std::vector<std::string> names = {"hscrollbar:scrollbar", "vscrollbar:scrollbar",
                                            "bothhscrollbar:scrollbar", "updown:updown", "stdlabel:stdlabel",
                                            "tab:tab", "edit:edit", "memo:memo", "treeview:treeview",
                                            "listview:listview", "header:header", "vsplitter:splitter",
                                            "controlbar:controlbar"};
    std::string text = "[VERSION]\nskinname=gallery\n[PICTURES]\nactivepicturescount=1\n[FORMINFO]\n"
                       "bgpictureindex=-1\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=" +
                       std::to_string(names.size()) + "\n";
    for (size_t i = 0; i < names.size(); ++i)
        text += std::to_string(i) + "=" + names[i] + "\n";
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string name = names[i].substr(0, names[i].find(':'));
        const int cell = static_cast<int>(i % 12);
        text += "[" + name + "]\npictureindex=0\nskinrect=" + Cell(cell) + "\nclientrect=2,2,18,18\n" +
                "tabrect=" + Cell(cell) + "\ntrackarea=2,0,18,20\nthumbrect=" + Cell((cell + 1) % 12) +
                "\nupbuttonrect=" + Cell(cell) + "\ndownbuttonrect=" + Cell(cell) + "\nitemrect=" + Cell(cell) +
                "\nfontcolor=255\n";
    }
    return text;
}

// The record index a skinned control found by its name.
template <class T>
int RecordIndex(T* control)
{
    if constexpr (requires { control->Skin.FIndex; })
        return control->Skin.FIndex;  // the labels
    else if constexpr (requires { control->SkinIndex(); })
        return control->SkinIndex();
    else
        return control->FIndex;
}

class SkinGalleryTest : public uitest::UiTest {};

TEST_F(SkinGalleryTest, EveryControlShowsSkinnedAndPlainAndFollowsASkinChange)
{
    skintest::TTestSkin skin(GallerySkin(), {Picture()});
    TForm* form = MakeForm(760, 420, false);
    std::vector<ISkinChangeable*> skinned;
    std::vector<std::pair<std::string, std::function<int()>>> indexes;
    for (const int column : {0, 1}) {
        TspSkinData* data = column == 0 ? skin.Data.get() : nullptr;
        const int x = column * 380;
        const auto add = [&](auto* control, int left, int top, int width, int height) {
            control->SetBounds(x + left, top, width, height);
            control->SetParent(form);
            control->SetSkinData(data);
            if (column == 0) {
                skinned.push_back(control);
                indexes.emplace_back(control->ClassName(), [control] { return RecordIndex(control); });
            }
            return control;
        };
        auto* bar = add(new TspSkinScrollBar(form), 10, 10, 150, 20);
        bar->SkinDataName = "hscrollbar";
        bar->ChangeSkinData();
        add(new TspSkinUpDown(form), 170, 10, 40, 20)->SkinDataName = "updown";
        add(new TspSkinStdLabel(form), 220, 10, 60, 20)->SetCaption("Label");
        add(new TspSkinLinkLabel(form), 290, 10, 60, 20)->SetCaption("Link");
        auto* text = add(new TspSkinTextLabel(form), 10, 40, 100, 40);
        text->Lines()->Add("Text label");
        add(new TspSkinButtonLabel(form), 120, 40, 80, 30)->SetCaption("Button");
        auto* tabs = add(new TspSkinPageControl(form), 10, 90, 200, 100);
        for (const char* caption : {"One", "Two"}) {
            auto* sheet = new TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(tabs);
        }
        add(new TspSkinCustomEdit(form), 220, 90, 140, 20)->SetText("Edit");
        auto* memo = add(new TspSkinMemo(form), 220, 120, 120, 70);
        auto* memoBar = new TspSkinScrollBar(form);
        memoBar->SetKind(sbVertical);
        memoBar->SetBounds(x + 342, 120, 20, 70);
        memoBar->SetParent(form);
        memo->SetVScrollBar(memoBar);
        memo->Lines()->Add("Memo");
        auto* tree = add(new TspSkinCustomTreeView(form), 10, 200, 150, 100);
        tree->Items()->Add(nullptr, "Tree node");
        auto* list = add(new TspSkinCustomListView(form), 170, 200, 190, 100);
        list->Items()->Add()->SetCaption("List item");
        auto* header = add(new TspSkinHeaderControl(form), 10, 310, 350, 20);
        header->Sections()->Add()->SetText("Header");
        auto* barHost = add(new TspSkinControlBar(form), 10, 340, 300, 60);
        auto* band = new TControl(barHost);
        band->SetBounds(0, 0, 60, 20);
        band->SetParent(barHost);
        add(new TspSkinSplitter(form), 320, 340, 10, 60)->SetAlign(alNone);
    }
    form->Show();
    Drain();
    {
        // The skinned scroll bar shows its record's cell, the plain one its
        // default face.
        const uitest::TWindowShot shot(form->Handle());
        EXPECT_TRUE(skintest::Near(shot.Pixel(11, 20), RGB(0, 255, 0)));
        EXPECT_TRUE(skintest::Near(shot.Pixel(380 + 100, 20), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE))));
    }
    EXPECT_TRUE(Errors.empty()) << (Errors.empty() ? "" : Errors.front());
    // Every skinned control found its record by name.
    for (const auto& [name, index] : indexes)
        EXPECT_GE(index(), 0) << name;
    // The skinned form's walk: forget the records, the skin goes, take the change.
    for (ISkinChangeable* control : skinned)
        control->BeforeChangeSkinData();
    skin.Data.reset();
    for (ISkinChangeable* control : skinned) {
        EXPECT_EQ(control->SkinData(), nullptr);
        control->ChangeSkinData();
    }
    Drain();
    const uitest::TWindowShot after(form->Handle());
    EXPECT_TRUE(skintest::Near(after.Pixel(11, 20), after.Pixel(380 + 11, 20))) << "both columns plain now";
    EXPECT_TRUE(Errors.empty());
}

}  // namespace
