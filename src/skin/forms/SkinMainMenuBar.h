// `TspSkinMainMenuBar`: a skinned bar at the top of a form showing the
// top-level items of a main menu; each item opens its children through the
// skinned form's menu engine. Items that do not fit are hidden (out of
// reach of the mouse and the keys) and offered by the track mark at the
// bar's right end. While an MDI child is maximized the bar also carries its
// four buttons (system menu at the left end; close, restore, minimize at the
// right end), enabled by the maximized child's border icons; they act on the
// active MDI child.
//
// The bar's objects are plain objects it owns (`TspMenuBarObject`): the
// MDI buttons first, then one item per visible top-level menu item. Their
// highlight morphs in tenths, ten 20 ms steps from one look to the other.
//
// With the skinned form (`DynamicSkinForm`) the bar opens menus through
// the form's TspSkinMenuHost and enters and leaves main-menu mode through
// its TspMainMenuModeHost; the form forwards the keys of that mode to
// NextItem, PrevItem, FindAccelItem, ClickDownItem and ExitMenuMode, and
// releases the open item (CloseDownItem) when the menu closes. Setting
// DynamicSkinForm links the bar to that form, which then serves it (the MDI
// buttons, the keys) as its MainMenuBar when that property is not set.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Font.h"
#include "classlib/ui/Menus.h"
#include "classlib/ui/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/SkinControlRecords.h"
#include "skin/core/SkinFrameObjectValues.h"
#include "skin/core/SkinObjectRecords.h"

class TspDynamicSkinForm;
class TspSkinMainMenuBar;
class TspSkinMenuHost;

class TspMenuBarObject {
public:
    // Takes the looks of `AData` (nil: the default look).
    TspMenuBarObject(TspSkinMainMenuBar* AParent, const TspDataSkinObject* AData);
    virtual ~TspMenuBarObject() = default;
    TspMenuBarObject(const TspMenuBarObject&) = delete;
    TspMenuBarObject& operator=(const TspMenuBarObject&) = delete;

    TspSkinMainMenuBar* Parent;
    TSkinMorphPosition Morph;
    bool Active = false;
    TBitmap* Picture = nullptr;  // the skin's, not owned
    bool Down = false;
    std::string IDName;
    TRect SkinRect, ActiveSkinRect, DownSkinRect;
    bool Morphing = false;
    TspMorphKind MorphKind = mkDefault;
    TRect ObjectRect;
    bool MorphActive = false;
    bool Enabled = true;
    bool Visible = true;

    double MorphKf() const { return Morph.Kf(); }

    virtual void Draw(TCanvas* Cnvs) { (void)Cnvs; }
    virtual void MouseDown(TMouseButton Button, int X, int Y) { (void)Button, (void)X, (void)Y; }
    virtual void MouseUp(TMouseButton Button, int X, int Y) { (void)Button, (void)X, (void)Y; }
    virtual void MouseEnter();
    virtual void MouseLeave();
    // False while down with a down look; else whether a step toward the
    // target (MorphActive) remains.
    virtual bool CanMorphing();
    // Starts the bar's morph when Morphing, else repaints at once.
    void ReDraw();

protected:
    // The skinned background: `normal`, or the morph between it and
    // ActiveSkinRect, stretched over ObjectRect with the ends kept.
    void DrawSkinLook(TCanvas* Cnvs, const TRect& normal, int leftOffset, int rightOffset);
    // The default background: pressed, highlighted or plain.
    void DrawDefaultLook(TCanvas* Cnvs, bool pressed, bool hot);
};

// An MDI child's button: 0 close, 1 maximize/restore, 2 minimize, 3 the
// child's system menu.
class TspSkinMainMenuBarButton : public TspMenuBarObject {
public:
    TspSkinMainMenuBarButton(TspSkinMainMenuBar* AParent, const TspDataSkinMainMenuBarButton* AData,
                             const std::string& DefaultName, int DefaultCommand);
    bool HasRecord;
    int Command;

    void Draw(TCanvas* Cnvs) override;
    void MouseDown(TMouseButton Button, int X, int Y) override;
    void MouseUp(TMouseButton Button, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Hands the command to the bar, which runs it once this button's own
    // handling has returned (the command may free the buttons).
    void DoCommand();
};

class TspSkinMainMenuBarItem : public TspMenuBarObject {
public:
    TspSkinMainMenuBarItem(TspSkinMainMenuBar* AParent, const TspDataSkinMainMenuBarItem* AData, TMenuItem* AMenuItem);
    bool HasRecord;
    bool SavedEnabled = true;
    TMenuItem* MenuItem;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle = 0;
    TColor UnEnabledFontColor = 0, FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
    TRect TextRect, DownRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;

    // The width the item takes on the bar for its caption.
    int ItemWidth(TCanvas* Cnvs);
    void Draw(TCanvas* Cnvs) override;
    void MouseDown(TMouseButton Button, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Goes down and opens its children through the skinned form's engine,
    // or comes up.
    void SetDown(bool Value);

private:
    void SetItemFont(TCanvas* Cnvs);
};

class TspSkinMainMenuBar : public TspSkinControl {
public:
    using TMainMenuItemClick = std::function<void(const std::string& IDName)>;

