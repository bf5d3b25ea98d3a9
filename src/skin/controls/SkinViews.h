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

// The sections of a header window (SysHeader32) drawn in the skin's header
// record or the plain look, with the section under the mouse and the
// pressed one; shared by the header control and the list view's header.
class TspHeaderPainter {
public:
    // The record copy from `data` (none without a skin or such a record).
    void GetSkinData(TspSkinData* data, const std::string& name);
    // Paints every section of `header` and the rest of its width on `dc`.
    void Paint(HWND header, HDC dc);
    // The section at a client point of `header`; -1 for none.
    static int SectionAt(HWND header, int x, int y);
    // The caption of section `index` as drawn, cut to its width less 10.
    std::string FittedCaption(HWND header, int index);
    // Mouse messages of the header: updates the hot and pressed sections;
    // true when the look changed.
    bool Track(HWND header, UINT msg, LPARAM lParam);

    int FIndex = -1;
    bool UseSkinFont = true;
    int HotSection = -1;
    int PressedSection = -1;
    TFont* DefaultFont = nullptr;

private:
    void PrepareFont(TCanvas* canvas, int section);

    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FDownSkinRect, FClRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    std::string FFontName;
    TFontStyles FFontStyle = 0;
    int FFontHeight = 0;
    TColor FFontColor = 0, FActiveFontColor = 0, FDownFontColor = 0;
};

template <class Base>
class TspSkinScrolledView : public TspSkinLinkT<Base> {
public:
    explicit TspSkinScrolledView(TComponent* owner);
    ~TspSkinScrolledView() override;

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
    // Scrolls the window until its position on `bar` (SB_VERT or SB_HORZ)
    // is `position`, any 32-bit one: a bar's position does not fit in the
    // 16 bits a scroll message carries.
    virtual void ScrollTo(int bar, int position) = 0;

private:
    void TakeBar(TspSkinScrollBar*& slot, TspSkinScrollBar* value, UINT scrollMessage);
    static void ReleaseBar(TspSkinScrollBar*& slot, TComponent* self);

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
    void ScrollTo(int bar, int position) override;
    void Expand(TTreeNode* node) override;
    void Collapse(TTreeNode* node) override;
};

// The list view's column header window is taken over right after the list
// view's window is made, and again when the list view makes a new one
// (WM_PARENTNOTIFY), and drawn from the record "header"; it is let go before
// the list view's window goes.
class TspSkinCustomListView : public TspSkinScrolledView<TCustomListView> {
public:
    explicit TspSkinCustomListView(TComponent* owner);
    ~TspSkinCustomListView() override;
    std::string ClassName() const override { return "TspSkinCustomListView"; }

    // Also reads the header record again and lays out the aligned bars.
    void ChangeSkinData() override;
    // The header window taken over; null for none.
    HWND HeaderWindow() const { return FHeaderWnd; }
    std::string HeaderSkinDataName = "header";

protected:
    int VisibleItemCount() override;
    void ScrollTo(int bar, int position) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    class THeaderTarget;
    void TakeHeader(HWND header);
    void ReleaseHeader();
    LRESULT HeaderWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<THeaderTarget> FHeaderTarget;
    HWND FHeaderWnd = nullptr;
    TspHeaderPainter FHeaderPainter;
};

class TspSkinHeaderControl : public TspSkinLinkT<THeaderControl> {
public:
    explicit TspSkinHeaderControl(TComponent* owner);
    std::string ClassName() const override { return "TspSkinHeaderControl"; }

    void BeforeChangeSkinData() override { FPainter.FIndex = -1; }
    void ChangeSkinData() override;

    int HotSection() const { return FPainter.HotSection; }
    int PressedSection() const { return FPainter.PressedSection; }
    std::string FittedCaption(int index) { return FPainter.FittedCaption(Handle(), index); }
    int SkinIndex() const { return FPainter.FIndex; }

    std::string SkinDataName = "header";
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    bool UseSkinFont() const { return FPainter.UseSkinFont; }
    void SetUseSkinFont(bool value) { FPainter.UseSkinFont = value; }

protected:
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TFont> FDefaultFont;
    TspHeaderPainter FPainter;
};

void RegisterSkinViewClasses(TClassRegistry& classes);
