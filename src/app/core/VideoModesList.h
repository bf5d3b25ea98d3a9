// The display driver's modes and the switch between them.
//
// `TDisplayDriver` is the narrow door to the system's display settings: it
// lists modes, tests a mode, switches to one and back, and reports the
// desktop mode. The Win32 implementation (CreateWin32DisplayDriver) sits
// over EnumDisplaySettingsA / ChangeDisplaySettingsA; tests use fakes.
//
// `TVideoModesList` keeps the modes the driver really accepts and switches
// the screen for full-screen runs. Only modes the driver passes as a test
// are listed, with one exception: the desktop mode is always listed. Some
// drivers claim to accept anything; they are recognised by a probe with an
// impossible mode (42 x 37 at 8 bits), and only a driver that rejects the
// probe is offered the classic low resolutions (320 x 200 to 512 x 384 at
// 8, 15, 16, 24 and 32 bits), because only its answers can be trusted.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"

struct TVideoMode {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;

    friend bool operator==(const TVideoMode&, const TVideoMode&) = default;
};

class TDisplayDriver {
public:
    virtual ~TDisplayDriver() = default;
    // The driver's index-th mode; false past the last one.
    virtual bool EnumMode(int index, TVideoMode& mode) = 0;
    // Whether a full-screen switch to this mode would succeed.
    virtual bool TestMode(const TVideoMode& mode) = 0;
    // Switches to this mode for a full-screen run; true on success.
    virtual bool ChangeMode(const TVideoMode& mode) = 0;
    // Back to the mode stored in the system's settings.
    virtual void RestoreMode() = 0;
    // The mode the desktop has now: the screen's size and bits per pixel.
    virtual TVideoMode CurrentMode() = 0;
};

class TVideoModesList : public TObject {
public:
    // The driver must outlive the list.
    explicit TVideoModesList(TDisplayDriver& driver);
    // Restores a mode this list changed.
    ~TVideoModesList() override;
    TVideoModesList(const TVideoModesList&) = delete;
    TVideoModesList& operator=(const TVideoModesList&) = delete;

    std::string ClassName() const override { return "TVideoModesList"; }

    // Lists the driver's modes, the low resolutions when the driver answers
    // honestly, and the desktop mode.
    void ReadVideoModes();
    int Count() const { return static_cast<int>(FModes.size()); }
    // Raises EListError outside 0..Count-1.
    const TVideoMode& GetMode(int index) const;
    int FindMode(int width, int height, int bitsPerPixel) const;
    // Appends the mode when it is new and the driver accepts it.
    void AddMode(const TVideoMode& mode);
    bool TestMode(const TVideoMode& mode);
    // Reads the desktop mode from the driver and keeps it.
    const TVideoMode& GetCurrentMode();
    // Switches to the mode. The desktop mode (as last read) needs no switch
    // and always succeeds. On success the list is active and remembers the
    // mode; a failed switch leaves it inactive.
    bool SetMode(int width, int height, int bitsPerPixel);
    // Back to the system's mode when this list changed it; inactive after.
    void RestoreMode();
    void Clear() { FModes.clear(); }

    // A mode set by this list is in force.
    bool Active() const { return FActive; }
    // The display settings were really changed and must be restored.
    bool Changed() const { return FChanged; }
    const TVideoMode& DesktopMode() const { return FDesktopMode; }
    const TVideoMode& LastMode() const { return FLastMode; }

private:
    TDisplayDriver& FDriver;
    std::vector<TVideoMode> FModes;
    TVideoMode FDesktopMode;
    TVideoMode FLastMode;
    bool FActive = false;
    bool FChanged = false;
};
