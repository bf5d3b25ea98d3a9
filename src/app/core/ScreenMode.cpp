#include "app/core/ScreenMode.h"

#include <cstdint>

#include "app/core/MathPro.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"

namespace {

const char* const HighColorName = "High Color(16 bit)";
const char* const TrueColorName = "True Color(32 bit)";

// The text before the first "x" and the text after it (empty when there is
// no "x", which the integer conversion then rejects).
void SplitAtX(const std::string& text, std::string& head, std::string& tail)
{
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        head = text;
        tail.clear();
    } else {
        head = text.substr(0, x);
        tail = text.substr(x + 1);
    }
}

}  // namespace

std::string ColorDepthName(int depth)
{
    if (depth == 16)
        return HighColorName;
    if (depth == 32)
        return TrueColorName;
    // The colour count is computed in single precision and truncated; like
    // the "%u" it is printed with, it keeps the low 32 bits.
    const auto colors = static_cast<uint32_t>(static_cast<uint64_t>(TruncInt64(IntPower(2.0f, depth))));
    return Format("%u Color(%d bit)", colors, depth);
}

int ColorDepthFromName(const std::string& name)
{
    if (name == HighColorName)
        return 16;
    if (name == TrueColorName)
        return 32;
    // The number sits between "(" and "bit", followed by a blank.
    std::string number;
    const size_t open = name.find('(');
    if (open != std::string::npos) {
        const size_t bit = name.find('b', open + 1);
        if (bit != std::string::npos)
            number = name.substr(open + 1, bit - open - 1);
    }
    return StrToInt(Trim(number));
}

std::string ScreenSizeName(int width, int height)
{
    return Format("%dx%d", width, height);
}

void ScreenSizeFromName(const std::string& name, int& width, int& height)
{
    std::string w, h;
    SplitAtX(name, w, h);
    const int parsedWidth = StrToInt(w);
    height = StrToInt(h);
    width = parsedWidth;
}

std::string ModeName(int width, int height, int depth)
{
    return Format("%dx%dx%d", width, height, depth);
}

void ModeFromName(const std::string& name, int& width, int& height, int& depth)
{
    std::string w, rest, h, d;
    SplitAtX(name, w, rest);
    SplitAtX(rest, h, d);
    const int parsedWidth = StrToInt(w);
    const int parsedHeight = StrToInt(h);
    depth = StrToInt(d);
    width = parsedWidth;
    height = parsedHeight;
}

// --- TScreenMode --------------------------------------------------------------

TScreenMode::TScreenMode(int width, int height, int depth)
    : FColorDepth(depth), FScreenSize(PackScreenSize(width, height))
{
}

void TScreenMode::SetColorDepth(int depth)
{
    FColorDepth = depth;
    Changed();
}

void TScreenMode::SetScreenSize(int screenSize)
{
    FScreenSize = screenSize;
    Changed();
}

void TScreenMode::SetMode(int width, int height, int depth)
{
    FScreenSize = PackScreenSize(width, height);
    FColorDepth = depth;
    Changed();
}

void TScreenMode::SetSize(int width, int height)
{
    FScreenSize = PackScreenSize(width, height);
    Changed();
}

void TScreenMode::SetColorDepthName(const std::string& name)
{
    SetColorDepth(ColorDepthFromName(name));
}

void TScreenMode::SetScreenSizeName(const std::string& name)
{
    int width = 0, height = 0;
    ScreenSizeFromName(name, width, height);
    SetSize(width, height);
}

void TScreenMode::SetModeName(const std::string& name)
{
    int width = 0, height = 0, depth = 0;
    ModeFromName(name, width, height, depth);
    SetMode(width, height, depth);
}

void TScreenMode::AssignTo(TPersistent* dest)
{
    if (auto* mode = dynamic_cast<TScreenMode*>(dest)) {
        mode->FColorDepth = FColorDepth;
        mode->FScreenSize = FScreenSize;
        mode->Changed();
        return;
    }
    TPersistent::AssignTo(dest);
}

// --- TScreenModes ---------------------------------------------------------------

int TScreenModes::AddMode(int width, int height, int depth)
{
    const int index = IndexOf(width, height);
    if (index >= 0)
        return index;
    FItems.push_back(std::make_unique<TScreenMode>(width, height, depth));
    return Count() - 1;
}

int TScreenModes::IndexOf(int width, int height) const
{
    const int screenSize = PackScreenSize(width, height);
    for (int i = 0; i < Count(); ++i)
        if (FItems[i]->ScreenSize() == screenSize)
            return i;
    return -1;
}

TScreenMode& TScreenModes::Items(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return *FItems[index];
}

// --- TColorDepthModes -------------------------------------------------------------

int TColorDepthModes::Add(int depth)
{
    const int index = IndexOf(depth);
    if (index >= 0)
        return index;
    FItems.push_back(std::make_unique<TColorDepthMode>(depth));
    return Count() - 1;
}

int TColorDepthModes::IndexOf(int depth) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[i]->Depth == depth)
            return i;
    return -1;
}

TColorDepthMode& TColorDepthModes::Items(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return *FItems[index];
}
