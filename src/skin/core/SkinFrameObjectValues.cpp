#include "skin/core/SkinFrameObjectValues.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "skin/core/SkinMenuLayout.h"

namespace {

// Round to nearest, ties to even, held to the int range (the values come
// from the skin and may be any int).
int RoundHalfEven(double value)
{
    return static_cast<int>(std::clamp(std::nearbyint(value), static_cast<double>(INT_MIN),
                                       static_cast<double>(INT_MAX)));
}

int Sat(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

void TSkinMorphPosition::SetKf(double value)
{
    Tenths = std::clamp(RoundHalfEven(value * 10.0), 0, 10);
}

bool TSkinMorphPosition::Step(bool active)
{
    return SkinMenuMorphStep(Tenths, active);
}

bool TSkinTrackBarGeometry::Vertical() const
{
    // In 64 bits: a skin's track ends may lie anywhere in int.
    return std::llabs(int64_t(BeginPoint.Y) - EndPoint.Y) >= std::llabs(int64_t(EndPoint.X) - BeginPoint.X);
}

TPoint TSkinTrackBarGeometry::ValueToPosition(int value) const
{
    const double range = static_cast<double>(MaxValue) - MinValue;
    if (range == 0)
        return BeginPoint;
    const double share = (static_cast<double>(value) - MinValue) / range;
    if (Vertical()) {
        const double length = static_cast<double>(BeginPoint.Y) - EndPoint.Y;
        return {BeginPoint.X, RoundHalfEven(EndPoint.Y + std::nearbyint((1.0 - share) * length))};
    }
    const double length = static_cast<double>(EndPoint.X) - BeginPoint.X;
    return {RoundHalfEven(BeginPoint.X + std::nearbyint(length * share)), BeginPoint.Y};
}

int TSkinTrackBarGeometry::PositionToValue(const TPoint& position) const
{
    const double range = static_cast<double>(MaxValue) - MinValue;
    double share = 0;
    if (Vertical()) {
        const double length = static_cast<double>(BeginPoint.Y) - EndPoint.Y;
        if (length == 0)
            return MinValue;
        share = 1.0 - (static_cast<double>(position.Y) - EndPoint.Y) / length;
    } else {
        const double length = static_cast<double>(EndPoint.X) - BeginPoint.X;
        if (length == 0)
            return MinValue;
        share = (static_cast<double>(position.X) - BeginPoint.X) / length;
    }
    return RoundHalfEven(MinValue + std::nearbyint(range * share));
}

int TSkinTrackBarGeometry::ClampToTrack(int coordinate) const
{
    const int a = Vertical() ? BeginPoint.Y : BeginPoint.X;
    const int b = Vertical() ? EndPoint.Y : EndPoint.X;
    return std::clamp(coordinate, std::min(a, b), std::max(a, b));
}

int FrameGaugeFrame(int value, int minValue, int maxValue, int countFrames)
{
    if (countFrames < 2)
        return 1;
    const long long step = (static_cast<long long>(maxValue) - minValue) / (countFrames - 1);
    if (step == 0)
        return 1;
    const long long frame = std::llabs(static_cast<long long>(value) - minValue) / step + 1;
    return static_cast<int>(std::clamp<long long>(frame, 1, countFrames));
}

void TSkinRegulatorDrag::SetSteps(int length, int countFrames)
{
    // Fewer than two frames have no step between them: one step per pixel.
    const long long intervals = std::max(static_cast<long long>(countFrames) - 1, 1LL);
    PixelStep = std::max(Sat(length / intervals), 1);
    ValueStep = std::max(Sat((static_cast<long long>(MaxValue) - MinValue) / intervals), 1);
}

int TSkinRegulatorDrag::Move(int value, int current)
{
    const long long change = static_cast<long long>(current) - Last;
    if (std::llabs(change) < PixelStep)
        return value;
    Last = current;
    const long long moved = change > 0 ? static_cast<long long>(value) + ValueStep
                                       : static_cast<long long>(value) - ValueStep;
    return static_cast<int>(std::clamp<long long>(moved, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue)));
}

bool TSkinAnimationState::Tick(int countFrames, bool cycle, int interval)
{
    if (!Running)
        return false;
    if (Elapsed < std::max(interval, 25)) {
        Elapsed += 25;
        return false;
    }
    Elapsed = 25;
    const int last = std::max(countFrames, 1);
    if (Forward) {
        if (Frame >= last) {
            if (!cycle) {
                Running = false;
                return false;
            }
            Frame = 1;
        } else {
            ++Frame;
        }
        if (!cycle && Frame >= last)
            Running = false;
    } else {
        if (Frame <= 1) {
            if (!cycle) {
                Running = false;
                return false;
            }
            Frame = last;
        } else {
            --Frame;
        }
        if (!cycle && Frame <= 1)
            Running = false;
    }
    return true;
}