    explicit TspSkinMainMenuBar(TComponent* AOwner);
    ~TspSkinMainMenuBar() override;
    std::string ClassName() const override { return "TspSkinMainMenuBar"; }
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TFont* DefItemFont() { return &FDefItemFont; }
    // Assigns; repaints when no skin record is used.
    void SetDefItemFont(TFont* Value);
    int DefaultWidth() const { return FDefaultWidth; }
    int DefaultHeight() const { return FDefaultHeight; }
    // Size the bar when no skin record is used and the value is at least 1.
    void SetDefaultWidth(int Value);
    void SetDefaultHeight(int Value);
    bool PopupToUp = false;
    TspDynamicSkinForm* DynamicSkinForm() const { return FDynamicSkinForm; }
    void SetDynamicSkinForm(TspDynamicSkinForm* Value);
    TMainMenu* MainMenu() const { return FMainMenu; }
    // Rebuilds the objects and repaints.
    void SetMainMenu(TMainMenu* Value);
    TMainMenuItemClick OnMainMenuItemClick;

    // Called by the skinned form when an MDI child is maximized: the four
    // buttons, made once, enabled by the maximized child's border icons.
    void ShowMDIButtons();
    // Called by the skinned form when an MDI child is restored: the buttons
    // go, unless `MaximizedChildLeft` (another child is still maximized):
    // then they follow that child's icons.
    void HideMDIButtons(bool MaximizedChildLeft = false);
    // The MDI frame's skinned form (DynamicSkinForm, else the main form's)
    // and through it the active MDI child's and the maximized one's.
    TspDynamicSkinForm* FrameSkinForm() const;
    TspDynamicSkinForm* ActiveMDIChildSkinForm() const;
    TspDynamicSkinForm* MaximizedMDIChildSkinForm() const;
    // Notes a button's command; it runs when the mouse handling that
    // produced it has returned.
    void QueueMDICommand(int Command, const TRect& ButtonRect);
    // What an MDI button's command does to the active MDI child: 0 closes
    // it, 1 restores, 2 minimizes it, 3 opens its system menu beside
    // `ButtonRect` (client coordinates) through the frame's menu engine.
    void DoMDICommand(int Command, const TRect& ButtonRect);

    // Keyboard menu mode, driven by the skinned form.
    void MenuKeyMode();
    void NextItem();
    void PrevItem();
    bool FindAccelItem(char Key);
    bool ClickDownItem();
    void CloseDownItem();
    void ExitMenuMode();

    void BeforeChangeSkinData() override;
    // Also the height: the record's picture height, else DefaultHeight
    // when above 0.
    void ChangeSkinData() override;
    // Keeps the record's picture height while skinned.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // State.
    bool Skinned = false;
    bool MDIButtonsShown = false;
    bool MenuMode = false;
    bool HasHiddenItems = false;
    bool TrackMarkActive = false;
    int HotIndex = -1, OldHotIndex = -1, PressedIndex = -1;
    TRect ItemsRect;
    std::vector<std::unique_ptr<TspMenuBarObject>> ObjectList;
    int MDIButtonCount() const { return FMDIButtonCount; }
    TTimer* BarMorphTimer() const { return FBarMorphTimer; }
    TTimer* BarMouseTimer() const { return FBarMouseTimer; }

    // The bar's items (after the MDI buttons).
    std::vector<TspSkinMainMenuBarItem*> Items() const;
    // The hot test at a client point; (-1, -1) is outside.
    void TestActive(int X, int Y);
    // Lays out the buttons and the items for the current size.
    void CalcRects();
    TRect TrackMarkRect() const;
    // Opens the main menu's top level from the first hidden item beside
    // the track mark.
    void OpenTrackMarkMenu();
    // The skin's active picture at `index`; nil outside the list or
    // without a skin.
    TBitmap* ActivePicture(int index) const;
    // The skinned form as menu host; nil without one that is a host.
    TspSkinMenuHost* MenuHost() const;
    // Main-menu mode through the skinned form.
    void FormMainMenuEnter();
    void FormMainMenuExit();
    const TspDataSkinMainMenuBar* Record() const;

protected:
    void WndProc(TMessage& message) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    void MakeObjects();
    // Makes the buttons in front of the items, enabled by the maximized
    // child's border icons.
    void MakeMDIButtons();
    void CheckMDIButtons();
    // Runs the command a button handed over, if any.
    void RunPendingMDICommand();
    void DrawBar(TBitmap* B);
    void MorphTimerEvent(TObject* Sender);
    void MouseTimerEvent(TObject* Sender);
    TspSkinMainMenuBarItem* FirstItemWhere(const std::function<bool(TspSkinMainMenuBarItem*)>& test) const;
    int ItemIndex(const TspSkinMainMenuBarItem* item) const;
    void Walk(int (*step)(const std::vector<struct TMenuBarItemSlot>&, int));

    TFont FDefItemFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    TspDynamicSkinForm* FDynamicSkinForm = nullptr;
    TMainMenu* FMainMenu = nullptr;
    int FMDIButtonCount = 0;
    // The command a button handed over (-1: none) and the button's place.
    int FPendingMDICommand = -1;
    TRect FPendingMDIButtonRect;
    TTimer* FBarMorphTimer;
    TTimer* FBarMouseTimer;
};
