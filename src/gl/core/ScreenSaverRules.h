// The platform-free rules of the screen-saver component: the role taken
// from the command line, the window handle it carries, which input ends a
// run, the mouse-move tracking and the power-off delays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The roles the system's screen-saver conventions give the executable.
enum TSaverMode : uint8_t {
    smProgram = 0,         // run as an ordinary program (the ".EXE" copy)
    smSaver = 1,           // "/s": full screen until user input
    smPreview = 2,         // "/p <hwnd>" or "/l <hwnd>": inside the preview window
    smConfigure = 3,       // "/c[:hwnd]" or no parameters: the settings dialog
    smChangePassword = 4,  // "/a": change the password, then end
};

// The role of a command line. `arguments` holds the program's file name
// first, then the parameters (as SplitCommandLine gives them): an
// executable with the extension ".EXE" (any case) and no parameters is a
// program; no parameters or the switch C configure; then A, P or L, S in
// that order; anything else is a program.
TSaverMode SaverModeOf(const std::vector<std::string>& arguments);

// The window handle a command line carries, as a number: with two or more
// parameters the second ("/p 5678"); with fewer, the number after the first
// ":" of the first parameter ("/c:1234", at most 20 characters read);
// otherwise `defaultWindow`. A handle that is not a number raises
// EConvertError.
uintptr_t ParentWindowOf(const std::vector<std::string>& arguments, uintptr_t defaultWindow);

// A window handle written as a number: plain digits are unsigned up to the
// platform's handle width (hosts print handles above 2^31 unsigned);
// otherwise what StrToInt64 accepts (a sign, "$" or "0x" hexadecimal), cast
// to the handle's width. Anything else, or a value too wide, raises
// EConvertError.
uintptr_t WindowHandleOf(const std::string& text);

// Window messages that end a run (besides mouse moves and key presses), in
// the order they are tested: left, middle and right double-clicks and
// button releases, and system keys.
inline constexpr unsigned SaverExitMessages[] = {0x203, 0x202, 0x209, 0x208, 0x206, 0x205, 0x104};

// Whether an input message other than a mouse move ends a run: a key press
// except Print Screen (its release saves a screenshot), or a message of
// SaverExitMessages. Button presses do not end it; their releases do.
bool IsSaverExitMessage(unsigned message, uintptr_t wParam);

// Mouse moves that end a run: the first moves after a start (or a refused
// password) are ignored, the next one becomes the anchor, and a later move
// ends the run only when it is more than 2 pixels away from the anchor on
// both axes. Smaller moves leave the anchor where it is, so movement adds up.
class TMouseMoveTracker {
public:
    static constexpr int IgnoredMoves = 5;

    // Forgets the anchor; the next IgnoredMoves moves are ignored.
    void Reset();
    // Whether the move to (x, y) ends the run; true also resets the tracking.
    bool Check(int x, int y);

    int LastX() const { return FLastX; }
    int LastY() const { return FLastY; }
    int MovesToIgnore() const { return FMovesToIgnore; }

private:
    int FLastX = -1;
    int FLastY = -1;
    int FMovesToIgnore = IgnoredMoves;
};

// The power-off choices: index 0 is "never", 1 .. 15 the delays of the
// settings form's list (1 minute .. 5 hours).
inline constexpr int PowerOffIndexCount = 16;

// A stored index outside 0 .. 15 has no delay and means "never" (0), so a
// damaged option can never suspend the machine.
int NormalPowerOffIndex(int index);

// The delay of an index in seconds; -1 for "never" (0 and any index outside
// the table).
float PowerOffDelayOf(int index);
