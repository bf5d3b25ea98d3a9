// TCustomDisplayControl: the component that lists the display modes, holds
// the desktop and full-screen modes and switches the screen for full-screen
// runs, raising OnModeChanging / OnModeChanged around every switch.
//
// The modes are grouped by colour depth (in order of first appearance, the
// sizes of each depth in enumeration order) for the settings dialog's two
// lists. The full-screen mode always stays inside these groups once they
// exist: a depth without a group becomes the first group's depth, a size
// its depth lacks becomes that group's first size.
//
// The display driver is handed in by the creator: Win32 code passes
// CreateWin32DisplayDriver(), tests a fake.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/core/ScreenMode.h"
#include "app/core/VideoModesList.h"
#include "classlib/core/Components.h"
#include "classlib/core/StringList.h"

// Decides whether an enumerated mode is offered; Accept starts true.
using TFilterModeEvent = std::function<void(int depth, int width, int height, bool& accept)>;

class TCustomDisplayControl;

// The mode of full-screen runs; starts as 640 x 480 at 16 bits and keeps
// itself inside its display's depth groups.
class TFullScreenMode : public TScreenMode {
public:
    explicit TFullScreenMode(TCustomDisplayControl* display);
    std::string ClassName() const override { return "TFullScreenMode"; }

protected:
    void Changed() override;

private:
    TCustomDisplayControl* FDisplay;
};

class TCustomDisplayControl : public TComponent {
public:
    TCustomDisplayControl(TComponent* owner, std::unique_ptr<TDisplayDriver> driver);
    // Restores the display when a full-screen mode is in force (without
    // events: the handlers' objects may be gone already).
    ~TCustomDisplayControl() override;

    std::string ClassName() const override { return "TCustomDisplayControl"; }

    // Reads the driver's modes and fills the depth groups with those that
    // OnFilterMode accepts.
    void EnumerateModes();
    // Sets the full-screen mode (kept inside the groups), then switches to
    // FullScreenMode(); FullScreen tells whether the switch is in force.
    virtual bool ChangeMode(int width, int height, int depth);
    virtual void RestoreMode();

    // The desktop mode, read again from the driver.
    TScreenMode& GetDesktopMode();
    // The desktop mode when DesktopOnly, else the stored full-screen mode.
    TScreenMode& FullScreenMode();
    void SetFullScreenMode(TScreenMode& mode) { mode.AssignTo(FFullScreenMode.get()); }
    // The stored full-screen mode itself, whatever DesktopOnly says: what a
    // form description's "FullScreenMode.ColorDepth" sets.
    TScreenMode& StoredFullScreenMode() { return *FFullScreenMode; }

    bool FullScreen() const { return FFullScreen; }
    // At run time switches to FullScreenMode() or back; while designing or
    // loading only the flag is stored (Loaded acts on it).
    void SetFullScreen(bool value);

    bool DesktopOnly = false;
    // Enumerate the modes when loaded (descendants set it in their constructor).
    bool EnumerateOnLoad = false;

    // One depth name per group.
    void GetColorDepthNames(TStrings& strings) const;
    // The size names of the full-screen depth's group; the strings are left
    // as they are when that depth has no group.
    void GetScreenSizeNames(TStrings& strings) const;
    // Group index of the full-screen depth, -1 when absent.
    int GetColorDepthIndex() const;
    // Index of the full-screen size in its depth's group, -1 when absent.
    int GetScreenSizeIndex() const;

    TVideoModesList& VideoModes() { return *FVideoModes; }
    const TColorDepthModes& ColorDepthModes() const { return FColorDepthModes; }

    void Loaded() override;

    TNotifyEvent OnModeChanged;
    TNotifyEvent OnModeChanging;
    TFilterModeEvent OnFilterMode;

private:
    bool IsDesigning() const { return (ComponentState() & csDesigning) != 0; }
    void DoModeChanging();
    void DoModeChanged();

    std::unique_ptr<TDisplayDriver> FDriver;
    std::unique_ptr<TVideoModesList> FVideoModes;
    TColorDepthModes FColorDepthModes;
    bool FFullScreen = false;
    std::unique_ptr<TScreenMode> FDesktopMode;
    std::unique_ptr<TFullScreenMode> FFullScreenMode;

    friend class TFullScreenMode;
};
