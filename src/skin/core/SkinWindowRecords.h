// The small records beside the control and object records: the named areas
// of [SKINAREAS], the popup-menu window of [POPUPWINDOW] and the hint window
// of [HINTWINDOW]. Plain objects without a writer; LoadFromFile overwrites
// every field with the reading defaults when keys (or the whole section)
// are missing, and lets EConvertError from a point or rectangle pass.
#pragma once

#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/IniFiles.h"
#include "classlib/core/Types.h"

// A named rectangle of the form's skin picture.
class TspDataSkinArea : public TObject {
public:
    TspDataSkinArea(std::string AIDName, const TRect& ARect) : IDName(std::move(AIDName)), AreaRect(ARect) {}
    std::string ClassName() const override { return "TspDataSkinArea"; }

    std::string IDName;
    TRect AreaRect;
};

class TspDataSkinPopupWindow : public TObject {
public:
    std::string ClassName() const override { return "TspDataSkinPopupWindow"; }

    // Reads [POPUPWINDOW].
    void LoadFromFile(TCustomIniFile& IniFile);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    int CursorIndex = -1;
};

class TspDataSkinHintWindow : public TObject {
public:
    std::string ClassName() const override { return "TspDataSkinHintWindow"; }

    // Reads [HINTWINDOW]; a missing "fontheight" reads 14 (the constructor's
    // 12 only holds until the first load).
    void LoadFromFile(TCustomIniFile& IniFile);

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
    TRect ClientRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 12;
    TColor FontColor = 0;
};
