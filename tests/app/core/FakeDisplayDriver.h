// A display driver for the display-mode tests: it lists a given set of
// modes, accepts a given set (or everything, like a driver that does not
// really test), and records every call in a log that outlives it.
#pragma once

#include <algorithm>
#include <memory>
#include <ostream>
#include <vector>

#include "app/core/VideoModesList.h"

// Readable failure messages.
inline void PrintTo(const TVideoMode& mode, std::ostream* os)
{
    *os << mode.Width << "x" << mode.Height << "x" << mode.BitsPerPixel;
}

struct TDisplayDriverLog {
    std::vector<TVideoMode> Tested;
    std::vector<TVideoMode> Changes;
    int Restores = 0;
};

class TFakeDisplayDriver : public TDisplayDriver {
public:
    std::vector<TVideoMode> Listed;
    std::vector<TVideoMode> Accepted;
    bool AcceptsEverything = false;
    bool ChangeSucceeds = true;
    TVideoMode Desktop{1280, 1024, 32};
    std::shared_ptr<TDisplayDriverLog> Log = std::make_shared<TDisplayDriverLog>();

    bool EnumMode(int index, TVideoMode& mode) override
    {
        if (index < 0 || index >= static_cast<int>(Listed.size()))
            return false;
        mode = Listed[index];
        return true;
    }

    bool TestMode(const TVideoMode& mode) override
    {
        Log->Tested.push_back(mode);
        return AcceptsEverything || std::find(Accepted.begin(), Accepted.end(), mode) != Accepted.end();
    }

    bool ChangeMode(const TVideoMode& mode) override
    {
        Log->Changes.push_back(mode);
        return ChangeSucceeds;
    }

    void RestoreMode() override { ++Log->Restores; }

    TVideoMode CurrentMode() override { return Desktop; }
};
