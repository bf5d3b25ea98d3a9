#include "classlib/core/CommandLine.h"

#include <gtest/gtest.h>

#include <utility>

using Parts = std::vector<std::string>;

TEST(SplitCommandLine, SplitsQuotesAndBlanksAsTheRuntimeDoes)
{
    const std::pair<const char*, Parts> cases[] = {
        {"\"C:\\Program Files\\a b.scr\" /p 1234", {"C:\\Program Files\\a b.scr", "/p", "1234"}},
        {" \t\r\n", {""}},                                        // a blank line still has a program element
        {"  p\ta\x01 \xa0x", {"p", "a", "\xa0x"}},                // up to space separates; high bytes do not
        {"p a\"b c\"d a\\\"b c\"", {"p", "ab cd", "a\\b c"}},      // quotes group and vanish; backslash is ordinary
        {"p \"a b", {"p", "a b"}},                                // an unclosed quote runs to the end
        {"p a \"\" b", {"p", "a"}}, {"p \"\"x", {"p", "x"}}};     // an empty parameter ends the list
    for (const auto& [line, parts] : cases)
        EXPECT_EQ(SplitCommandLine(line), parts) << line;
}
