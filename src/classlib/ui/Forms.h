// Forms: the top-level windows of the application.
//
// A form is hidden until shown (Show, Visible = true, ShowModal, or Run for
// the main form). Its first showing places it as Position says. Closing it
// (the system's close button, WM_CLOSE, Close) asks OnCloseQuery, then
// OnClose chooses what happens: caHide (the default) hides it, caMinimize
// minimizes it, caFree releases it, caNone keeps it. Closing the main form
// terminates the application instead.
//
// ShowModal disables the application's other windows, runs the
// application's loop (idle processing included) until ModalResult becomes
// non-zero - a button with a ModalResult, Close (mrCancel) or the
// application's termination (mrCancel) - and returns it.
//
// Release frees the form later, from a posted message, so a form can free
// itself from one of its own event handlers. A form released while modal
// ends its loop first (ModalResult mrCancel unless one is set) and is freed
// after ShowModal has returned.
//
// FormStyle: fsStayOnTop forms stay above the other top-level windows.
// An fsMDIForm form holds an MDI client window (ClientHandle) in the part of
// its client area that its visible aligned controls leave, and gives the
// messages it leaves to DefFrameProc. An fsMDIChild form lives inside the
// main form's MDI client and gives what it leaves to DefMDIChildProc;
// making its window raises EInvalidOperation "Cannot create form. No MDI
// forms are currently active" while the main form is no MDI form. The
// application's loop hands keys to TranslateMDISysAccel, so Ctrl+F4 closes
// the active child and Ctrl+F6 walks the children. A child's close follows
// its OnClose action (caMinimize by default with biMinimize, else caNone);
// closing the MDI form asks every child's OnCloseQuery first and then
// releases the children.
//
// OnDestroy fires from BeforeDestruction, while the whole form (derived
// parts included) is alive; every path that frees a form calls it (its
// owner, Release, FreeComponent). It then clears the form's events, so
// nothing fires into the form while its window goes. A form freed by a
// plain delete gets no OnDestroy.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "classlib/graphics/Canvas.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Controls.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TBorderIcons = unsigned;
enum : TBorderIcons { biSystemMenu = 1u << 0, biMinimize = 1u << 1, biMaximize = 1u << 2, biHelp = 1u << 3 };

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TMainMenu;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    // Frees the window and the controls; fires nothing.
    ~TCustomForm() override;

    // Fires OnDestroy (once; an exception goes to Application), then clears
    // every event of the form.
    void BeforeDestruction() override;

    std::string ClassName() const override { return "TCustomForm"; }

    // Fires OnCreate. Application->CreateForm calls it once the form is
    // constructed; code that creates a form itself calls it when it wants
    // OnCreate.
    virtual void AfterConstruction();

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    TDefaultMonitor DefaultMonitor() const { return FDefaultMonitor; }
    void SetDefaultMonitor(TDefaultMonitor monitor) { FDefaultMonitor = monitor; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState state);
    TFormStyle FormStyle() const { return FFormStyle; }
    // A window that exists is made again for the new style (only moved in
    // the z-order between fsNormal and fsStayOnTop).
    void SetFormStyle(TFormStyle style);

    // MDI form: the MDI client window (null for other forms and before the
    // form's window exists).
    HWND ClientHandle() const { return FClientHandle; }
    // MDI form: its children, the active one first, then down the z-order.
    int MDIChildCount() const;
    TForm* MDIChildren(int index) const;
    // MDI form: the active child, or null.
    TForm* ActiveMDIChild() const;
    // The MDI client's place in client coordinates: the client area less
    // the strips of the visible top, bottom, left and right aligned
    // controls.
    RECT MDIClientRect();
    // Lays out the aligned controls, then puts the MDI client where they
    // left room.
    void Realign() override;
    // The main menu a skinned form draws; no native menu bar is built.
    // Cleared when the menu is freed.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu);
    // Kept for form descriptions; forms here do not scroll.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool autoScroll) { FAutoScroll = autoScroll; }

    bool Active() const { return FActive; }
    TCanvas* Canvas() { return &FCanvas; }

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }

    // Makes the form visible and brings it to the front.
    void Show();
    // Raises EInvalidOperation "Cannot make a visible window modal" for a
    // visible, disabled or already modal form.
    TModalResult ShowModal();
    void Close();
    // OnCloseQuery's answer (true without a handler); an MDI form asks its
    // children first and refuses when one does.
    virtual bool CloseQuery();
    void Release();
    // Offers a key to OnShortCut; true when the handler claimed it.
    virtual bool IsShortCut(TWMKey& msg);

    // The form's control that has the focus (as its WM_SETFOCUS told);
    // null before any has had it. Activating the form focuses it again, or
    // the first tab stop when it is null or cannot take the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Records the focused control; a change sends CM_FOCUSCHANGED to every
    // control of the form, then CM_EXIT to the controls the focus left and
    // CM_ENTER to those it entered (OnExit, OnEnter).
    void FocusChanged(TWinControl* control);
    // Sends msg to the form's controls in index order, depth first, until
    // one answers non-zero; that answer, or 0.
    LRESULT SendToControls(UINT msg, WPARAM wParam, LPARAM lParam, bool untilAnswered);
    // The dialog-key path of a key-down (Escape, Enter, Tab, arrows) or a
    // character for the control `focused`: true when a control took it
    // as CM_DIALOGKEY or CM_DIALOGCHAR. A key the focused control wants
    // (CM_WANTSPECIALKEY, or its window's dialog code) stays with it. Tab
    // that no control took moves the focus to the next tab stop of the
    // form's TabOrderList (Shift+Tab: the previous one), wrapping; without
    // a tab stop it goes on as any key.
    bool DialogKey(TWinControl* focused, const MSG& msg);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TNotifyEvent OnDestroy;
    TShortCutEvent OnShortCut;

    void Notification(TComponent* aComponent, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    void UpdateShowing() override;

    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();

private:
    void ApplyPosition();
    void CloseModal();
    void RecreateShown();
    void ClearEvents();
    std::vector<TForm*> MDIChildList() const;
    void CreateMDIClient();
    // The MDI client where the aligned controls end.
    void PlaceMDIClient();
    // MDI child: activated inside the MDI client.
    void ActivateMDIChild();
    TCloseAction DefaultCloseAction() const;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    TDefaultMonitor FDefaultMonitor = dmActiveForm;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FAutoScroll = true;
    bool FActive = false;
    bool FModal = false;
    bool FReleasedWhileModal = false;
    bool FDestructionBegun = false;
    bool FPlaced = false;
    TModalResult FModalResult = mrNone;
    TMainMenu* FMenu = nullptr;
    TCanvas FCanvas;
    TWinControl* FActiveControl = nullptr;
    HWND FClientHandle = nullptr;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
    std::string ClassName() const override { return "TForm"; }
};

// The form a control is on (the top of its parent chain, when that is a
// form); null otherwise.
TCustomForm* GetParentForm(TControl* control);
