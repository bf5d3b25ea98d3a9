// What a skin description says, read into records: the form frame of
// [FORMINFO], the popup and hint windows, and the lists of named areas,
// objects and controls, with the skin's names. The skin data component
// (skin/SkinData.h) is this plus the pictures and the skin-change messages;
// the reading is kept here, free of the platform, so that it runs natively
// and under the fuzzer.
//
// Every skinned element finds its record by name: GetControlIndex,
// GetObjectIndex and GetAreaIndex compare IDName exactly (letter case
// included) and answer the first match, or -1. A caller then tests the
// record's class before it reads class-specific fields.
//
// The reads let EConvertError (a point or rectangle that cannot be
// converted) pass out; whatever was read before it stays in the lists, for
// the caller to clear.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/IniFiles.h"
#include "classlib/core/Types.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinEncodings.h"
#include "skin/core/SkinObjectRecords.h"
#include "skin/core/SkinWindowRecords.h"

class TspSkinDescription {
public:
    TspSkinDescription();
    TspSkinDescription(const TspSkinDescription&) = delete;
    TspSkinDescription& operator=(const TspSkinDescription&) = delete;
    virtual ~TspSkinDescription();

    // [VERSION]; the author fields are read from compressed skins only.
    std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;
    // [CURSORS] "startcursorindex" (stored skins only), never below 1.
    int StartCursorIndex = 1;

    // Owned, always present.
    std::unique_ptr<TspDataSkinPopupWindow> PopupWindow;
    std::unique_ptr<TspDataSkinHintWindow> HintWindow;
    // Owned records in the order of their entries.
    std::vector<std::unique_ptr<TspDataSkinObject>> ObjectList;
    std::vector<std::unique_ptr<TspDataSkinArea>> AreaList;
    std::vector<std::unique_ptr<TspDataSkinControl>> ControlList;

    // The form frame ([FORMINFO]), in pixels of the form picture. After a
    // read, when RBPoint differs from LTPoint in both x and y, the four
    // corner points lie within ClRect.
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
    int BGPictureIndex = -1;
    TRect MaskRectArea;
    TPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    TPoint RollUpLeftPoint, RollUpRightPoint;
    TRect MainMenuRect, IconRect;
    bool MainMenuPopupUp = false;
    int BorderWidth = 0;
    int CursorIndex = -1;
    bool AutoRenderingInActiveImage = false;
    TspInactiveEffect InActiveEffect = ieBrightness;

    int GetControlIndex(const std::string& name) const;
    int GetObjectIndex(const std::string& name) const;
    int GetAreaIndex(const std::string& name) const;

    // Frees the records of the three lists; both windows' WindowPictureIndex
    // becomes -1. Names, the start cursor and the form frame stay.
    void ClearRecords();

    // The description of a stored skin (the caller has made the section
    // check): "skinname", [CURSORS], [FORMINFO], both windows, [SKINAREAS],
    // [SKINOBJECTS], [SKINCONTROLS].
    void ReadStoredDescription(TCustomIniFile& ini);
    // The description of a compressed skin: the five [VERSION] names,
    // [FORMINFO], both windows, [SKINOBJECTS], [SKINCONTROLS]; no cursors,
    // no areas.
    void ReadCompressedDescription(TCustomIniFile& ini);

    void ReadFormInfo(TCustomIniFile& ini);
    // "count" entries "name:l,t,r,b" (at most SkinListLimit); an entry
    // without ":" adds an area with an empty name and rectangle.
    void ReadSkinAreas(TCustomIniFile& ini);
    // "count" entries "section:keyword"; the keyword picks the record class
    // (exact match), the record reads the section; an unknown keyword adds
    // nothing.
    void ReadSkinObjects(TCustomIniFile& ini);
    void ReadSkinControls(TCustomIniFile& ini);
};
