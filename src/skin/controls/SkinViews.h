// The skinned tree view, list view and header control.
//
// The tree and list views take their font and background colour from the
// skin record ("treeview", "listview": font and "bgcolor"), or DefaultFont
// and DefaultColor without one, and hand scrolling to two external skinned
// scroll bars: their own scroll bars are dropped and their non-client area
// is left unpainted. After every size change, paint, key, left-button
// release and expansion the bars are brought in step with the window's
// scroll ranges: the vertical bar shows only when the range goes beyond the
// visible items, the horizontal one only when the range is wider than the
// control, and the horizontal bar leaves the corner free (Both) only while
// the vertical one shows. Moving a bar scrolls the view. A view owns its
// bars' OnChange while they are its bars and gives it back when a bar is
// replaced or cleared and when the view goes.
//
// `TspSkinHeaderControl` draws every section itself from the record
// "header" (the down, active or normal look and font colour for the
// pressed section, the one under the mouse and the others) or in the plain
// button look; a caption wider than its section less 10 pixels is cut with
// "...".
#pragma once

#include <memory>
#include <string>

#include "classlib/ui/ComCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"

template <class Base>
class TspSkinScrolledView : public Base, public ISkinChangeable {
public:
    explicit TspSkinScrolledView(TComponent* owner);
    ~TspSkinScrolledView() override;

    TspSkinData* SkinData() const override { return FSkinData; }
    void SetSkinData(TspSkinData* value);
    void BeforeChangeSkinData() override { FIndex = -1; }
    void ChangeSkinData() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

    TspSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    TspSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetVScrollBar(TspSkinScrollBar* value);
    void SetHScrollBar(TspSkinScrollBar* value);
    // Brings the bars in step with the window's scroll ranges.
    void UpdateScrollBars();

    TFont* DefaultFont() const { return FDefaultFont.get(); }
    int FIndex = -1;
    std::string SkinDataName;
    TColor DefaultColor = clWindow;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // The number of items the window shows at once.
    virtual int VisibleItemCount() = 0;

private:
    void TakeBar(TspSkinScrollBar*& slot, TspSkinScrollBar* value, UINT scrollMessage);
    static void ReleaseBar(TspSkinScrollBar*& slot, TComponent* self);

    TspSkinData* FSkinData = nullptr;
    TspSkinScrollBar* FVScrollBar = nullptr;
    TspSkinScrollBar* FHScrollBar = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    bool FUpdatingBars = false;
};

class TspSkinCustomTreeView : public TspSkinScrolledView<TCustomTreeView> {
public:
    explicit TspSkinCustomTreeView(TComponent* owner);
    std::string ClassName() const override { return "TspSkinCustomTreeView"; }

protected:
    int VisibleItemCount() override;
    void Expand(TTreeNode* node) override;
    void Collapse(TTreeNode* node) override;
};

class TspSkinCustomListView : public TspSkinScrolledView<TCustomListView> {
public:
    explicit TspSkinCustomListView(TComponent* owner);
    std::string ClassName() const override { return "TspSkinCustomListView"; }

protected:
    int VisibleItemCount() override;
};

class TspSkinHeaderControl : public THeaderControl, public ISkinChangeable {
public:
    explicit TspSkinHeaderControl(TComponent* owner);
    std::string ClassName() const override { return "TspSkinHeaderControl"; }

    TspSkinData* SkinData() const override { return FSkinData; }
    void SetSkinData(TspSkinData* value);
    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    void Notification(TComponent* component, TOperation operation) override;

    // The section under the mouse and the pressed one; -1 for none.
    int HotSection() const { return FHotSection; }
    int PressedSection() const { return FPressedSection; }
    // Section `index`'s caption as drawn: cut to the section's width less 10.
    std::string FittedCaption(int index);

    int FIndex = -1;
    std::string SkinDataName = "header";
    bool UseSkinFont = true;

protected:
    void WndProc(TMessage& message) override;

private:
    void GetSkinData();
    int SectionAt(int x, int y);
    void PaintSections(HDC dc);
    void PrepareFont(TCanvas* canvas, int section);

    TspSkinData* FSkinData = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    int FHotSection = -1;
    int FPressedSection = -1;
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FDownSkinRect, FClRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    std::string FFontName;
    TFontStyles FFontStyle = 0;
    int FFontHeight = 0;
    TColor FFontColor = 0, FActiveFontColor = 0, FDownFontColor = 0;
};

void RegisterSkinViewClasses(TClassRegistry& classes);
