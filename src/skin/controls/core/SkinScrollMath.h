// The platform-free arithmetic of the skinned scroll bar and up-down: how
// the value setters keep Position in range, how long the thumb is and where
// it stands, which Position a dragged thumb gives, and the default layout
// of a bar drawn without a skin record.
//
// Range rules: Position lies in Min .. Max − PageSize + 1 with a page, in
// Min .. Max without one. The setters of Max and PageSize keep a Position
// that is already valid: a new Max moves Position only when it lies past the
// last position that shows a whole page, and a page is accepted whenever it
// fits in the range from the current Position. Every division whose divisor
// may reach 0 answers 0 for it, never a fault. "Round" is ties-to-even.
#pragma once

#include "classlib/core/Types.h"

struct TspScrollRange {
    int Min = 0;
    int Max = 100;
    int PageSize = 0;
    int Position = 0;

    // The last position: Max − PageSize + 1 with a page, Max without.
    int LastPosition() const { return PageSize != 0 ? Max - PageSize + 1 : Max; }
    // Position held to Min .. LastPosition (Min wins when they cross).
    int Clamped(int position) const;
    // The setters' rules; each leaves Position where the rule puts it.
    void SetMin(int min);
    void SetMax(int max);
    // False (and nothing changes) when the page would not fit in the range
    // from Position: Position − Min + pageSize > Max − Min + 1.
    bool SetPageSize(int pageSize);
};

// The thumb's length in a track of trackLength pixels: with a page its share
// of the range, round(track × PageSize / (Max − Min + 1)), but at least
// minLength; without a page (or an empty range) minLength.
int ScrollThumbLength(int trackLength, int minLength, const TspScrollRange& range);

// The thumb's offset from the track's start: its room (track − thumb)
// times (Position − Min) / (LastPosition − Min), rounded. When that divisor
// is 0 or below - the range leaves the thumb no way to go - the thumb stands
// at the track's end when atEndWithoutRoom, else at its start.
int ScrollThumbOffset(int trackLength, int thumbLength, const TspScrollRange& range, bool atEndWithoutRoom);

// The Position a dragged thumb gives: Min + round((LastPosition − Min) × f)
// with f = offset / room held to 0..1; f = 0 when there is no room.
int ScrollDragPosition(int offset, int room, const TspScrollRange& range);

// The parts of a bar drawn without a record. A horizontal bar of `length`
// (the width, less the marker width when it shares a corner with a vertical
// bar) and `thickness` has its down button at the start, its up button at
// the end and the track between them, each inset by 1 from the thickness's
// edges; a vertical bar the same along its height (down button at the top).
struct TspScrollBarParts {
    TRect DownButton;
    TRect UpButton;
    TRect Track;
};
constexpr int DefaultScrollButtonSize = 17;
constexpr int DefaultScrollThumbLength = 16;
TspScrollBarParts DefaultScrollBarParts(bool vertical, int length, int thickness);

// The up-down's value and its auto-repeat on the window timer: a press only
// arms the timer (500 ms), the first tick switches it to the repeat pace
// (100 ms) without a step, each later tick steps, and the release steps
// once more and stops the timer - so a short click moves Position by
// exactly one Increment. Going back onto the held button resumes at 50 ms;
// leaving it stops the timer. A step that would leave Min .. Max is refused.
class TspUpDownStepper {
public:
    static constexpr int FirstDelay = 500;
    static constexpr int RepeatPace = 100;
    static constexpr int ReturnPace = 50;

    int Min = 0;
    int Max = 100;
    int Increment = 1;
    int Position() const { return FPosition; }
    // False (nothing changes) outside Min .. Max.
    bool SetPosition(int position);
    // Pull Position into the new range.
    void SetMin(int min);
    void SetMax(int max);

    // 0 idle, 1 down, 2 up.
    int Phase() const { return FPhase; }
    // The interval the timer runs at; 0 while it is stopped.
    int TimerInterval() const { return FTimerInterval; }

    void Press(bool up);
    // True when the tick moved Position.
    bool Tick();
    // True when the release moved Position.
    bool Release(bool up);
    void Reenter();
    void Leave();

private:
    bool Step(bool up);

    int FPosition = 0;
    int FPhase = 0;
    bool FFirstTick = false;
    int FTimerInterval = 0;
};
