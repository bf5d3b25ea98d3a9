// The skinned form's hook on its form's window procedure: the non-client
// messages answered from the frame geometry, painting and hit tests, the
// mouse over the frame turned into calls on the frame objects, the hot
// object tracked by the mouse timer, and skin changes passed on to the
// form's skinned controls.
#include <windowsx.h>

#include "classlib/ui/Screen.h"
#include "skin/SkinData.h"
#include "skin/SkinHint.h"
#include "skin/controls/SkinControl.h"
#include "skin/forms/DynamicSkinForm.h"
#include "skin/forms/SkinMainMenuBar.h"
#include "skin/forms/SkinMenu.h"

namespace {

// The messages that end an open skinned menu or main-menu mode.
bool ClosesMenus(UINT msg)
{
    switch (msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY: return true;
    default: return false;
    }
}

// Mouse coordinates are signed: negative ones come with the capture and
// with monitors left of or above the primary one.
TPoint PointOf(LPARAM lParam)
{
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

bool IsCaption(const TspActiveSkinObject* object)
{
    return dynamic_cast<const TspSkinCaptionObject*>(object) != nullptr;
}

}  // namespace

void TspDynamicSkinForm::HookForm()
{
    FSavedWindowProc = Form->WindowProc;
    FHook.Install(Form->WindowProc, [this](TMessage& message) {
        NewWndProc(message);
        return true;
    });
    if (Form->HandleAllocated())
        Form->RecreateWnd();
}

void TspDynamicSkinForm::CallSavedProc(TMessage& Message)
{
    if (FSavedWindowProc)
        FSavedWindowProc(Message);
}

void TspDynamicSkinForm::CaptionTextChanged(const std::string& Text)
{
    for (const auto& object : ObjectList)
        if (auto* caption = dynamic_cast<TspSkinCaptionObject*>(object.get()))
            if (caption->DefaultCaption && caption->Text() != Text) {
                caption->SetText(Text);
                DrawSkinObject(caption);
            }
}

void TspDynamicSkinForm::RedrawCaption()
{
    // WM_NCPAINT paints nothing in the client area.
    if (FSupportNCArea) {
        SendNCPaint();
        return;
    }
    for (const auto& object : ObjectList) {
        auto* caption = dynamic_cast<TspSkinCaptionObject*>(object.get());
        if (caption != nullptr && caption->DefaultCaption)
            DrawSkinObject(caption);
    }
}

void TspDynamicSkinForm::SendNCPaint()
{
    if (Form->HandleAllocated())
        SendMessageA(Form->Handle(), WM_NCPAINT, 1, 0);
}

void TspDynamicSkinForm::BeforeWndProc()
{
    if (InMainMenu && !InSkinMenu)
        MainMenuExit();
    else if (FSkinMenu != nullptr && FSkinMenu->Active())
        FSkinMenu->CloseMenu();
    else if (InSkinMenu)
        SkinMenuClose();
    else if (IsMDIForm() && Form->Visible())
        if (TspDynamicSkinForm* child = GetActiveMDIChildSkinForm(); child != nullptr && child != this)
            child->BeforeWndProc();
}

void TspDynamicSkinForm::NewWndProc(TMessage& M)
{
    if (ClosesMenus(M.Msg)) {
        if (ShowObjectHint && FSkinHint != nullptr)
            FSkinHint->HideHint();
        BeforeWndProc();
    }
    bool callSaved = true;
    auto saved = [&]() {
        callSaved = false;
        CallSavedProc(M);
    };
    const bool frameMode = FSupportNCArea;
    // A maximized MDI child has no frame: the MDI form shows its caption and
    // the menu bar its buttons.
    const bool maximizedChild = IsMDIChild() && WindowState == 2;
    switch (M.Msg) {
    case WM_CREATE:
        saved();
        // Every creation of the form's window loses the system caption, so a
        // recreated window keeps it off too.
        if (M.Result != -1 && Form->HandleAllocated()) {
            FMDIChildWindow = IsMDIChild();
            UpdateTrayCloseShortCut();
            const HWND window = Form->Handle();
            SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~WS_CAPTION);
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            // A caption set before the window existed sent no WM_SETTEXT.
            CaptionTextChanged(Form->Caption());
            if (FAlphaBlend)
                ApplyAlphaBlend();
        }
        break;
    case WM_DESTROY:
        for (TTimer* timer : {FMorphTimer, FMouseTimer, FAnimateTimer})
            timer->SetEnabled(false);
        if (IsMDIChild()) {
            WindowState = 0;
            NotifyMDIForm(SM_MDICHILDRESTORED);
        }
        break;
    case WM_SIZE:
        if (InSizeMove && FullDragWindows)
            break;
        saved();
        NewWidth = Form->Width();
        NewHeight = Form->Height();
        if (frameMode) {
            if (!SkinSupport)
                SendNCPaint();
            else if (GetMinWidth() <= NewWidth && GetMinHeight() <= NewHeight)
                UpdateSkinRegion(true);
        } else if (SkinSupport && !RollUpState) {
            const bool stretches = SkinStretches(*FSkinData);
            if (stretches || (Form->ClientWidth() == FSkinData->Picture->Width() &&
                              Form->ClientHeight() == FSkinData->Picture->Height()))
                UpdateSkinRegion(stretches);
        }
        break;
    case WM_ACTIVATE:
        Dragging = false;
        saved();
        if (frameMode && SkinSupport && FSkinData->AutoRenderingInActiveImage)
            ResetObjectsActive();
        if (frameMode)
            SendNCPaint();
        DoActivation(!maximizedChild);
        break;
    case WM_SETTEXT:
        if (Form->BorderStyle() == bsNone)
            break;
        saved();
        // A maximized child draws no frame, but keeps its caption objects
        // current for its restore; the MDI form's frame shows its caption.
        CaptionTextChanged(M.LParam != 0 ? reinterpret_cast<const char*>(M.LParam) : "");
        if (maximizedChild) {
            if (TspDynamicSkinForm* main = GetDynamicSkinForm(Application->MainForm()); main != nullptr && main != this)
                main->RedrawCaption();
        } else if (!HasSkinClientRect()) {
            SendNCPaint();
        }
        break;
    case WM_ERASEBKGND: {
        callSaved = false;
        const HDC dc = reinterpret_cast<HDC>(M.WParam);
        if (!frameMode)
            PaintClientBG(dc);
        else if (!HasSkinClientRect())
            EraseClientBG(dc);
        else if (FSkinData->BGPictureIndex >= 0 &&
                 FSkinData->BGPictureIndex < static_cast<int>(FSkinData->ActivePictures.size()))
            PaintTiledClientBG(dc);
        else
            PaintStretchedClientBG(dc);
        // Erased: the saved procedure would paint over it.
        M.Result = 1;
        break;
    }
    case WM_SHOWWINDOW:
        if (M.WParam != 0 && !IsMDIForm()) {
            if (frameMode)
                FitClientSize();
        } else if (M.WParam != 0 && Form->ClientHandle() != nullptr && FMDIClientHook.Window() == nullptr) {
            FMDIClientHook.Attach(Form->ClientHandle());
            // Its border goes with the hook's answers.
            SetWindowPos(Form->ClientHandle(), nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            FitClientSize();
        }
        // The form never shows a standard menu bar.
        if (Form->Menu() != nullptr)
            Form->SetMenu(nullptr);
        if (!frameMode)
            ArrangeAreaControls();
        break;
    case WM_MOUSEACTIVATE:
        if (IsMDIChild() && !FormActive && GetActiveMDIChildSkinForm() == this) {
            FormActive = true;
            DoActivation(!maximizedChild);
        }
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(M.LParam);
        const TRect work = WorkArea();
        info->ptMinTrackSize = POINT{GetMinWidth(), GetMinHeight()};
        info->ptMaxTrackSize = POINT{work.Right - work.Left, work.Bottom - work.Top};
        break;
    }
    case WM_NCCALCSIZE:
        callSaved = false;
        if (frameMode && Form->BorderStyle() != bsNone && !maximizedChild)
            NCCalcSize(*reinterpret_cast<RECT*>(M.LParam));
        M.Result = 0;
        break;
    case WM_NCHITTEST:
        if (frameMode && maximizedChild) {
            // No frame: the whole window is client area, and no frame object
            // is tracked under it.
            callSaved = false;
            M.Result = HTCLIENT;
        } else if (frameMode) {
            callSaved = false;
            const TPoint P = WindowPoint(PointOf(M.LParam));
            M.Result = HasSkinClientRect() ? SkinHitTest(P) : DefaultHitTest(P);
            if (!FMouseTimer->Enabled() && M.Result == HTOBJECT) {
                TestActive(P.X, P.Y, true);
                FMouseTimer->SetEnabled(true);
            }
        } else if (SkinSupport) {
            callSaved = false;
            POINT p{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)};
            if (Form->HandleAllocated())
                ScreenToClient(Form->Handle(), &p);
            if (!MouseInClient) {
                MouseInClient = true;
                TestActive(p.x, p.y, true);
                FMouseTimer->SetEnabled(true);
            }
            M.Result = ClientAreaHitTest({p.x, p.y});
        }
        break;
    case WM_NCPAINT:
        callSaved = false;
        if (frameMode && Form->BorderStyle() != bsNone && !maximizedChild && Form->HandleAllocated()) {
            const HWND window = Form->Handle();
            if (const HDC dc = GetWindowDC(window)) {
                if (SkinSupport)
                    PaintNCSkin(dc);
                else
                    PaintNCDefault(dc);
                ReleaseDC(window, dc);
            }
        }
        M.Result = 0;
        break;
    case WM_NCACTIVATE:
        callSaved = false;
        FormActive = M.WParam != 0;
        // The system's own caption painting is suppressed; MDI frames and
        // children need the system's answer for their activation.
        if (IsMDIForm() || IsMDIChild())
            saved();
        else
            M.Result = 1;
        // The MDI client's hook answers for the client itself, so the frame
        // tells its active child, whose look follows the frame's activation.
        if (IsMDIForm())
            if (TForm* child = Form->ActiveMDIChild(); child != nullptr && child->HandleAllocated())
                SendMessageA(child->Handle(), WM_NCACTIVATE, M.WParam, M.LParam);
        if (Form->BorderStyle() == bsNone || maximizedChild) {
            DoActivation(false);
        } else {
            SendNCPaint();
            DoActivation(true);
        }
        break;
    case WM_SYNCPAINT:
        if (RollUpState && frameMode) {
            callSaved = false;
            SendNCPaint();
            M.Result = 0;
        }
        break;
    case WM_SYSCOMMAND:
        // The low four bits belong to the system.
        if ((M.WParam & 0xFFF0) == SC_KEYMENU) {
            callSaved = false;
            if (!InMainMenu) {
                if (FSkinMenu != nullptr && FSkinMenu->Active())
                    FSkinMenu->CloseMenu();
                if (TspSkinMainMenuBar* bar = MenuBar())
                    bar->MenuKeyMode();
                else
                    MainMenuEnter();
            } else {
                MainMenuExit();
            }
        }
        break;
    case WM_SIZING:
        if (InSizeMove && FullDragWindows) {
            saved();
            const RECT& r = *reinterpret_cast<RECT*>(M.LParam);
            NewWidth = r.right - r.left;
            NewHeight = r.bottom - r.top;
            if (frameMode && SkinSupport && GetMinWidth() <= NewWidth && GetMinHeight() <= NewHeight)
                UpdateSkinRegion(true);
        }
        break;
    case WM_MOVING: {
        RECT& r = *reinterpret_cast<RECT*>(M.LParam);
        if (WindowState == 2 && !IsMDIChild()) {
            // A maximized form cannot be moved.
            r = Form->BoundsRect();
        } else if (Magnetic) {
            int x = r.left, y = r.top;
            DoMagnetic(x, y, Form->Width(), Form->Height());
            r = RECT{x, y, x + Form->Width(), y + Form->Height()};
        }
        break;
    }
    case WM_ENTERSIZEMOVE:
        if (frameMode) {
            InSizeMove = true;
            BOOL full = FALSE;
            SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
            FullDragWindows = full != FALSE;
        }
        break;
    case WM_EXITSIZEMOVE:
        if (frameMode) {
            InSizeMove = false;
            if (SkinSupport)
                SendNCPaint();
        }
        break;
    case WM_SKINDATA_BEFORECHANGE:
        // A menu shown with the skin draws from its records, which go now.
        if (M.LParam == SkinDataMessageTag && FSkinMenu != nullptr && FSkinMenu->Active() &&
            M.WParam == reinterpret_cast<WPARAM>(FSkinMenu->SkinData()))
            FSkinMenu->CloseMenu();
        if (M.LParam == SkinDataMessageTag && M.WParam == reinterpret_cast<WPARAM>(FSkinData)) {
            SkinSupport = false;
            for (TTimer* timer : {FMorphTimer, FMouseTimer, FAnimateTimer})
                timer->SetEnabled(false);
            ClearObjects();
            BeforeUpdateSkinControls(FSkinData, Form);
        }
        break;
    case WM_SKINDATA_CHANGED:
        if (M.LParam == SkinDataMessageTag) {
            auto* skin = reinterpret_cast<TspSkinData*>(M.WParam);
            if (skin != nullptr && skin == FSkinData)
                ChangeSkinData();
            UpdateSkinControls(skin, Form);
        }
        break;
    case WM_SKINDATA_AFTERCHANGE:
        if (M.LParam == SkinDataMessageTag && M.WParam == reinterpret_cast<WPARAM>(FSkinData) && FSkinData != nullptr &&
            IsMDIForm())
            MDIRefresh();
        break;
    case SM_CLOSESKINMENU: SkinMenuClose(); break;
    case SM_MDICHILDFITCLIENT:
    case SM_MDICHILDMAXIMIZED:
    case SM_MDICHILDRESTORED: MDIMessage(M); break;
    default: break;
    }
    if (callSaved)
        CallSavedProc(M);
    MouseAfterWndProc(M);
}

