#include "classlib/core/CommandLine.h"

#include <gtest/gtest.h>

using Parts = std::vector<std::string>;

TEST(SplitCommandLine, ProgramNameComesFirst)
{
    EXPECT_EQ(SplitCommandLine("saver.scr /s"), (Parts{"saver.scr", "/s"}));
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\a b.scr\" /p 1234"),
              (Parts{"C:\\Program Files\\a b.scr", "/p", "1234"}));
    EXPECT_EQ(SplitCommandLine("prog"), (Parts{"prog"}));
}

TEST(SplitCommandLine, EmptyOrBlankLineStillHasAProgramElement)
{
    EXPECT_EQ(SplitCommandLine(""), (Parts{""}));
    EXPECT_EQ(SplitCommandLine(" \t\r\n"), (Parts{""}));
}

TEST(SplitCommandLine, AnyCharacterUpToSpaceSeparates)
{
    EXPECT_EQ(SplitCommandLine("  p\ta\r\nb \x01 c   "), (Parts{"p", "a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("p \xa0x"), (Parts{"p", "\xa0x"})) << "high bytes are not blanks";
}

TEST(SplitCommandLine, QuotesGroupAndVanishEvenInsideAWord)
{
    EXPECT_EQ(SplitCommandLine("p a\"b c\"d e"), (Parts{"p", "ab cd", "e"}));
    EXPECT_EQ(SplitCommandLine("p \"x\"\"y\""), (Parts{"p", "xy"}));
    EXPECT_EQ(SplitCommandLine("p /c:\"12 34\""), (Parts{"p", "/c:12 34"}));
}

TEST(SplitCommandLine, BackslashIsAnOrdinaryCharacter)
{
    EXPECT_EQ(SplitCommandLine("p a\\\"b c\""), (Parts{"p", "a\\b c"}));
    EXPECT_EQ(SplitCommandLine("p C:\\dir\\ x"), (Parts{"p", "C:\\dir\\", "x"}));
}

TEST(SplitCommandLine, UnclosedQuoteRunsToTheEnd)
{
    EXPECT_EQ(SplitCommandLine("p \"a b"), (Parts{"p", "a b"}));
    EXPECT_EQ(SplitCommandLine("p x\""), (Parts{"p", "x"}));
    EXPECT_EQ(SplitCommandLine("p \""), (Parts{"p"}));
}

TEST(SplitCommandLine, EmptyParameterEndsTheList)
{
    EXPECT_EQ(SplitCommandLine("p a \"\" b"), (Parts{"p", "a"}));
    EXPECT_EQ(SplitCommandLine("p \"\"x"), (Parts{"p", "x"})) << "an empty quote inside a word is nothing";
    EXPECT_EQ(SplitCommandLine("\"\" a"), (Parts{"", "a"})) << "the program element may be empty";
}
