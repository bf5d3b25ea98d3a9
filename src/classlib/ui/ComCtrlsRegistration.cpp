// The published properties of the tab, page, tree, list and header controls
// (ComCtrls*.h) and of the splitter and the control bar (ExtCtrlsBars.h), as
// form descriptions name them. Nodes, columns, items and sections are made
// in code.
#include "classlib/ui/ComCtrls.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/ExtCtrls.h"
#include "classlib/ui/ImgList.h"

namespace {

const TFormEnumTable<TTabPosition> TabPositionNames = {{"tpTop", tpTop}, {"tpBottom", tpBottom}};
const TFormEnumTable<TTabStyle> TabStyleNames = {{"tsTabs", tsTabs}};
const TFormEnumTable<TViewStyle> ViewStyleNames = {
    {"vsIcon", vsIcon}, {"vsSmallIcon", vsSmallIcon}, {"vsList", vsList}, {"vsReport", vsReport}};

void RegisterTabs(TClassRegistry& classes)
{
    classes.Register<TStrings>("TTabStrings", "TStrings");
    classes.Register<TCustomTabControl>("TCustomTabControl", "TWinControl")
        .Factory(nullptr)
        .Object("Tabs", &TCustomTabControl::Tabs)
        .Int("TabIndex", &TCustomTabControl::SetTabIndex)
        .Int("TabHeight", &TCustomTabControl::SetTabHeight)
        .Enum("TabPosition", &TCustomTabControl::SetTabPosition, TabPositionNames)
        .Enum("Style", &TCustomTabControl::SetStyle, TabStyleNames)
        .Bool("MultiLine", &TCustomTabControl::SetMultiLine)
        .Component<TCustomImageList>("Images", &TCustomTabControl::SetImages)
        .Event("OnChange", &TCustomTabControl::OnChange);
    classes.Register<TTabControl>("TTabControl", "TCustomTabControl");
    classes.Register<TPageControl>("TPageControl", "TCustomTabControl")
        .Component<TTabSheet>("ActivePage", &TPageControl::SetActivePage);
    classes.Register<TTabSheet>("TTabSheet", "TWinControl")
        .Bool("TabVisible", &TTabSheet::SetTabVisible)
        .Int("ImageIndex", &TTabSheet::SetImageIndex);
}

void RegisterViews(TClassRegistry& classes)
{
    classes.Register<TCustomTreeView>("TCustomTreeView", "TWinControl")
        .Factory(nullptr)
        .Event("OnExpanded", &TCustomTreeView::OnExpanded)
        .Event("OnCollapsed", &TCustomTreeView::OnCollapsed);
    classes.Register<TTreeView>("TTreeView", "TCustomTreeView");
    classes.Register<TCustomListView>("TCustomListView", "TWinControl")
        .Factory(nullptr)
        .Enum("ViewStyle", &TCustomListView::SetViewStyle, ViewStyleNames)
        .Bool("ShowColumnHeaders", &TCustomListView::SetShowColumnHeaders);
    classes.Register<TListView>("TListView", "TCustomListView");
    classes.Register<THeaderControl>("THeaderControl", "TWinControl")
        .Event("OnSectionClick", &THeaderControl::OnSectionClick);
}

void RegisterBars(TClassRegistry& classes)
{
    classes.Register<TSplitter>("TSplitter", "TGraphicControl")
        .Int("MinSize", &TSplitter::SetMinSize)
        .Event("OnMoved", &TSplitter::OnMoved);
    classes.Register<TCustomControlBar>("TCustomControlBar", "TCustomControl");
}

}  // namespace

void RegisterComCtrlsClasses(TClassRegistry& classes)
{
    RegisterTabs(classes);
    RegisterViews(classes);
    RegisterBars(classes);
}
