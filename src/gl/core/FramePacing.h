// TFramePacing: frames paced to the display where the buffer swap does not
// wait for the vertical retrace.
//
// With vertical sync asked for, the OpenGL application lets no frame start
// sooner than one refresh period after the previous frame's start. Where
// the driver honours the swap interval, the swap itself returns at the
// retrace, the next frame starts a period after the previous one and
// nothing is left to wait. Where the driver ignores it (a software renderer
// under X, many virtual machines and remote sessions) the swap returns at
// once, and the application waits out the rest of the period on its message
// queue before it draws again.
//
// Waits are whole milliseconds, rounded down, and a rest shorter than one
// is not waited: a wait on the message queue overshoots by a fraction of a
// millisecond, so waits rounded up would hold every frame back by about a
// millisecond (55 frames a second for a 60 Hz display); and the retraces of
// a swap that waits come with some jitter, and the refresh rate a mode
// reports is a whole number (59 for a 59.94 Hz mode), so frames paced by an
// honest swap may start a little sooner than the nominal period; holding
// them back would make them miss their retrace and halve the frame rate.
// A frame therefore starts at most a millisecond before its full period.
//
// Times are seconds of one monotonic clock.
#pragma once

class TFramePacing {
public:
    // The rate taken when a mode reports none: 0 and 1 mean the hardware's
    // default.
    static constexpr int DefaultRefreshRate = 60;

    // The display mode's refresh rate in Hz.
    void SetRefreshRate(int hertz);
    // One refresh period in seconds.
    double Period() const { return FPeriod; }

    // Whole milliseconds (rounded down) a frame about to start at `now` has
    // to wait: what is left of the period since the previous frame's start;
    // 0 before the first frame, once the period has passed, when less than
    // a millisecond is left, and when the clock went backwards.
    int WaitMilliseconds(double now) const;
    // A frame starts at `now`.
    void FrameStarted(double now);

private:
    double FPeriod = 1.0 / DefaultRefreshRate;
    bool FStarted = false;
    double FLastStart = 0;
};
