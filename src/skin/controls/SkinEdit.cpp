#include "skin/controls/SkinEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/core/Types.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/ui/ControlsRegistration.h"
#include "classlib/ui/StdCtrlsDraw.h"
#include "skin/EffectBmp.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/controls/SkinButton.h"
#include "skin/core/SkinComposition.h"

namespace {

RECT ToRECT(const TRect& r)
{
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

// The messages a read-only control swallows: typing (copying with Ctrl+C
// stays), cut, paste, clear, undo and the Delete key.
bool IsEditingMessage(const TMessage& message)
{
    switch (message.Msg) {
    case WM_CHAR:
        return message.WParam != 3;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    case WM_KEYDOWN:
        return message.WParam == VK_DELETE;
    default:
        return false;
    }
}

// The client area in window coordinates.
RECT ClientInWindow(HWND wnd)
{
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    POINT origin{0, 0};
    ClientToScreen(wnd, &origin);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    return client;
}

// Shrinks the proposed client rectangle of WM_NCCALCSIZE by the frame.
void ShrinkBy(LPARAM lParam, int left, int top, int right, int bottom)
{
    auto* rect = reinterpret_cast<RECT*>(lParam);
    rect->left += left;
    rect->top += top;
    rect->right = std::max(rect->right - right, rect->left);
    rect->bottom = std::max(rect->bottom - bottom, rect->top);
}

// The plain frame: two one-pixel frames on a clWindow ground, the inner one
// clBtnShadow (clBtnFace when active).
void DrawPlainFrame(TCanvas* canvas, int w, int h, bool active)
{
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clWindow);
    canvas->FillRect(RECT{0, 0, w, h});
    canvas->Brush()->SetColor(active ? clBtnShadow : clBtnFace);
    canvas->FrameRect(RECT{0, 0, w, h});
    canvas->Brush()->SetColor(active ? clBtnFace : clBtnShadow);
    canvas->FrameRect(RECT{1, 1, w - 1, h - 1});
}

// Draws the frame bitmap on the window's non-client area only.
void DrawOnFrame(HWND wnd, TBitmap* frame)
{
    const HDC dc = GetWindowDC(wnd);
    if (dc == nullptr)
        return;
    const RECT client = ClientInWindow(wnd);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    BitBlt(dc, 0, 0, frame->Width(), frame->Height(), frame->Canvas()->Handle(), 0, 0, SRCCOPY);
    ReleaseDC(wnd, dc);
}

// A see-through control shows its parent: the parent's area under it is
// invalidated too, then the control with its frame.
void InvalidateSeeThrough(TWinControl* control)
{
    TWinControl* parent = control->Parent();
    if (parent != nullptr && parent->HandleAllocated()) {
        RECT under{control->Left(), control->Top(), control->Left() + control->Width(),
                   control->Top() + control->Height()};
        RedrawWindow(parent->Handle(), &under, nullptr, RDW_INVALIDATE | RDW_ERASE);
    }
    RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// The messages after which a see-through control is drawn again: text
// changes, keys, clipboard edits, moves, focus changes and presses.
bool ChangesSeeThrough(UINT msg)
{
    switch (msg) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_MOVE:
    case WM_LBUTTONDOWN:
    case CM_TEXTCHANGED:
        return true;
    default:
        return false;
    }
}

SIZE WindowSize(HWND wnd)
{
    RECT window{};
    GetWindowRect(wnd, &window);
    return SIZE{window.right - window.left, window.bottom - window.top};
}

}  // namespace

// --- TspCustomEdit ---------------------------------------------------------------

TspCustomEdit::TspCustomEdit(TComponent* owner) : TCustomEdit(owner)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

void TspCustomEdit::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    RecreateWnd();
}

void TspCustomEdit::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_BORDER);
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (FTransparent)
        params.ExStyle |= WS_EX_TRANSPARENT;
}

