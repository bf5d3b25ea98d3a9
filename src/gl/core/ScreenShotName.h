// The file name a screenshot is saved under.
#pragma once

#include <string>

// Inserts `counter` (decimal) before the FIRST "." of `fileName` when that
// "." is not its first character: fish.jpg with counter 3 gives fish3.jpg,
// a.b.jpg gives a3.b.jpg; a name without "." or starting with "." is kept.
std::string ScreenShotFileName(const std::string& fileName, int counter);
