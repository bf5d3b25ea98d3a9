#include "skin/controls/core/SkinScrollMath.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundToInt(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

int TspScrollRange::Clamped(int position) const
{
    return std::max(Min, std::min(position, LastPosition()));
}

void TspScrollRange::SetMin(int min)
{
    Min = min;
    Position = std::max(Position, Min);
}

void TspScrollRange::SetMax(int max)
{
    Max = max;
    if (Position > LastPosition())
        Position = std::max(LastPosition(), Min);
}

bool TspScrollRange::SetPageSize(int pageSize)
{
    // In 64 bits: the widths of extreme ranges overflow an int.
    if (static_cast<long long>(Position) - Min + pageSize > static_cast<long long>(Max) - Min + 1)
        return false;
    PageSize = pageSize;
    return true;
}

int ScrollThumbLength(int trackLength, int minLength, const TspScrollRange& range)
{
    const double span = static_cast<double>(range.Max) - range.Min + 1;
    if (range.PageSize == 0 || span <= 0)
        return minLength;
    return std::max(minLength, RoundToInt(trackLength * static_cast<double>(range.PageSize) / span));
}

int ScrollThumbOffset(int trackLength, int thumbLength, const TspScrollRange& range, bool atEndWithoutRoom)
{
    const int room = trackLength - thumbLength;
    const double divisor = static_cast<double>(range.LastPosition()) - range.Min;
    if (divisor <= 0)
        return atEndWithoutRoom ? room : 0;
    return RoundToInt(room * ((static_cast<double>(range.Position) - range.Min) / divisor));
}

int ScrollDragPosition(int offset, int room, const TspScrollRange& range)
{
    const double f = room > 0 ? std::clamp(static_cast<double>(offset) / room, 0.0, 1.0) : 0.0;
    return range.Min + RoundToInt((static_cast<double>(range.LastPosition()) - range.Min) * f);
}

TspScrollBarParts DefaultScrollBarParts(bool vertical, int length, int thickness)
{
    const int b = DefaultScrollButtonSize;
    if (vertical) {
        return {TRect{1, 1, thickness - 1, b}, TRect{1, length - b, thickness - 1, length - 1},
                TRect{1, b, thickness - 1, length - b}};
    }
    return {TRect{1, 1, b, thickness - 1}, TRect{length - b, 1, length - 1, thickness - 1},
            TRect{b, 1, length - b, thickness - 1}};
}

bool TspUpDownStepper::SetPosition(int position)
{
    if (position < Min || position > Max)
        return false;
    FPosition = position;
    return true;
}

void TspUpDownStepper::SetMin(int min)
{
    Min = min;
    FPosition = std::max(FPosition, Min);
}

void TspUpDownStepper::SetMax(int max)
{
    Max = max;
    FPosition = std::min(FPosition, Max);
}

bool TspUpDownStepper::Step(bool up)
{
    const long long next = static_cast<long long>(FPosition) + (up ? Increment : -static_cast<long long>(Increment));
    if (next < Min || next > Max || next == FPosition)
        return false;
    FPosition = static_cast<int>(next);
    return true;
}

void TspUpDownStepper::Press(bool up)
{
    if (Increment == 0)
        return;
    FPhase = up ? 2 : 1;
    FFirstTick = true;
    FTimerInterval = FirstDelay;
}

bool TspUpDownStepper::Tick()
{
    if (FPhase == 0 || FTimerInterval == 0)
        return false;
    if (FFirstTick) {
        FFirstTick = false;
        FTimerInterval = RepeatPace;
        return false;
    }
    return Step(FPhase == 2);
}

bool TspUpDownStepper::Release(bool up)
{
    FPhase = 0;
    FTimerInterval = 0;
    return Increment != 0 && Step(up);
}

void TspUpDownStepper::Reenter()
{
    if (FPhase != 0)
        FTimerInterval = ReturnPace;
}

void TspUpDownStepper::Leave()
{
    FTimerInterval = 0;
}