void TspDynamicSkinForm::MouseAfterWndProc(const TMessage& M)
{
    const bool frameMode = FSupportNCArea;
    // Client messages carry client coordinates; the frame mode's objects
    // live in window coordinates.
    auto windowPoint = [&](bool client) {
        POINT p{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)};
        if (client && Form->HandleAllocated())
            ClientToScreen(Form->Handle(), &p);
        return WindowPoint({p.x, p.y});
    };
    const TPoint C = PointOf(M.LParam);
    switch (M.Msg) {
    case WM_MOUSEMOVE:
        if (!frameMode) {
            ObjectsMouseMove(C.X, C.Y);
        } else if (CaptureObject != -1) {
            // A captured frame object (a track bar, a regulator) gets the
            // moves that the capture turns into client messages.
            const TPoint P = windowPoint(true);
            ObjectsMouseMove(P.X, P.Y);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (!frameMode)
            ObjectsMouseDown(M.Msg == WM_LBUTTONDOWN ? mbLeft : mbRight, C.X, C.Y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const TMouseButton button = M.Msg == WM_LBUTTONUP ? mbLeft : mbRight;
        if (frameMode)
            ObjectsMouseUp(button, -1, -1);
        else
            ObjectsMouseUp(button, C.X, C.Y);
        break;
    }
    case WM_LBUTTONDBLCLK:
        ObjectsMouseDown(mbLeft, C.X, C.Y);
        CaptionDblClick();
        break;
    case WM_RBUTTONDBLCLK: ObjectsMouseDown(mbRight, C.X, C.Y); break;
    default: break;
    }
    if (!frameMode)
        return;
    switch (M.Msg) {
    case WM_NCMOUSEMOVE: {
        const TPoint P = windowPoint(false);
        ObjectsMouseMove(P.X, P.Y);
        break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: {
        const TPoint P = windowPoint(false);
        TestActive(P.X, P.Y, true);
        ObjectsMouseDown(M.Msg == WM_NCLBUTTONDOWN ? mbLeft : mbRight, P.X, P.Y);
        if (M.Msg == WM_NCLBUTTONDOWN && M.WParam == HTCAPTION)
            CaptureObject = -1;
        break;
    }
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP: {
        const TPoint P = windowPoint(false);
        ObjectsMouseUp(M.Msg == WM_NCLBUTTONUP ? mbLeft : mbRight, P.X, P.Y);
        break;
    }
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK: {
        const TPoint P = windowPoint(false);
        TestActive(P.X, P.Y, true);
        ObjectsMouseDown(M.Msg == WM_NCLBUTTONDBLCLK ? mbLeft : mbRight, P.X, P.Y);
        if (M.WParam == HTCAPTION) {
            if (M.Msg == WM_NCLBUTTONDBLCLK)
                NCCaptionDblClick();
            CaptureObject = -1;
        }
        break;
    }
    default: break;
    }
}

void TspDynamicSkinForm::ObjectsMouseDown(TMouseButton Button, int X, int Y)
{
    const int count = static_cast<int>(ObjectList.size());
    if (!FSupportNCArea) {
        Dragging = false;
        if (ActiveObject < 0 || ActiveObject >= count) {
            if (Button == mbLeft && WindowState != 2 && DraggAble) {
                Dragging = true;
                POINT p;
                GetCursorPos(&p);
                DragPoint = {p.x, p.y};
            }
            return;
        }
    } else if (ActiveObject < 0 || ActiveObject >= count) {
        return;
    }
    TspActiveSkinObject* object = ObjectList[static_cast<size_t>(ActiveObject)].get();
    if (FSupportNCArea && !IsCaption(object) && Form->HandleAllocated())
        SetCapture(Form->Handle());
    CaptureObject = ActiveObject;
    object->MouseDown(X, Y, Button);
}

void TspDynamicSkinForm::ObjectsMouseUp(TMouseButton Button, int X, int Y)
{
    if (!FSupportNCArea)
        Dragging = false;
    if (CaptureObject < 0 || CaptureObject >= static_cast<int>(ObjectList.size()))
        return;
    TspActiveSkinObject* object = ObjectList[static_cast<size_t>(CaptureObject)].get();
    CaptureObject = -1;
    if (FSupportNCArea && !IsCaption(object) && GetCapture() != nullptr && Form->HandleAllocated() &&
        GetCapture() == Form->Handle())
        ReleaseCapture();
    object->MouseUp(X, Y, Button);
}

void TspDynamicSkinForm::ObjectsMouseMove(int X, int Y)
{
    if (!FSupportNCArea && Dragging)
        return;
    const int count = static_cast<int>(ObjectList.size());
    const int index = CaptureObject != -1 ? CaptureObject : ActiveObject;
    if (index >= 0 && index < count)
        ObjectList[static_cast<size_t>(index)]->MouseMove(X, Y);
}

void TspDynamicSkinForm::MouseTimerEvent(TObject*)
{
    if (!HasSkin() && !FSupportNCArea)
        return;
    if (!Form->HandleAllocated()) {
        FMouseTimer->SetEnabled(false);
        return;
    }
    const HWND window = Form->Handle();
    POINT cursor;
    GetCursorPos(&cursor);
    const bool overForm = WindowFromPoint(cursor) == window;
    if (FSupportNCArea) {
        if (!overForm) {
            TestActive(-1, -1, false);
            FMouseTimer->SetEnabled(false);
            return;
        }
        if (InSizeMove)
            return;
        POINT client = cursor;
        ScreenToClient(window, &client);
        RECT clientRect;
        GetClientRect(window, &clientRect);
        if (PtInRect(&clientRect, client)) {
            if (ActiveObject != -1)
                TestActive(-1, -1, true);
        } else {
            const TPoint P = WindowPoint({cursor.x, cursor.y});
            TestActive(P.X, P.Y, true);
        }
        return;
    }
    if (Dragging) {
        if (cursor.x != DragPoint.X || cursor.y != DragPoint.Y) {
            int x = Form->Left() + cursor.x - DragPoint.X, y = Form->Top() + cursor.y - DragPoint.Y;
            if (Magnetic)
                DoMagnetic(x, y, Form->Width(), Form->Height());
            Form->SetBounds(x, y, Form->Width(), Form->Height());
            DragPoint = {cursor.x, cursor.y};
        }
        return;
    }
    if (overForm) {
        POINT client = cursor;
        ScreenToClient(window, &client);
        TestActive(client.x, client.y, true);
    } else {
        TestActive(-1, -1, false);
        MouseInClient = false;
        FMouseTimer->SetEnabled(false);
    }
    if (UseSkinCursors)
        UpdateSkinCursor();
}

void TspDynamicSkinForm::UpdateSkinCursor()
{
    const int count = static_cast<int>(ObjectList.size());
    const int objectCursor =
        ActiveObject >= 0 && ActiveObject < count ? ObjectList[static_cast<size_t>(ActiveObject)]->CursorIndex : -1;
    TCursor cursor = crDefault;
    if (objectCursor != -1)
        cursor = FSkinData->StartCursorIndex + objectCursor;
    else if (FSkinData->CursorIndex != -1)
        cursor = FSkinData->StartCursorIndex + FSkinData->CursorIndex;
    if (Form->Cursor() != cursor)
        Form->SetCursor(cursor);
}

void TspDynamicSkinForm::ResetObjectsActive()
{
    for (const auto& object : ObjectList)
        if (!IsCaption(object.get()))
            object->Active = false;
}

void TspDynamicSkinForm::DoActivation(bool Redraw)
{
    // MDI frames and children are active as their WM_NCACTIVATE said.
    const bool active = IsMDIForm() || IsMDIChild() ? FormActive
                                                    : Form->HandleAllocated() && GetActiveWindow() == Form->Handle();
    for (const auto& object : ObjectList) {
        auto* caption = dynamic_cast<TspSkinCaptionObject*>(object.get());
        if (caption == nullptr)
            continue;
        if (Redraw && ObjectVisible(*caption)) {
            if (!FSupportNCArea)
                caption->Active = active;
            if (!caption->Morphing)
                DrawSkinObject(caption);
            else
                StartMorphTimer();
        } else if (caption->Morphing) {
            caption->SetMorphKf(active ? 1 : 0);
        }
    }
    if (active) {
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

// ---------------------------------------------------------------- broadcast

namespace {

template <class Visit>
void WalkControls(TControl* control, const Visit& visit)
{
    visit(control);
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < windowed->ControlCount(); ++i)
            WalkControls(windowed->Controls(i), visit);
}

}  // namespace

void TspDynamicSkinForm::UpdateSkinControls(TspSkinData* SkinData, TControl* Control)
{
    WalkControls(Control, [SkinData](TControl* c) {
        if (auto* skinned = dynamic_cast<ISkinChangeable*>(c))
            if (SkinData == nullptr || skinned->SkinData() == SkinData)
                skinned->ChangeSkinData();
    });
}

void TspDynamicSkinForm::BeforeUpdateSkinControls(TspSkinData* SkinData, TControl* Control)
{
    WalkControls(Control, [SkinData](TControl* c) {
        ISkinChangeable* skinned = dynamic_cast<TspSkinControl*>(c);
        if (skinned == nullptr)
            skinned = dynamic_cast<TspGraphicSkinControl*>(c);
        if (skinned != nullptr && (SkinData == nullptr || skinned->SkinData() == SkinData))
            skinned->BeforeChangeSkinData();
    });
}
