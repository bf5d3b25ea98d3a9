// The value logic of the skinned form's frame objects, free of the
// platform: the morph position, the track bar's value and button position,
// the frame gauge's frame, the frame regulator's steps and the animation's
// frame stepping. The objects (skin/forms/) keep these states and draw
// from them.
//
// Degenerate skins are answered, never divided by: a zero value range or
// track length counts as "value at min, button at the track's begin", a
// frame index always lies in 1..CountFrames, a step is at least 1.
#pragma once

#include "classlib/core/Types.h"

// The morph position of an object in tenths, 0 (normal look) .. 10 (active
// look): exactly ten 20 ms steps from one end to the other.
struct TSkinMorphPosition {
    int Tenths = 0;

    double Kf() const { return Tenths / 10.0; }
    // Sets the position from a factor in [0, 1] (clamped).
    void SetKf(double value);
    // True while a step toward `active` remains.
    bool CanStep(bool active) const { return active ? Tenths < 10 : Tenths > 0; }
    // One step toward `active`; false when already there.
    bool Step(bool active);
    // True when the position is at the end for `active`.
    bool AtEnd(bool active) const { return !CanStep(active); }
};

// A track bar: the button slides between Begin and End (object
// coordinates); vertical when the track is at least as high as wide, and
// then Begin is the bottom (min) end.
struct TSkinTrackBarGeometry {
    TPoint BeginPoint, EndPoint;
    int MinValue = 0;
    int MaxValue = 0;

    bool Vertical() const;
    // The button's centre for `value`.
    TPoint ValueToPosition(int value) const;
    // The value for a button centre on the track.
    int PositionToValue(const TPoint& position) const;
    // `coordinate` (x for a horizontal track, y for a vertical one) held
    // between the begin and end coordinates.
    int ClampToTrack(int coordinate) const;
};

// The frame a frame gauge shows for `value`: |value - min| div
// ((max - min) div (countFrames - 1)) + 1, held to 1..countFrames; frame 1
// when the step is 0 or there are fewer than two frames.
int FrameGaugeFrame(int value, int minValue, int maxValue, int countFrames);

// A frame regulator dragged by the mouse: every `PixelStep` pixels along
// its kind move the value one `ValueStep` in the same direction, within
// [min, max].
struct TSkinRegulatorDrag {
    int MinValue = 0;
    int MaxValue = 0;
    int PixelStep = 1;
    int ValueStep = 1;
    int Last = 0;  // the drag quantity where the last step was taken

    // Steps for a regulator of countFrames frames over `length` pixels
    // (width, height, or the smaller of the two for a round one).
    void SetSteps(int length, int countFrames);
    // The value after the drag quantity became `current`; updates Last when
    // a step was taken.
    int Move(int value, int current);
};

// The frame stepping of an animation object, one call per 25 ms tick.
struct TSkinAnimationState {
    int Frame = 1;
    int Elapsed = 0;
    bool Forward = true;
    bool Running = false;

    // One tick for an animation of countFrames frames shown every
    // `interval` ms (at least 25): answers whether the frame changed.
    // Forward wraps from the last frame to 1 when cycling, else stops at
    // the last; backward wraps from 1 to the last when cycling, else stops
    // at 1.
    bool Tick(int countFrames, bool cycle, int interval);
};
