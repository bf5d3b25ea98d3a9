#include "classlib/core/CommandLine.h"

#include <gtest/gtest.h>

#include <utility>

using Parts = std::vector<std::string>;

TEST(SplitCommandLine, SplitsQuotesAndBlanksAsTheRuntimeDoes)
{
    const std::pair<const char*, Parts> cases[] = {
        {"saver.scr /s", {"saver.scr", "/s"}},
        {"\"C:\\Program Files\\a b.scr\" /p 1234", {"C:\\Program Files\\a b.scr", "/p", "1234"}},
        // An empty or blank line still has a program element.
        {"", {""}}, {" \t\r\n", {""}},
        // Any character up to space separates; high bytes are not blanks.
        {"  p\ta\r\nb \x01 c   ", {"p", "a", "b", "c"}}, {"p \xa0x", {"p", "\xa0x"}},
        // Quotes group and vanish, even inside a word; backslash is ordinary.
        {"p a\"b c\"d e", {"p", "ab cd", "e"}}, {"p \"x\"\"y\"", {"p", "xy"}}, {"p /c:\"12 34\"", {"p", "/c:12 34"}},
        {"p a\\\"b c\"", {"p", "a\\b c"}}, {"p C:\\dir\\ x", {"p", "C:\\dir\\", "x"}},
        // An unclosed quote runs to the end.
        {"p \"a b", {"p", "a b"}}, {"p x\"", {"p", "x"}}, {"p \"", {"p"}},
        // An empty parameter ends the list; an empty quote inside a word is nothing.
        {"p a \"\" b", {"p", "a"}}, {"p \"\"x", {"p", "x"}}, {"\"\" a", {"", "a"}}};
    for (const auto& [line, parts] : cases)
        EXPECT_EQ(SplitCommandLine(line), parts) << line;
}
