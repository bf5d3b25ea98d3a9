#include "skin/core/SkinWindowRecords.h"

#include "skin/core/SkinRecordIO.h"

namespace {

// The keys both windows share, in their common order.
template <class W>
void ExchangeFrame(TspSkinRecordIO& io, W& window)
{
    io.Int("windowpictureindex", window.WindowPictureIndex, -1);
    io.Int("maskpictureindex", window.MaskPictureIndex, -1);
    io.Point("lefttoppoint", window.LeftTopPoint);
    io.Point("righttoppoint", window.RightTopPoint);
    io.Point("leftbottompoint", window.LeftBottomPoint);
    io.Point("rightbottompoint", window.RightBottomPoint);
}

}  // namespace

void TspDataSkinPopupWindow::LoadFromFile(TCustomIniFile& IniFile)
{
    TspSkinRecordIO io(IniFile, "POPUPWINDOW", true);
    ExchangeFrame(io, *this);
    io.Rect("itemsrect", ItemsRect);
    io.Color("scrollmarkercolor", ScrollMarkerColor);
    io.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
    io.Int("cursorindex", CursorIndex, -1);
}

void TspDataSkinHintWindow::LoadFromFile(TCustomIniFile& IniFile)
{
    TspSkinRecordIO io(IniFile, "HINTWINDOW", true);
    ExchangeFrame(io, *this);
    io.Rect("clientrect", ClientRect);
    ExchangeFontGroup(io, "", FontName, FontStyle, FontHeight, FontColor);
}