void TspCustomEdit::WndProc(TMessage& message)
{
    if (ReadOnly() && IsEditingMessage(message)) {
        message.Result = 0;
        return;
    }
    switch (message.Msg) {
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (FTransparent) {
            const auto dc = reinterpret_cast<HDC>(message.WParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (FTransparent) {
            // The parent's ground under the text, since the text is drawn
            // without a background.
            TCanvas canvas;
            canvas.SetHandle(reinterpret_cast<HDC>(message.WParam));
            DrawParentImage(this, &canvas);
            canvas.SetHandle(nullptr);
            message.Result = 1;
            return;
        }
        break;
    }
    if (message.Msg == WM_LBUTTONDOWN)
        FMouseHeld = true;
    else if (message.Msg == WM_LBUTTONUP)
        FMouseHeld = false;
    TCustomEdit::WndProc(message);
    if (!FTransparent || !HandleAllocated())
        return;
    if (ChangesSeeThrough(message.Msg) || (message.Msg == WM_MOUSEMOVE && FMouseHeld))
        InvalidateSeeThrough(this);
}

// --- TspSkinCustomEdit -------------------------------------------------------------

TspSkinCustomEdit::TspSkinCustomEdit(TComponent* owner)
    : TspSkinLinkT(owner), FDefaultFont(std::make_unique<TFont>())
{
    Font()->SetName("Arial");
    Font()->SetColor(clWindowText);
    Font()->SetStyle(0);
    Font()->SetHeight(14);
    FDefaultFont->Assign(Font());
    FDefaultFont->OnChange = [this](TObject*) {
        if (FIndex == -1)
            Font()->Assign(FDefaultFont.get());
    };
    FTransparent = true;
    SetBounds(Left(), Top(), Width(), 20);
}

TspSkinCustomEdit::~TspSkinCustomEdit() = default;

void TspSkinCustomEdit::BeforeChangeSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
}

void TspSkinCustomEdit::GetSkinData()
{
    BeforeChangeSkinData();
    const auto* record = FindSkinRecord<TspDataSkinEditControl>(SkinData(), SkinDataName, FIndex);
    if (record == nullptr)
        return;
    FPicture = PictureAt(SkinData(), record->PictureIndex);
    FSkinRect = record->SkinRect;
    FActiveSkinRect = IsEmpty(record->ActiveSkinRect) ? FSkinRect : record->ActiveSkinRect;
    FLeftPart = record->LeftTopPoint.X;
    FRightPart = record->RightTopPoint.X;
    FClRect = record->ClientRect;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FActiveFontColor = record->ActiveFontColor;
    FSkinButtonRect = record->ButtonRect;
    FActiveButtonRect = record->ActiveButtonRect;
    FDownButtonRect = IsEmpty(record->DownButtonRect) ? FActiveButtonRect : record->DownButtonRect;
}

void TspSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    if (FIndex == -1) {
        Font()->Assign(FDefaultFont.get());
        if (DefaultWidth > 0)
            SetWidth(DefaultWidth);
        if (DefaultHeight > 0)
            SetHeight(DefaultHeight);
    } else {
        if (UseSkinFont) {
            Font()->SetName(FFontName);
            Font()->SetStyle(FFontStyle);
            Font()->SetHeight(FFontHeight);
        } else {
            Font()->Assign(FDefaultFont.get());
        }
        SetHeight(HeightOf(FSkinRect));
        Font()->SetColor(Active() ? FActiveFontColor : FFontColor);
    }
    RecreateWnd();
}

void TspSkinCustomEdit::SetButtonMode(bool value)
{
    if (value == FButtonMode)
        return;
    FButtonMode = value;
    FrameChanged();
}

TRect TspSkinCustomEdit::ButtonRect() const
{
    if (!FButtonMode)
        return TRect{};
    const int w = Width();
    const int h = Height();
    if (FIndex == -1)
        return TRect{w - 22, 2, w - 2, h - 2};
    TRect r{FSkinButtonRect.Left - FSkinRect.Left, FSkinButtonRect.Top - FSkinRect.Top,
            FSkinButtonRect.Right - FSkinRect.Left, FSkinButtonRect.Bottom - FSkinRect.Top};
    if (r.Left >= FRightPart) {
        const int dx = w - WidthOf(FSkinRect);
        r.Left += dx;
        r.Right += dx;
    }
    return r;
}

void TspSkinCustomEdit::CreateParams(TCreateParams& params)
{
    TspSkinLinkT::CreateParams(params);
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
}

