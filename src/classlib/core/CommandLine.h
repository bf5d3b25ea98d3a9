// The program's command line, split the class library's way.
//
// Rules of SplitCommandLine:
//  - characters <= ' ' separate parameters;
//  - double quotes group blanks into a parameter and are removed; a quoted
//    part may start or end inside a word (a"b c"d is the one parameter
//    "ab cd"), and an unclosed quote runs to the end of the line;
//  - there are no escapes: a backslash is an ordinary character;
//  - a parameter that comes out empty (a lone "") ends the list.
// Element 0 is the program name as written on the command line and is always
// present (empty for an empty line); elements 1.. are the parameters.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The running program's parameters (Win32 build only): ParamCount is the
// number of parameters after the program name; ParamStr(0) is the full path
// of the program's file, ParamStr(1 .. ParamCount) the parameters, and any
// other index gives "".
int ParamCount();
std::string ParamStr(int index);
