#include "app/core/DisplayControl.h"

#include <utility>

// --- TFullScreenMode -------------------------------------------------------------

TFullScreenMode::TFullScreenMode(TCustomDisplayControl* display)
    : TScreenMode(640, 480, 16), FDisplay(display)
{
}

void TFullScreenMode::Changed()
{
    if (FDisplay == nullptr || FDisplay->IsDesigning())
        return;
    const TColorDepthModes& groups = FDisplay->FColorDepthModes;
    if (groups.Count() == 0)
        return;
    int group = groups.IndexOf(FColorDepth);
    if (group < 0) {
        group = 0;
        FColorDepth = groups.Items(0).Depth;
    }
    const TScreenModes& sizes = groups.Items(group).Modes;
    if (sizes.IndexOf(Width(), Height()) < 0)
        FScreenSize = sizes.Items(0).ScreenSize();
}

// --- TCustomDisplayControl ---------------------------------------------------------

TCustomDisplayControl::TCustomDisplayControl(TComponent* owner, std::unique_ptr<TDisplayDriver> driver)
    : TComponent(owner),
      FDriver(std::move(driver)),
      FVideoModes(std::make_unique<TVideoModesList>(*FDriver)),
      FDesktopMode(std::make_unique<TScreenMode>()),
      FFullScreenMode(std::make_unique<TFullScreenMode>(this))
{
}

TCustomDisplayControl::~TCustomDisplayControl()
{
    if (FFullScreen && !IsDesigning())
        FVideoModes->RestoreMode();
    FFullScreen = false;
}

void TCustomDisplayControl::DoModeChanging()
{
    if (OnModeChanging)
        OnModeChanging(this);
}

void TCustomDisplayControl::DoModeChanged()
{
    if (OnModeChanged)
        OnModeChanged(this);
}

void TCustomDisplayControl::EnumerateModes()
{
    FColorDepthModes.Clear();
    FVideoModes->ReadVideoModes();
    for (int i = 0; i < FVideoModes->Count(); ++i) {
        const TVideoMode& mode = FVideoModes->GetMode(i);
        bool accept = true;
        if (OnFilterMode)
            OnFilterMode(mode.BitsPerPixel, mode.Width, mode.Height, accept);
        if (accept) {
            TColorDepthMode& group = FColorDepthModes.Items(FColorDepthModes.Add(mode.BitsPerPixel));
            group.Modes.AddMode(mode.Width, mode.Height, mode.BitsPerPixel);
        }
    }
}

bool TCustomDisplayControl::ChangeMode(int width, int height, int depth)
{
    FFullScreenMode->SetMode(width, height, depth);
    DoModeChanging();
    const TScreenMode& mode = FullScreenMode();
    const bool success = FVideoModes->SetMode(mode.Width(), mode.Height(), mode.ColorDepth());
    FFullScreen = FVideoModes->Active();
    DoModeChanged();
    return success;
}

void TCustomDisplayControl::RestoreMode()
{
    DoModeChanging();
    FVideoModes->RestoreMode();
    FFullScreen = FVideoModes->Active();
    DoModeChanged();
}

TScreenMode& TCustomDisplayControl::GetDesktopMode()
{
    const TVideoMode& desktop = FVideoModes->GetCurrentMode();
    FDesktopMode->SetMode(desktop.Width, desktop.Height, desktop.BitsPerPixel);
    return *FDesktopMode;
}

TScreenMode& TCustomDisplayControl::FullScreenMode()
{
    if (DesktopOnly)
        return GetDesktopMode();
    return *FFullScreenMode;
}

void TCustomDisplayControl::SetFullScreen(bool value)
{
    if (value == FFullScreen)
        return;
    if (IsDesigning() || (ComponentState() & csLoading) != 0) {
        FFullScreen = value;
        return;
    }
    if (value) {
        const TScreenMode& mode = FullScreenMode();
        ChangeMode(mode.Width(), mode.Height(), mode.ColorDepth());
    } else {
        RestoreMode();
    }
}

void TCustomDisplayControl::Loaded()
{
    TComponent::Loaded();
    if (IsDesigning())
        return;
    if (EnumerateOnLoad)
        EnumerateModes();
    if (FFullScreen) {
        const TScreenMode& mode = FullScreenMode();
        ChangeMode(mode.Width(), mode.Height(), mode.ColorDepth());
    }
}

void TCustomDisplayControl::GetColorDepthNames(TStrings& strings) const
{
    strings.Clear();
    for (int i = 0; i < FColorDepthModes.Count(); ++i)
        strings.Add(ColorDepthName(FColorDepthModes.Items(i).Depth));
}

void TCustomDisplayControl::GetScreenSizeNames(TStrings& strings) const
{
    const int group = GetColorDepthIndex();
    if (group < 0)
        return;
    const TScreenModes& sizes = FColorDepthModes.Items(group).Modes;
    strings.Clear();
    for (int i = 0; i < sizes.Count(); ++i)
        strings.Add(sizes.Items(i).GetScreenSizeName());
}

int TCustomDisplayControl::GetColorDepthIndex() const
{
    return FColorDepthModes.IndexOf(FFullScreenMode->ColorDepth());
}

int TCustomDisplayControl::GetScreenSizeIndex() const
{
    const int group = GetColorDepthIndex();
    if (group < 0)
        return -1;
    return FColorDepthModes.Items(group).Modes.IndexOf(FFullScreenMode->Width(), FFullScreenMode->Height());
}
