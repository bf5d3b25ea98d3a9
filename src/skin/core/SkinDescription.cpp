#include "skin/core/SkinDescription.h"

#include <algorithm>

namespace {

template <class List>
int IndexOfName(const List& list, const std::string& name)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name)
            return static_cast<int>(i);
    return -1;
}

// An entry "before:after", split at the first ":"; without one both parts
// are empty.
void SplitEntry(const std::string& entry, std::string& before, std::string& after)
{
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
        before.clear();
        after.clear();
        return;
    }
    before = entry.substr(0, colon);
    after = entry.substr(colon + 1);
}

// The records of a counted section, made by `create` from each entry's
// keyword, each reading its own section.
template <class List, class Create>
void ReadRecordList(TCustomIniFile& ini, const char* section, List& list, Create create)
{
    const int count = ReadListCount(ini, section, "count");
    std::string name, keyword;
    for (int i = 0; i < count; ++i) {
        SplitEntry(ini.ReadString(section, std::to_string(i), ""), name, keyword);
        auto record = create(keyword, name);
        if (record == nullptr)
            continue;
        list.push_back(std::move(record));
        list.back()->LoadFromFile(ini);
    }
}

}  // namespace

TspSkinDescription::TspSkinDescription()
    : PopupWindow(std::make_unique<TspDataSkinPopupWindow>()),
      HintWindow(std::make_unique<TspDataSkinHintWindow>())
{
}

TspSkinDescription::~TspSkinDescription() = default;

int TspSkinDescription::GetControlIndex(const std::string& name) const
{
    return IndexOfName(ControlList, name);
}

int TspSkinDescription::GetObjectIndex(const std::string& name) const
{
    return IndexOfName(ObjectList, name);
}

int TspSkinDescription::GetAreaIndex(const std::string& name) const
{
    return IndexOfName(AreaList, name);
}

void TspSkinDescription::ClearRecords()
{
    ObjectList.clear();
    AreaList.clear();
    ControlList.clear();
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
}

void TspSkinDescription::ReadStoredDescription(TCustomIniFile& ini)
{
    SkinName = ini.ReadString("VERSION", "skinname", "");
    StartCursorIndex = std::max(ini.ReadInteger("CURSORS", "startcursorindex", 1), 1);
    ReadFormInfo(ini);
    PopupWindow->LoadFromFile(ini);
    HintWindow->LoadFromFile(ini);
    ReadSkinAreas(ini);
    ReadSkinObjects(ini);
    ReadSkinControls(ini);
}

void TspSkinDescription::ReadCompressedDescription(TCustomIniFile& ini)
{
    SkinName = ini.ReadString("VERSION", "skinname", "");
    SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
    AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
    AuthorURL = ini.ReadString("VERSION", "authorurl", "");
    SkinComments = ini.ReadString("VERSION", "skincomments", "");
    ReadFormInfo(ini);
    PopupWindow->LoadFromFile(ini);
    HintWindow->LoadFromFile(ini);
    ReadSkinObjects(ini);
    ReadSkinControls(ini);
}

void TspSkinDescription::ReadFormInfo(TCustomIniFile& ini)
{
    const char* const section = "FORMINFO";
    LTPoint = ReadPoint(ini, section, "lefttoppoint");
    RTPoint = ReadPoint(ini, section, "righttoppoint");
    LBPoint = ReadPoint(ini, section, "leftbottompoint");
    RBPoint = ReadPoint(ini, section, "rightbottompoint");
    ClRect = ReadRect(ini, section, "clientrect");
    BGPictureIndex = ini.ReadInteger(section, "bgpictureindex", -1);
    MaskRectArea = ReadRect(ini, section, "maskrectarea");
    HitTestLTPoint = ReadPoint(ini, section, "hittestlefttoppoint");
    HitTestRTPoint = ReadPoint(ini, section, "hittestrighttoppoint");
    HitTestLBPoint = ReadPoint(ini, section, "hittestleftbottompoint");
    HitTestRBPoint = ReadPoint(ini, section, "hittestrightbottompoint");
    RollUpLeftPoint = ReadPoint(ini, section, "rollupleftpoint");
    RollUpRightPoint = ReadPoint(ini, section, "rolluprightpoint");
    MainMenuRect = ReadRect(ini, section, "mainmenurect");
    IconRect = ReadRect(ini, section, "iconrect");
    MainMenuPopupUp = ReadBoolean(ini, section, "mainmenupopupup");
    BorderWidth = ini.ReadInteger(section, "borderwidth", 0);
    CursorIndex = ini.ReadInteger(section, "cursorindex", -1);
    AutoRenderingInActiveImage = ReadBoolean(ini, section, "autorenderinginactiveimage");
    InActiveEffect = ReadInactiveEffect(ini, section, "inactiveeffect");

    // The corners of a frame that has them are pulled into the client
    // rectangle, so that a frame piece never reaches across it.
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint = TPoint{std::max(LTPoint.X, ClRect.Left), std::max(LTPoint.Y, ClRect.Top)};
        RTPoint = TPoint{std::min(RTPoint.X, ClRect.Right), std::max(RTPoint.Y, ClRect.Top)};
        LBPoint = TPoint{std::max(LBPoint.X, ClRect.Left), std::min(LBPoint.Y, ClRect.Bottom)};
        RBPoint = TPoint{std::min(RBPoint.X, ClRect.Right), std::min(RBPoint.Y, ClRect.Bottom)};
    }
}

void TspSkinDescription::ReadSkinAreas(TCustomIniFile& ini)
{
    const int count = ReadListCount(ini, "SKINAREAS", "count");
    std::string name, rectText;
    for (int i = 0; i < count; ++i) {
        const std::string entry = ini.ReadString("SKINAREAS", std::to_string(i), "");
        SplitEntry(entry, name, rectText);
        const TRect rect = entry.find(':') == std::string::npos ? TRect{} : TextToRect(rectText);
        AreaList.push_back(std::make_unique<TspDataSkinArea>(name, rect));
    }
}

void TspSkinDescription::ReadSkinObjects(TCustomIniFile& ini)
{
    ReadRecordList(ini, "SKINOBJECTS", ObjectList, CreateSkinObject);
}

void TspSkinDescription::ReadSkinControls(TCustomIniFile& ini)
{
    ReadRecordList(ini, "SKINCONTROLS", ControlList, CreateSkinControl);
}
