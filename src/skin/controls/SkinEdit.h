// The skinned edit and memo: the system's EDIT window does the typing; the
// frame lives in the non-client area and is drawn from the skin record
// ("edit", "memo") or as a plain two-pixel frame without one. Both answer
// WM_NCCALCSIZE themselves, so they ask for their frame again once their
// window exists (FrameChanged).
//
// `TspCustomEdit`: an edit whose ReadOnly swallows typing, cut, paste,
// clear, undo and the Delete key, and Transparent (the
// parent shows behind the text: every change of text, key, clipboard edit,
// move, focus change, press and held mouse move invalidates the parent's
// area under the edit and the edit with its frame).
//
// `TspSkinCustomEdit`: adds the skin frame and font, an optional button at
// the right (ButtonMode): the button answers the hit test HTHSCROLL and the
// rest of the frame HTVSCROLL, and the edit takes every non-client mouse
// message with those codes itself (the default processing would start
// scroll-bar tracking on a window without scroll bars). A press and release
// on the button raise OnButtonClick once.
//
// `TspSkinMemo`: a multi-line skinned edit, read-only as the edit is, kept
// in step with an external TspSkinScrollBar (VScrollBar): all lines visible disable the bar with an
// empty range; otherwise its range is 0 .. line count, its page the visible
// lines + 1, its position the first visible line, and moving it scrolls the
// memo to that line (by EM_LINESCROLL: a WM_VSCROLL thumb position is a
// percentage for an edit without its own scroll bar). The memo owns the bar's OnChange while the bar is its VScrollBar and
// gives it back when the bar is replaced or cleared and when the memo goes.
// With BitMapBG and a record the whole nine-part picture lies under the
// text, which is drawn without a ground, and is drawn again as the edit's is.
#pragma once

#include <memory>
#include <string>

#include "classlib/ui/StdCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBar.h"

class TspCustomEdit : public TCustomEdit {
public:
    explicit TspCustomEdit(TComponent* owner);
    std::string ClassName() const override { return "TspCustomEdit"; }

    // ReadOnly (TCustomEdit's) also puts the window in its read-only state,
    // which refuses the edits the window makes on its own keys (Shift+Insert,
    // Shift+Delete, Alt+Backspace); editing messages are swallowed besides.
    bool Transparent() const { return FTransparent; }
    // Makes the window again.
    void SetTransparent(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

    bool FTransparent = false;

private:
    bool FMouseHeld = false;
};

class TspSkinCustomEdit : public TspSkinLinkT<TspCustomEdit> {
public:
    explicit TspSkinCustomEdit(TComponent* owner);
    ~TspSkinCustomEdit() override;
    std::string ClassName() const override { return "TspSkinCustomEdit"; }

    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;

    TFont* DefaultFont() const { return FDefaultFont.get(); }
    bool ButtonMode() const { return FButtonMode; }
    // Asks for the frame again.
    void SetButtonMode(bool value);
    // The button in window coordinates (empty without ButtonMode).
    TRect ButtonRect() const;

    int FIndex = -1;
    std::string SkinDataName = "edit";
    bool UseSkinFont = true;
    int DefaultWidth = 0;
    int DefaultHeight = 20;
    TNotifyEvent OnButtonClick;

protected:
    // Without WS_EX_TRANSPARENT: the parent's ground is drawn by the edit.
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    void GetSkinData();
    bool Active() const;
    void ApplyActiveColour();
    void PaintFrame();
    void PaintDisabledText();

    std::unique_ptr<TFont> FDefaultFont;
    bool FButtonMode = false;
    bool FButtonDown = false;
    bool FButtonMouseIn = false;
    bool FMouseIn = false;
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FClRect;
    int FLeftPart = 0, FRightPart = 0;  // LTPoint.X and RTPoint.X
    std::string FFontName;
    TFontStyles FFontStyle = 0;
    int FFontHeight = 0;
    TColor FFontColor = 0, FActiveFontColor = 0;
    TRect FSkinButtonRect, FActiveButtonRect, FDownButtonRect;
};

class TspSkinMemo : public TspSkinLinkT<TCustomMemo> {
public:
    explicit TspSkinMemo(TComponent* owner);
    ~TspSkinMemo() override;
    std::string ClassName() const override { return "TspSkinMemo"; }

    void BeforeChangeSkinData() override;
    void ChangeSkinData() override;
    void Notification(TComponent* component, TOperation operation) override;

    TspSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    // Takes the bar's OnChange (giving the previous bar's back) and empties
    // its range; null only stores.
    void SetVScrollBar(TspSkinScrollBar* value);
    // The bar in step with the lines.
    void UpdateScrollBar();

    TFont* DefaultFont() const { return FDefaultFont.get(); }

    int FIndex = -1;
    std::string SkinDataName = "memo";
    bool UseSkinFont = true;
    bool BitMapBG = false;
    bool Transparent = false;
    int TransparentValue = 0;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    void GetSkinData();
    bool Active() const;
    void ApplyActiveColours();
    void PaintFrame();
    void ReleaseScrollBar();
    // BitMapBG with a record's picture: the nine-part image of the state
    // rectangle, client area included, lies under the text (blended with
    // what is behind the memo by TransparentValue / 100 when Transparent).
    bool PictureBackground() const;
    // The image at the window's size; false without a picture background.
    bool MakePictureBackground(TBitmap* image);
    void PaintPictureClient(HDC dc);

    bool FMouseHeld = false;

    TspSkinScrollBar* FVScrollBar = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    bool FMouseIn = false;
    TBitmap* FPicture = nullptr;
    TRect FSkinRect, FActiveSkinRect, FClRect;
    TPoint FLTPoint, FRTPoint, FLBPoint, FRBPoint;
    std::string FFontName;
    TFontStyles FFontStyle = 0;
    int FFontHeight = 0;
    TColor FFontColor = 0, FActiveFontColor = 0, FBgColor = 0, FActiveBgColor = 0;
};

void RegisterSkinEditClasses(TClassRegistry& classes);
