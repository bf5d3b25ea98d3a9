// The skinned page and tab controls: the class library's tab logic, with
// the frame, the tab row and every tab drawn by the control itself from the
// skin record "tab" (a TspDataSkinTabControl) or in a plain look. The page
// area and the tab rectangles are the control's own answers to
// TCM_ADJUSTRECT and TCM_GETITEMRECT (offsets from the window's answers),
// so the class library's layout places the pages by them. When the tabs do
// not fit, the window's own up-down is destroyed and a TspSkinUpDown
// scrolls the tab row instead.
#pragma once

#include <memory>
#include <string>

#include "classlib/ui/ComCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"

template <class Base>
class TspSkinTabsT : public TspSkinLinkT<Base> {
public:
    explicit TspSkinTabsT(TComponent* owner);
    ~TspSkinTabsT() override;

    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    // The frame, the tab row and every tab; the windowless children are
    // painted over them afterwards, as on any window of the class library.
    void PaintWindow(HDC dc) override { PaintTabs(dc); }

    TFont* DefaultFont() const { return FDefaultFont.get(); }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    void SetDefaultItemHeight(int value);
    // The skinned up-down that scrolls the tabs; null while they all fit.
    TspSkinUpDown* UpDown() const { return FUpDown; }
    int HotTab() const { return FHotTab; }
    // Destroys the window's own up-down and makes, keeps or frees the
    // skinned one by the number of tabs out of sight.
    void CheckTabScrolling();

    int FIndex = -1;
    std::string SkinDataName = "tab";

protected:
    // A new link is taken only when it holds a loaded skin.
    void SkinDataChanged() override;
    void WndProc(TMessage& message) override;
    void Change() override;

private:
    void GetSkinData();
    void PaintTabs(HDC dc);
    void DrawTab(TCanvas* canvas, int index, const RECT& rect);
    int TabAt(int x, int y);
    int ScrolledOffCount();

    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultItemHeight = 20;
    TspSkinUpDown* FUpDown = nullptr;  // owned by the control as its component
    int FHotTab = -1;
    TBitmap* FPicture = nullptr;
    TBitmap* FBgPicture = nullptr;
    TRect FSkinRect, FClRect, FTabRect, FActiveTabRect, FFocusTabRect, FMouseInTabRect, FTabsBgRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    int FTabLeftOffset = 0, FTabRightOffset = 0;
    std::string FFontName;
    TFontStyles FFontStyle = 0;
    int FFontHeight = 0;
    TColor FFontColor = 0, FActiveFontColor = 0, FFocusFontColor = 0, FMouseInFontColor = 0;
    std::string FUpDownName;
};

class TspSkinTabControl : public TspSkinTabsT<TCustomTabControl> {
public:
    using TspSkinTabsT::TspSkinTabsT;
    std::string ClassName() const override { return "TspSkinTabControl"; }
};

class TspSkinPageControl : public TspSkinTabsT<TPageControl> {
public:
    using TspSkinTabsT::TspSkinTabsT;
    std::string ClassName() const override { return "TspSkinPageControl"; }
};

void RegisterSkinTabClasses(TClassRegistry& classes);
