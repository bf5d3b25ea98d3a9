// The platform-free rules of the application object: command-line
// switches, the names derived from the executable, and where the main form
// is placed.
#pragma once

#include <string>
#include <vector>

// True when some parameter begins with "-" or "/" and the switch, compared
// without case, is found in it first right after that character: "/c:1234"
// and "-C" match "C", "/SAVE" matches "S"; "C" and "-XC" do not match "C".
bool FindSwitchIn(const std::vector<std::string>& parameters, const std::string& switchName);

// The file name of `exeFileName` (a path or a bare name) up to its FIRST
// ".": "C:\dir\my.saver.scr" gives "my".
std::string ExeBaseName(const std::string& exeFileName);

// The name of the semaphore that marks a running copy: base + "Semaphore".
std::string SingleInstanceName(const std::string& baseName);

// The log file next to the executable: exeDir + base + ".log".
std::string LogFileNameOf(const std::string& exeDir, const std::string& baseName);

// Appends "\" to a non-empty path that lacks it; an empty path stays empty.
std::string AddTrailingBackslash(const std::string& path);

// Where the main form goes on a screen. A portrait (or square) screen
// centres the form horizontally and, vertically, in the 4:3 region at the
// top of the screen; a landscape screen centres it vertically and,
// horizontally, in the 4:3 region at the left. The form is kept on the
// screen along the region's axis (not past its far edge, then not above or
// left of 0). Divisions truncate toward zero.
struct TFormPlacement {
    int Left;
    int Top;
};
TFormPlacement CenterMainFormPosition(int screenWidth, int screenHeight, int formWidth,
                                      int formHeight);
