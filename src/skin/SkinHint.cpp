#include "skin/SkinHint.h"

#include <algorithm>
#include <vector>

#include "classlib/graphics/Colors.h"
#include "classlib/graphics/GdiHandles.h"
#include "classlib/ui/Application.h"
#include "classlib/ui/Forms.h"
#include "classlib/ui/Screen.h"
#include "skin/EffectBmp.h"
#include "skin/SkinDraw.h"
#include "skin/SkinImages.h"
#include "skin/SkinRegions.h"

namespace {

constexpr UINT ShowFlags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW;  // 81
constexpr UINT HideFlags = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE;  // 145

// The active picture at `index`, or null outside the list.
TBitmap* ActivePicture(const TspSkinData& skin, int index)
{
    if (index < 0 || index >= static_cast<int>(skin.ActivePictures.size()))
        return nullptr;
    return skin.ActivePictures[static_cast<size_t>(index)].get();
}

// The size DrawText gives `text` in `font` (DT_CALCRECT | DT_CENTER).
TPoint MeasureText(TFont& font, const std::string& text)
{
    TBitmap work;
    work.SetSize(1, 1);
    work.Canvas()->Font()->Assign(&font);
    RECT rect{};
    work.Canvas()->DrawText(text, rect, DT_CALCRECT | DT_CENTER);
    return TPoint{rect.right - rect.left, rect.bottom - rect.top};
}

// How far below the cursor's hot spot a hint goes: to the row after the
// last drawn row of the cursor's 1-bit mask, or SM_CYCURSOR when the mask
// cannot be read.
int CursorHeightMargin()
{
    int margin = GetSystemMetrics(SM_CYCURSOR);
    const HCURSOR cursor = GetCursor();
    ICONINFO info{};
    if (cursor == nullptr || !GetIconInfo(cursor, &info))
        return margin;
    const TGdiObject mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    if (info.hbmMask != nullptr && GetObjectA(info.hbmMask, sizeof bm, &bm) == sizeof bm && bm.bmBitsPixel == 1 &&
        bm.bmWidth > 0 && bm.bmHeight > 0 && bm.bmWidth <= 256 && bm.bmHeight <= 512) {
        struct {
            BITMAPINFOHEADER Header;
            RGBQUAD Colors[2];
        } header{};
        header.Header.biSize = sizeof(BITMAPINFOHEADER);
        header.Header.biWidth = bm.bmWidth;
        header.Header.biHeight = -bm.bmHeight;
        header.Header.biPlanes = 1;
        header.Header.biBitCount = 1;
        const int stride = (bm.bmWidth + 31) / 32 * 4;
        std::vector<uint8_t> bits(static_cast<size_t>(stride) * static_cast<size_t>(bm.bmHeight));
        const TScreenDC screen;
        if (GetDIBits(screen.Get(), info.hbmMask, 0, static_cast<UINT>(bm.bmHeight), bits.data(),
                      reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == bm.bmHeight) {
            // A monochrome cursor stacks its AND mask (drawn where 0) over its
            // XOR mask (drawn where 1); a colour cursor has the AND mask only.
            const int height = info.hbmColor == nullptr ? bm.bmHeight / 2 : bm.bmHeight;
            auto drawn = [&](int row) {
                for (int x = 0; x < bm.bmWidth; ++x) {
                    const auto bit = [&](int y) {
                        return (bits[static_cast<size_t>(y * stride + x / 8)] >> (7 - x % 8)) & 1;
                    };
                    if (bit(row) == 0 || (info.hbmColor == nullptr && bit(row + height) == 1))
                        return true;
                }
                return false;
            };
            int last = height - 1;
            while (last >= 0 && !drawn(last))
                --last;
            if (last >= 0)
                margin = last + 1 - static_cast<int>(info.yHotspot);
        }
    }
    return margin;
}

}  // namespace

// --- TspSkinHintWindow ---

TspSkinHintWindow::TspSkinHintWindow(TComponent* owner)
    : THintWindow(owner), FScreenImage(std::make_unique<TBitmap>())
{
}

TspSkinHintWindow::~TspSkinHintWindow() = default;

void TspSkinHintWindow::CreateParams(TCreateParams& params)
{
    THintWindow::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void TspSkinHintWindow::WndProc(TMessage& message)
{
    if (message.Msg == WM_NCPAINT) {
        message.Result = 0;
        return;
    }
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    THintWindow::WndProc(message);
}

TspSkinData* TspSkinHintWindow::SkinInUse(TspSkinHint* hint) const
{
    TspSkinData* skin = hint != nullptr ? hint->SkinData() : nullptr;
    if (skin == nullptr || skin->Empty)
        return nullptr;
    TBitmap* picture = ActivePicture(*skin, skin->HintWindow->WindowPictureIndex);
    return picture != nullptr && !picture->Empty() ? skin : nullptr;
}

void TspSkinHintWindow::ApplyFont(TFont& font, TspSkinHint* hint, TspSkinData* skin) const
{
    if (hint != nullptr)
        font.Assign(hint->DefaultFont());
    if (skin != nullptr && hint != nullptr && hint->UseSkinFont) {
        const TspDataSkinHintWindow& record = *skin->HintWindow;
        font.SetHeight(record.FontHeight);
        font.SetName(record.FontName);
        font.SetStyle(record.FontStyle);
    }
}

void TspSkinHintWindow::LayOut(const TspDataSkinHintWindow& record, const TBitmap& picture, int width, int height)
{
    const int dx = width - picture.Width();
    const int dy = height - picture.Height();
    const TRect& cl = record.ClientRect;
    NewClRect = TRect{cl.Left, cl.Top, cl.Right + dx, cl.Bottom + dy};
    NewLTPoint = record.LeftTopPoint;
    NewRTPoint = TPoint{record.RightTopPoint.X + dx, record.RightTopPoint.Y};
    NewLBPoint = TPoint{record.LeftBottomPoint.X, record.LeftBottomPoint.Y + dy};
    NewRBPoint = TPoint{record.RightBottomPoint.X + dx, record.RightBottomPoint.Y + dy};
}

void TspSkinHintWindow::ActivateHint(RECT rect, const std::string& AHint)
{
    TspSkinHint* hint = TspSkinHint::ServingHint();
    if (hint == nullptr)
        return;
    TspSkinData* skin = SkinInUse(hint);
    TFont font;
    ApplyFont(font, hint, skin);
    SetCaption(AHint);
    const TPoint text = MeasureText(font, AHint);

    int width = text.X + 4;
    int height = text.Y + 4;
    if (skin != nullptr) {
        const TspDataSkinHintWindow& record = *skin->HintWindow;
        const TBitmap& picture = *ActivePicture(*skin, record.WindowPictureIndex);
        const TRect& cl = record.ClientRect;
        width = std::max(text.X + cl.Left + (picture.Width() - cl.Right), picture.Width());
        height = std::max(text.Y + cl.Top + (picture.Height() - cl.Bottom), picture.Height());
        LayOut(record, picture, width, height);
    }

    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    if (Screen != nullptr) {
        if (rect.right > Screen->Width()) {
            rect.left -= rect.right - Screen->Width();
            rect.right = Screen->Width();
        }
        if (rect.bottom > Screen->Height()) {
            rect.top -= rect.bottom - Screen->Height();
            rect.bottom = Screen->Height();
        }
    }
    // The screen under the hint is taken before the window moves there. A
    // visible hint shown again in place keeps what it took (the screen there
    // is now the hint itself); one that moves is hidden first.
    if (!hint->AlphaBlendSupport() && hint->Transparent) {
        const bool visible = HandleAllocated() && IsWindowVisible(Handle());
        RECT shown{};
        if (visible)
            GetWindowRect(Handle(), &shown);
        const bool inPlace = visible && shown.left == rect.left && shown.top == rect.top &&
                             shown.right == rect.right && shown.bottom == rect.bottom &&
                             FScreenImage->Width() == width && FScreenImage->Height() == height;
        if (!inPlace) {
            if (visible) {
                SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                             SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                RedrawWindow(GetDesktopWindow(), &shown, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            FScreenImage->SetSize(width, height);
            GetScreenImage(rect.left, rect.top, FScreenImage.get());
        }
    }
    SetBounds(rect.left, rect.top, width, height);
    const HWND wnd = Handle();

    if (hint->AlphaBlendSupport()) {
        if (hint->Transparent != FLayered) {
            const LONG exStyle = GetWindowLongA(wnd, GWL_EXSTYLE);
            SetWindowLongA(wnd, GWL_EXSTYLE, hint->Transparent ? exStyle | WS_EX_LAYERED : exStyle & ~WS_EX_LAYERED);
            FLayered = hint->Transparent;
            FAlphaApplied = -1;
        }
        if (FLayered && FAlphaApplied != hint->TransparentValue) {
            SetLayeredWindowAlpha(wnd, hint->TransparentValue);
            FAlphaApplied = hint->TransparentValue;
        }
    }

    // The system owns a region once it is set, and frees the one it replaces.
    TBitmap* mask = skin != nullptr ? ActivePicture(*skin, skin->HintWindow->MaskPictureIndex) : nullptr;
    HRGN region = nullptr;
    if (mask != nullptr && !mask->Empty()) {
        const TspDataSkinHintWindow& record = *skin->HintWindow;
        CreateRgnFromSkinMask(region, record.LeftTopPoint, record.RightTopPoint, record.LeftBottomPoint,
                              record.RightBottomPoint, record.ClientRect, NewLTPoint, NewRTPoint, NewLBPoint,
                              NewRBPoint, NewClRect, mask, width, height);
    }
    SetWindowRegion(wnd, region);

    SetWindowPos(wnd, HWND_TOPMOST, rect.left, rect.top, 0, 0, ShowFlags);
    Invalidate();
}

void TspSkinHintWindow::Paint()
{
    TspSkinHint* hint = TspSkinHint::ServingHint();
    TspSkinData* skin = SkinInUse(hint);
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    TCanvas& canvas = *buffer.Canvas();
    const std::string text = Caption();
    if (skin != nullptr) {
        const TspDataSkinHintWindow& record = *skin->HintWindow;
        TBitmap* picture = ActivePicture(*skin, record.WindowPictureIndex);
        LayOut(record, *picture, Width(), Height());
        const TRect skinRect{0, 0, picture->Width(), picture->Height()};
        CreateSkinImage(record.LeftTopPoint, record.RightTopPoint, record.LeftBottomPoint, record.RightBottomPoint,
                        record.ClientRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect, &buffer,
                        picture, skinRect, Width(), Height(), true);
        canvas.Brush()->SetStyle(bsClear);
        ApplyFont(*canvas.Font(), hint, skin);
        canvas.Font()->SetColor(record.FontColor);
        RECT textRect{};
        canvas.DrawText(text, textRect, DT_CALCRECT | DT_CENTER);
        const int textWidth = textRect.right - textRect.left;
        const int textHeight = textRect.bottom - textRect.top;
        const int left = NewClRect.Left + (NewClRect.Right - NewClRect.Left) / 2 - textWidth / 2;
        const int top = NewClRect.Top + (NewClRect.Bottom - NewClRect.Top) / 2 - textHeight / 2;
        textRect = RECT{left, top, left + textWidth, top + textHeight};
        canvas.DrawText(text, textRect, DT_CENTER);
    } else {
        const RECT all{0, 0, Width(), Height()};
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clInfoBk);
        canvas.FillRect(all);
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(all);
        if (hint != nullptr)
            canvas.Font()->Assign(hint->DefaultFont());
        canvas.Font()->SetColor(clInfoText);
        canvas.Brush()->SetStyle(bsClear);
        RECT textRect{2, 2, Width() - 2, Height() - 2};
        canvas.DrawText(text, textRect, 0);
    }
    if (hint != nullptr && hint->Transparent && !hint->AlphaBlendSupport() && !FScreenImage->Empty()) {
        TspEffectBmp look(buffer.Handle());
        const TspEffectBmp below(FScreenImage->Handle());
        look.Morph(below, hint->TransparentValue / 100.0);
        look.Draw(canvas.Handle(), 0, 0);
    }
    Canvas()->Draw(0, 0, &buffer);
}

// --- TspSkinHint ---

namespace {

// The application's OnShowHint while a TspSkinHint holds it: forwards to the
// component as long as it lives.
struct TShowHintForwarder {
    std::weak_ptr<TspSkinHint*> Self;

    void operator()(std::string& hintStr, bool& canShow, THintInfo& hintInfo) const
    {
        const auto alive = Self.lock();
        if (alive && *alive != nullptr)
            Fire((*alive)->OnShowHint, hintStr, canShow, hintInfo);
    }
};

// The components that took over the application's hints, and the hint
// window class the application had before the first of them; the last one
// to go gives it back.
struct THintTakeover {
    std::vector<TspSkinHint*> Components;
    THintWindowClass WindowClass = nullptr;
};

THintTakeover& Takeover()
{
    static THintTakeover takeover;
    return takeover;
}

// The application's hint window made again from HintWindowClass.
void RemakeHintWindow()
{
    Application->SetShowHint(false);
    Application->SetShowHint(true);
}

}  // namespace

TspSkinHint::TspSkinHint(TComponent* owner)
    : TComponent(owner),
      FDefaultFont(std::make_unique<TFont>()),
      FSelf(std::make_shared<TspSkinHint*>(this))
{
    FHintWindow = std::make_unique<TspSkinHintWindow>(nullptr);
    if (!(ComponentState() & csDesigning)) {
        THintTakeover& takeover = Takeover();
        if (takeover.Components.empty())
            takeover.WindowClass = HintWindowClass;
        takeover.Components.push_back(this);
        HintWindowClass = CreateHintWindowOf<TspSkinHintWindow>;
        RemakeHintWindow();
        InstallShowHint();
        Application->HintShortPause = 100;
    }
}

TspSkinHint::~TspSkinHint()
{
    *FSelf = nullptr;
    THintTakeover& takeover = Takeover();
    if (std::erase(takeover.Components, this) == 0 || Application == nullptr)
        return;
    const auto* forwarder = Application->OnShowHint.target<TShowHintForwarder>();
    const bool ours = forwarder != nullptr && forwarder->Self.lock() == FSelf;
    if (!takeover.Components.empty()) {
        if (ours)
            takeover.Components.back()->InstallShowHint();
        return;
    }
    if (ours)
        Application->OnShowHint = nullptr;
    HintWindowClass = takeover.WindowClass;
    if (Application->ShowHint())
        RemakeHintWindow();
}

void TspSkinHint::InstallShowHint()
{
    Application->OnShowHint = TShowHintForwarder{FSelf};
}

void TspSkinHint::SetAlphaBlendSupport(bool value)
{
    FAlphaBlendSupport = value && ((ComponentState() & csDesigning) || IsWindows2000OrXP());
}

void TspSkinHint::SetSkinData(TspSkinData* value)
{
    if (FSkinData != nullptr && FSkinData != value)
        FSkinData->RemoveFreeNotification(this);
    FSkinData = value;
    if (value != nullptr)
        value->FreeNotification(this);
}

void TspSkinHint::SetActive(bool value)
{
    FActive = value;
    if (!value)
        return;
    if (TForm* main = Application->MainForm()) {
        for (int i = 0; i < main->ComponentCount(); ++i) {
            auto* other = dynamic_cast<TspSkinHint*>(main->Components(i));
            if (other != nullptr && other != this && other->FActive)
                other->SetActive(false);
        }
    }
    if (!(ComponentState() & csDesigning))
        InstallShowHint();
}

TspSkinHint* TspSkinHint::ServingHint()
{
    TForm* main = Application->MainForm();
    if (main == nullptr)
        return nullptr;
    for (int i = 0; i < main->ComponentCount(); ++i) {
        auto* hint = dynamic_cast<TspSkinHint*>(main->Components(i));
        if (hint != nullptr && hint->FActive && !(hint->ComponentState() & csDestroying))
            return hint;
    }
    return nullptr;
}

void TspSkinHint::Notification(TComponent* aComponent, TOperation operation)
{
    TComponent::Notification(aComponent, operation);
    if (operation == opRemove && aComponent == FSkinData)
        FSkinData = nullptr;
}

void TspSkinHint::ActivateHint(const std::string& Text)
{
    FText = Text;
    FTimer = std::make_unique<TTimer>(nullptr);
    FShowing = false;
    FTimer->SetInterval(static_cast<unsigned>(std::max(Application->HintPause, 1)));
    FTimer->OnTimer = [this](TObject*) { TimerElapsed(); };
}

void TspSkinHint::TimerElapsed()
{
    if (FShowing) {
        HideHint();
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    cursor.y += CursorHeightMargin();
    FHintWindow->ActivateHint(RECT{cursor.x, cursor.y, cursor.x, cursor.y}, FText);
    // The timer goes on, now to hide the hint (it is never freed from its
    // own event).
    FShowing = true;
    FTimer->SetInterval(static_cast<unsigned>(std::max(Application->HintHidePause, 1)));
}

void TspSkinHint::HideHint()
{
    if (FTimer != nullptr)
        FTimer->SetEnabled(false);
    FShowing = false;
    if (FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->Handle()))
        SetWindowPos(FHintWindow->Handle(), HWND_TOPMOST, 0, 0, 0, 0, HideFlags);
}

void RegisterSkinHintClasses(TClassRegistry& classes)
{
    classes.Register<TspSkinHint>("TspSkinHint", "TComponent")
        .Object("DefaultFont", &TspSkinHint::DefaultFont)
        .Bool("UseSkinFont", [](TspSkinHint* h, bool v) { h->UseSkinFont = v; })
        .Bool("AlphaBlendSupport", &TspSkinHint::SetAlphaBlendSupport)
        .Bool("Transparent", [](TspSkinHint* h, bool v) { h->Transparent = v; })
        .Int("TransparentValue",
             [](TspSkinHint* h, int v) { h->TransparentValue = static_cast<uint8_t>(std::clamp(v, 0, 100)); })
        .Component<TspSkinData>("SkinData", &TspSkinHint::SetSkinData)
        .Bool("Active", &TspSkinHint::SetActive)
        .Event("OnShowHint", &TspSkinHint::OnShowHint);
}
