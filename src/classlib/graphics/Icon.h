// An icon: owns one HICON and destroys it.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/Components.h"
#include "classlib/core/Streams.h"

class TIcon : public TPersistent {
public:
    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    std::string ClassName() const override { return "TIcon"; }

    HICON Handle() const { return FHandle; }
    // Takes ownership of `icon` (null empties the icon); the icon held
    // before is destroyed. OnChange follows.
    void SetHandle(HICON icon);
    // Gives up the handle without destroying it; the icon is empty after.
    HICON ReleaseHandle();
    bool Empty() const { return FHandle == nullptr; }
    // The icon's size in pixels; 0 x 0 while empty.
    int Width() const;
    int Height() const;

    // Loads the RT_GROUP_ICON resource `name` of `instance` (nullptr: the
    // program) at the system's icon size. A missing resource raises
    // EResNotFound "Resource <name> not found".
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // Reads an ICO file from the stream's position to its end and takes
    // its image of the system's icon size (else its largest). A file that
    // is not a valid icon raises EInvalidGraphic and leaves the icon as it
    // was.
    void LoadFromStream(TStream& stream);

    // Copies another icon (its own handle: CopyIcon); null empties.
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    HICON FHandle = nullptr;
};
