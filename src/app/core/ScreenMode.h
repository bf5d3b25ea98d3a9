// Display modes as values, their names in the settings dialog's words, and
// the groups of sizes per colour depth that the dialog offers.
//
// Names:
//  - depth: 16 -> "High Color(16 bit)", 32 -> "True Color(32 bit)", any other
//    depth d -> "<2^d> Color(<d> bit)" ("256 Color(8 bit)");
//  - size: "<width>x<height>" ("1280x1024");
//  - mode: "<width>x<height>x<depth>" ("1280x1024x32"), the form the
//    full-screen mode is stored in.
// Parsing a name that does not have this form raises EConvertError.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/core/Components.h"

std::string ColorDepthName(int depth);
// The two fixed names, else the number between "(" and "bit".
int ColorDepthFromName(const std::string& name);
std::string ScreenSizeName(int width, int height);
// Split at the first "x".
void ScreenSizeFromName(const std::string& name, int& width, int& height);
std::string ModeName(int width, int height, int depth);
// Split at the first two "x".
void ModeFromName(const std::string& name, int& width, int& height, int& depth);

// Width in the high 16 bits, height in the low 16 bits: 1280 x 1024 is
// 83887104.
constexpr int PackScreenSize(int width, int height)
{
    return static_cast<int>((static_cast<unsigned>(width) << 16) | (static_cast<unsigned>(height) & 0xFFFFu));
}

// One display mode as a persistent value. Every setter ends with Changed,
// which descendants override to adjust the new value.
class TScreenMode : public TPersistent {
public:
    TScreenMode() = default;
    TScreenMode(int width, int height, int depth);
    TScreenMode(const TScreenMode&) = delete;
    TScreenMode& operator=(const TScreenMode&) = delete;

    std::string ClassName() const override { return "TScreenMode"; }

    int ColorDepth() const { return FColorDepth; }
    void SetColorDepth(int depth);
    int ScreenSize() const { return FScreenSize; }
    void SetScreenSize(int screenSize);
    int Width() const { return static_cast<int>(static_cast<unsigned>(FScreenSize) >> 16); }
    int Height() const { return FScreenSize & 0xFFFF; }

    void SetMode(int width, int height, int depth);
    void SetSize(int width, int height);

    std::string GetColorDepthName() const { return ColorDepthName(FColorDepth); }
    void SetColorDepthName(const std::string& name);
    std::string GetScreenSizeName() const { return ScreenSizeName(Width(), Height()); }
    void SetScreenSizeName(const std::string& name);
    std::string GetModeName() const { return ModeName(Width(), Height(), FColorDepth); }
    void SetModeName(const std::string& name);

    // Into another TScreenMode: copies ColorDepth and ScreenSize, then calls
    // the destination's Changed.
    void AssignTo(TPersistent* dest) override;

protected:
    virtual void Changed() {}

    int FColorDepth = 0;
    int FScreenSize = 0;
};

// The sizes of one colour depth, in the order they were found.
class TScreenModes : public TObject {
public:
    std::string ClassName() const override { return "TScreenModes"; }

    // Index of the existing entry of this size, or of the one appended.
    int AddMode(int width, int height, int depth);
    int IndexOf(int width, int height) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError outside 0..Count-1.
    TScreenMode& Items(int index) const;
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TScreenMode>> FItems;
};

class TColorDepthMode : public TObject {
public:
    explicit TColorDepthMode(int depth) : Depth(depth) {}
    std::string ClassName() const override { return "TColorDepthMode"; }

    const int Depth;
    TScreenModes Modes;
};

// The depth groups, in order of first appearance.
class TColorDepthModes : public TObject {
public:
    std::string ClassName() const override { return "TColorDepthModes"; }

    // Index of the existing group of this depth, or of the one appended.
    int Add(int depth);
    int IndexOf(int depth) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError outside 0..Count-1.
    TColorDepthMode& Items(int index) const;
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TColorDepthMode>> FItems;
};