void TspSkinCustomEdit::CreateWnd()
{
    TspSkinLinkT::CreateWnd();
    FrameChanged();
}

bool TspSkinCustomEdit::Active() const
{
    return Focused() || FMouseIn;
}

void TspSkinCustomEdit::ApplyActiveColour()
{
    if (FIndex != -1)
        Font()->SetColor(Active() ? FActiveFontColor : FFontColor);
    if (HandleAllocated())
        PaintFrame();
}

void TspSkinCustomEdit::PaintFrame()
{
    const SIZE size = WindowSize(Handle());
    TBitmap frame;
    const TRect button = ButtonRect();
    if (FIndex != -1 && FPicture != nullptr) {
        CreateHSkinImage(FLeftPart, WidthOf(FSkinRect) - FRightPart, &frame, FPicture,
                         Active() ? FActiveSkinRect : FSkinRect, size.cx, size.cy);
        const TRect look = FButtonDown && FButtonMouseIn ? FDownButtonRect : FButtonMouseIn ? FActiveButtonRect : TRect{};
        if (FButtonMode && !IsEmpty(look))
            frame.Canvas()->CopyRect(ToRECT(button), FPicture->Canvas(), ToRECT(look));
    } else {
        frame.SetSize(size.cx, size.cy);
        DrawPlainFrame(frame.Canvas(), size.cx, size.cy, Active());
        if (FButtonMode) {
            DrawDefaultButtonFace(frame.Canvas(), ToRECT(button), FButtonDown && FButtonMouseIn, FButtonMouseIn);
            DrawArrowImage(frame.Canvas(), button, clBtnText, 4);
        }
    }
    DrawOnFrame(Handle(), &frame);
}

void TspSkinCustomEdit::PaintDisabledText()
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(Handle(), &ps);
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    DrawControlText(dc, Text(), client, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, Font(), clGrayText);
    EndPaint(Handle(), &ps);
}

void TspSkinCustomEdit::WndProc(TMessage& message)
{
    const bool designing = (ComponentState() & csDesigning) != 0;
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        if (FIndex != -1)
            ShrinkBy(message.LParam, FClRect.Left, FClRect.Top, WidthOf(FSkinRect) - FClRect.Right,
                     HeightOf(FSkinRect) - FClRect.Bottom);
        else
            ShrinkBy(message.LParam, 2, 2, FButtonMode ? 22 : 2, 2);
        message.Result = 0;
        return;
    case WM_NCPAINT:
        PaintFrame();
        message.Result = 0;
        return;
    case WM_PAINT:
        if (!Enabled() && message.WParam == 0) {
            PaintDisabledText();
            message.Result = 0;
            return;
        }
        break;
    case WM_NCHITTEST:
        if (FButtonMode && !designing) {
            POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            RECT window{};
            GetWindowRect(Handle(), &window);
            point.x -= window.left;
            point.y -= window.top;
            const TRect button = ButtonRect();
            const RECT client = ClientInWindow(Handle());
            if (point.x >= button.Left && point.x < button.Right && point.y >= button.Top && point.y < button.Bottom)
                message.Result = HTHSCROLL;
            else if (PtInRect(&client, point))
                break;
            else
                message.Result = HTVSCROLL;
            return;
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_NCMBUTTONDBLCLK: {
        const bool onButton = message.WParam == HTHSCROLL;
        if (message.Msg == WM_NCMOUSEMOVE && onButton != FButtonMouseIn) {
            FButtonMouseIn = onButton;
            PaintFrame();
        }
        if (!onButton && message.WParam != HTVSCROLL)
            break;
        // Our own codes: never the default processing, which would track a
        // scroll bar that is not there.
        if (message.Msg == WM_NCLBUTTONDOWN || message.Msg == WM_NCLBUTTONDBLCLK) {
            if (onButton) {
                FButtonDown = true;
                FButtonMouseIn = true;
                PaintFrame();
            }
        } else if (message.Msg == WM_NCLBUTTONUP && FButtonDown) {
            FButtonDown = false;
            PaintFrame();
            if (onButton) {
                if (!Focused() && CanFocus())
                    SetFocus();
                Fire(OnButtonClick, this);
            }
        }
        message.Result = 0;
        return;
    }
    case WM_SETFONT:
        TspSkinLinkT::WndProc(message);
        SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TspCustomEdit::WndProc(message);
        ApplyActiveColour();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseIn = message.Msg == CM_MOUSEENTER;
        if (!FMouseIn)
            FButtonMouseIn = false;
        TspCustomEdit::WndProc(message);
        ApplyActiveColour();
        return;
    }
    TspCustomEdit::WndProc(message);
}

