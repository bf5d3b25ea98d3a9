// TFrameClock: the time step of each frame of the OpenGL application.
//
// The application reads its stopwatch (seconds) once per frame and asks for
// the step since the previous frame. The first frame has no predecessor and
// gets 0. The stopwatch's millisecond total is 32 bits wide and starts again
// at 0 after about 49.7 days of running; the step across that moment would
// be hugely negative and is given as 0 instead, so that no animation jumps
// backwards.
#pragma once

class TFrameClock {
public:
    // The step from the previous frame's time to `now`, in seconds; 0 for the
    // first frame and whenever time went backwards. `now` becomes the
    // previous frame's time.
    float Step(long double now);

private:
    bool FStarted = false;
    long double FLast = 0;
};
