// The tray icon's logic free of the shell: the tool tip it hands over, the
// machine that tells a click from a double click, and the image index of
// icon cycling.
#pragma once

#include <array>
#include <string>

// The notify data's tip: `hint` cut to 127 characters and zero-terminated,
// all zeros when the hint is empty or not shown.
std::array<char, 128> TrayIconTip(const std::string& hint, bool showHint);

// Tells a click from a double click on the tray icon. A press starts the
// double-click timer (the system's double-click time); a release while it
// runs leaves the click pending, to be reported when the timer fires unless
// a double click came first; a release after the timer stopped reports the
// click at once. The owner runs the real timer from TimerRunning.
class TTrayClickMachine {
public:
    // Starts the timer.
    void LeftButtonDown();
    // True when Click is to be reported now.
    bool LeftButtonUp();
    // The double click: the pending click is dropped (DblClick follows).
    void DoubleClick();
    // The timer's tick: stops it; true when the pending click is reported now.
    bool TimerFired();

    bool TimerRunning = false;
    bool LeftDown = false;
    bool ClickPending = false;
    bool DblClicked = false;
};

// Image index `index` held to 0..count - 1; 0 when there are no images.
int ClampTrayIconIndex(int index, int count);
// The index after `index` in a cycle of `count` images: index + 1, or 0
// at or past the last image.
int NextTrayIconIndex(int index, int count);
