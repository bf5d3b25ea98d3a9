// Names used by the option store: the registry key of a product version,
// the scrambling of value names, and the value names of the framework's own
// options.
//
// The framework's value names are carried by the program scrambled (every
// byte XOR 0xFF) and are unscrambled by the option store, whose scrambling
// flag is set while it handles them; the registry therefore holds the plain
// names given below. Each name is scrambled by the compiler, so the plain
// text does not appear in the executable.
#pragma once

#include <cstddef>
#include <string>

// Every byte of `text` XOR 0xFF. Applying it twice gives `text` back.
std::string ScrambleName(const std::string& text);

// The key under HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER that holds one
// product version's options: "Software\<company>\<title> <majorVersion>",
// or "Software\<title> <majorVersion>" without a company.
std::string OptionKeyPath(const std::string& company, const std::string& title,
                          const std::string& majorVersion);

// A value name held in scrambled form; built from its plain text at compile
// time.
template <std::size_t N>
class TScrambledName {
public:
    consteval TScrambledName(const char (&plain)[N])
    {
        for (std::size_t i = 0; i + 1 < N; ++i)
            FBytes[i] = static_cast<char>(static_cast<unsigned char>(plain[i]) ^ 0xFFu);
    }

    // The scrambled name, as the store's reads and writes take it while
    // its scrambling flag is set.
    std::string Scrambled() const { return std::string(FBytes, N - 1); }

private:
    char FBytes[N]{};
};

namespace OptionNames {

// The application object's options.
inline constexpr TScrambledName DataDir("DataDir");
inline constexpr TScrambledName NeedDisplay("NeedDisplay");
inline constexpr TScrambledName NeedSystem("NeedSystem");

// The OpenGL application's options.
inline constexpr TScrambledName DesktopOnly("DesktopOnly");
inline constexpr TScrambledName FullScreenMode("FullScreenMode");
inline constexpr TScrambledName VSync("VSync");
inline constexpr TScrambledName SoftwareRendering("SoftwareRendering");
inline constexpr TScrambledName WideScreen("WideScreen");

// The screen-saver component's options.
inline constexpr TScrambledName RunAsProgram("RunAsProgram");
inline constexpr TScrambledName MouseMoveExit("MouseMoveExit");
inline constexpr TScrambledName PowerOffIndex("PowerOffIndex");

}  // namespace OptionNames