// --- TspSkinMemo -------------------------------------------------------------------------

TspSkinMemo::TspSkinMemo(TComponent* owner) : TspSkinLinkT(owner), FDefaultFont(std::make_unique<TFont>())
{
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    FDefaultFont->Assign(Font());
    FDefaultFont->OnChange = [this](TObject*) {
        if (FIndex == -1)
            Font()->Assign(FDefaultFont.get());
    };
}

TspSkinMemo::~TspSkinMemo()
{
    ReleaseScrollBar();
}

void TspSkinMemo::Notification(TComponent* component, TOperation operation)
{
    TspSkinLinkT::Notification(component, operation);
    if (operation == opRemove && component == FVScrollBar)
        FVScrollBar = nullptr;
}

void TspSkinMemo::ReleaseScrollBar()
{
    if (FVScrollBar == nullptr)
        return;
    FVScrollBar->OnChange = nullptr;
    FVScrollBar->RemoveFreeNotification(this);
    FVScrollBar = nullptr;
}

void TspSkinMemo::SetVScrollBar(TspSkinScrollBar* value)
{
    if (value == FVScrollBar)
        return;
    ReleaseScrollBar();
    FVScrollBar = value;
    if (FVScrollBar == nullptr)
        return;
    FVScrollBar->FreeNotification(this);
    FVScrollBar->SetRange(0, 0, 0, 0);
    FVScrollBar->OnChange = [this](TObject*) {
        if (!HandleAllocated() || FVScrollBar == nullptr)
            return;
        // An edit without WS_VSCROLL reads a thumb position as a percentage
        // of its range: the memo scrolls by lines to the bar's position.
        const auto first = static_cast<int>(SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        SendMessageA(Handle(), EM_LINESCROLL, 0, FVScrollBar->Position() - first);
        Invalidate();
    };
    UpdateScrollBar();
}

void TspSkinMemo::UpdateScrollBar()
{
    if (FVScrollBar == nullptr || !HandleAllocated())
        return;
    const int lineHeight = std::max(FontLineHeight(Font()), 1);
    const int visible = std::max(ClientHeight() / lineHeight, 1);
    const auto lines = static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
    const auto first = static_cast<int>(SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    if (lines <= visible) {
        FVScrollBar->SetRange(0, 0, 0, 0);
        FVScrollBar->SetEnabled(false);
    } else {
        FVScrollBar->SetRange(0, lines, visible + 1, first);
        FVScrollBar->SetEnabled(true);
    }
}

void TspSkinMemo::BeforeChangeSkinData()
{
    FIndex = -1;
    FPicture = nullptr;
}

void TspSkinMemo::GetSkinData()
{
    BeforeChangeSkinData();
    const auto* record = FindSkinRecord<TspDataSkinMemoControl>(SkinData(), SkinDataName, FIndex);
    if (record == nullptr)
        return;
    FPicture = PictureAt(SkinData(), record->PictureIndex);
    FSkinRect = record->SkinRect;
    FActiveSkinRect = IsEmpty(record->ActiveSkinRect) ? FSkinRect : record->ActiveSkinRect;
    FClRect = record->ClientRect;
    FLTPoint = record->LeftTopPoint;
    FRTPoint = record->RightTopPoint;
    FLBPoint = record->LeftBottomPoint;
    FRBPoint = record->RightBottomPoint;
    FFontName = record->FontName;
    FFontStyle = record->FontStyle;
    FFontHeight = record->FontHeight;
    FFontColor = record->FontColor;
    FActiveFontColor = record->ActiveFontColor;
    FBgColor = record->BgColor;
    FActiveBgColor = record->ActiveBgColor;
}

void TspSkinMemo::ChangeSkinData()
{
    GetSkinData();
    if (FIndex == -1) {
        Font()->Assign(FDefaultFont.get());
    } else {
        if (UseSkinFont) {
            Font()->SetName(FFontName);
            Font()->SetStyle(FFontStyle);
            Font()->SetHeight(FFontHeight);
        }
        Font()->SetColor(Active() ? FActiveFontColor : FFontColor);
        SetColor(Active() ? FActiveBgColor : FBgColor);
    }
    UpdateScrollBar();
    RecreateWnd();
}

bool TspSkinMemo::Active() const
{
    return Focused() || FMouseIn;
}

void TspSkinMemo::ApplyActiveColours()
{
    if (FIndex != -1) {
        Font()->SetColor(Active() ? FActiveFontColor : FFontColor);
        if (!BitMapBG)
            SetColor(Active() ? FActiveBgColor : FBgColor);
    }
    if (!HandleAllocated())
        return;
    PaintFrame();
    // The picture under the text follows the state rectangle too.
    if (PictureBackground())
        InvalidateSeeThrough(this);
}

void TspSkinMemo::CreateParams(TCreateParams& params)
{
    TCustomMemo::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_BORDER);
    params.Style |= ES_MULTILINE;
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_TRANSPARENT);
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TspSkinMemo::CreateWnd()
{
    TCustomMemo::CreateWnd();
    FrameChanged();
    UpdateScrollBar();
}

bool TspSkinMemo::PictureBackground() const
{
    return BitMapBG && FIndex != -1 && FPicture != nullptr;
}

bool TspSkinMemo::MakePictureBackground(TBitmap* image)
{
    const SIZE size = WindowSize(Handle());
    if (!PictureBackground() || size.cx < 1 || size.cy < 1)
        return false;
    const TSkinGeometry old{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
    const TSkinGeometry fresh = NewSkinGeometry(old, FSkinRect, size.cx, size.cy);
    CreateSkinImage(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint, fresh.RTPoint,
                    fresh.LBPoint, fresh.RBPoint, fresh.ClRect, image, FPicture,
                    Active() ? FActiveSkinRect : FSkinRect, size.cx, size.cy, true);
    if (Transparent) {
        TBitmap behind;
        behind.SetSize(size.cx, size.cy);
        DrawParentImage(this, behind.Canvas());
        TspEffectBmp look(image->Handle()), below(behind.Handle());
        look.Morph(below, std::clamp(TransparentValue, 0, 100) / 100.0);
        look.Draw(image->Canvas()->Handle(), 0, 0);
    }
    return true;
}

void TspSkinMemo::PaintPictureClient(HDC dc)
{
    TBitmap image;
    if (!MakePictureBackground(&image))
        return;
    const RECT client = ClientInWindow(Handle());
    BitBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, image.Canvas()->Handle(), client.left,
           client.top, SRCCOPY);
}

void TspSkinMemo::PaintFrame()
{
    const SIZE size = WindowSize(Handle());
    TBitmap frame;
    if (MakePictureBackground(&frame)) {
        DrawOnFrame(Handle(), &frame);
        return;
    }
    frame.SetSize(size.cx, size.cy);
    if (FIndex != -1 && FPicture != nullptr) {
        const TSkinGeometry old{FLTPoint, FRTPoint, FLBPoint, FRBPoint, FClRect};
        const TSkinGeometry fresh = NewSkinGeometry(old, FSkinRect, size.cx, size.cy);
        TBitmap left, top, right, bottom;
        CreateSkinBorderImages(old.LTPoint, old.RTPoint, old.LBPoint, old.RBPoint, old.ClRect, fresh.LTPoint,
                               fresh.RTPoint, fresh.LBPoint, fresh.RBPoint, fresh.ClRect, &left, &top, &right,
                               &bottom, FPicture, Active() ? FActiveSkinRect : FSkinRect, size.cx, size.cy);
        frame.Canvas()->Draw(0, 0, &top);
        frame.Canvas()->Draw(0, fresh.ClRect.Top, &left);
        frame.Canvas()->Draw(fresh.ClRect.Right, fresh.ClRect.Top, &right);
        frame.Canvas()->Draw(0, fresh.ClRect.Bottom, &bottom);
    } else {
        DrawPlainFrame(frame.Canvas(), size.cx, size.cy, Active());
    }
    DrawOnFrame(Handle(), &frame);
}

void TspSkinMemo::WndProc(TMessage& message)
{
    if (ReadOnly() && IsEditingMessage(message)) {
        message.Result = 0;
        return;
    }
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        if (FIndex != -1)
            ShrinkBy(message.LParam, FClRect.Left, FClRect.Top, WidthOf(FSkinRect) - FClRect.Right,
                     HeightOf(FSkinRect) - FClRect.Bottom);
        else
            ShrinkBy(message.LParam, 2, 2, 2, 2);
        message.Result = 0;
        return;
    case WM_NCPAINT:
        PaintFrame();
        message.Result = 0;
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (PictureBackground()) {
            // The text over the picture, without a ground of its own.
            const auto dc = reinterpret_cast<HDC>(message.WParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (PictureBackground()) {
            PaintPictureClient(reinterpret_cast<HDC>(message.WParam));
            message.Result = 1;
            return;
        }
        break;
    case WM_SETFONT:
        TCustomMemo::WndProc(message);
        SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomMemo::WndProc(message);
        ApplyActiveColours();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseIn = message.Msg == CM_MOUSEENTER;
        TCustomMemo::WndProc(message);
        ApplyActiveColours();
        return;
    }
    if (message.Msg == WM_LBUTTONDOWN)
        FMouseHeld = true;
    else if (message.Msg == WM_LBUTTONUP)
        FMouseHeld = false;
    TCustomMemo::WndProc(message);
    if (PictureBackground() && HandleAllocated() &&
        (ChangesSeeThrough(message.Msg) || message.Msg == WM_VSCROLL || message.Msg == WM_MOUSEWHEEL ||
         (message.Msg == WM_MOUSEMOVE && FMouseHeld)))
        InvalidateSeeThrough(this);
    switch (message.Msg) {
    case CN_COMMAND:
    case WM_VSCROLL:
    case WM_SIZE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case CM_TEXTCHANGED:
        UpdateScrollBar();
        break;
    }
}

// --- Registration ---------------------------------------------------------------------------

void RegisterSkinEditClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinCustomEdit>("TspSkinCustomEdit", "TCustomEdit")
        .Component<TspSkinData>("SkinData", &TspSkinCustomEdit::SetSkinData)
        .String("SkinDataName", &TspSkinCustomEdit::SkinDataName)
        .Object("DefaultFont", &TspSkinCustomEdit::DefaultFont)
        .Bool("UseSkinFont", &TspSkinCustomEdit::UseSkinFont)
        .Int("DefaultWidth", &TspSkinCustomEdit::DefaultWidth)
        .Int("DefaultHeight", &TspSkinCustomEdit::DefaultHeight)
        .Bool("ButtonMode", &TspSkinCustomEdit::SetButtonMode)
        .Bool("ReadOnly", &TspSkinCustomEdit::SetReadOnly)
        .Bool("Transparent", &TspSkinCustomEdit::SetTransparent)
        .Event("OnButtonClick", &TspSkinCustomEdit::OnButtonClick);
    classes.Register<TspSkinMemo>("TspSkinMemo", "TCustomMemo")
        .Component<TspSkinData>("SkinData", &TspSkinMemo::SetSkinData)
        .String("SkinDataName", &TspSkinMemo::SkinDataName)
        .Object("DefaultFont", &TspSkinMemo::DefaultFont)
        .Bool("UseSkinFont", &TspSkinMemo::UseSkinFont)
        .Bool("BitMapBG", &TspSkinMemo::BitMapBG)
        .Bool("Transparent", &TspSkinMemo::Transparent)
        .Int("TransparentValue", &TspSkinMemo::TransparentValue)
        .Bool("ReadOnly", &TspSkinMemo::SetReadOnly)
        .Component<TspSkinScrollBar>("VScrollBar", &TspSkinMemo::SetVScrollBar);
}
