// The frames-per-second figure of the graphic application.
//
// Frames are counted over windows of at least one second; when a window
// closes, the rate is the frame count divided by its length, rounded to the
// nearest integer with ties to even (2.5 fps gives 2, 3.5 gives 4), and a
// new window begins. Times are seconds from any fixed origin; a clock that
// goes back moves the window's start back with it.
#pragma once

class TFrameRate {
public:
    // Starts the first window at `now`.
    void Begin(long double now) { FReference = now; }
    // Counts one frame at `now`. Returns true when this frame closed a
    // window whose rate differs from the stored one; the rate is stored in
    // any case.
    bool Frame(long double now);

    // The stored rate; 0 before the first window closed (or when it
    // rounded to 0).
    int Rate() const { return FRate; }
    // The stored rate, first made 1 when it is 0: never 0.
    int FPS();
    int FrameCount() const { return FFrameCount; }

private:
    int FRate = 0;
    int FFrameCount = 0;
    long double FReference = 0.0L;
};
