#include "app/core/BlockLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Content(TMemoryStream& stream)
{
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

bool AllZero(const std::string& bytes)
{
    return bytes.find_first_not_of('\0') == std::string::npos;
}

}  // namespace

TEST(BlockLogTest, LinesAreTextWithCrLfFollowedByZerosInWholeBlocks)
{
    TMemoryStream log;
    AppendLogBlock(log);  // a new log: one zero block, written from the start
    log.SetPosition(0);
    EXPECT_EQ(log.Size(), LogBlockSize);
    EXPECT_TRUE(AllZero(Content(log)));

    WriteLogLine(log, "first");
    WriteLogLine(log, "");
    const std::string text = "first\r\n\r\n";
    EXPECT_EQ(log.Position(), static_cast<int64_t>(text.size()));
    EXPECT_EQ(Content(log).substr(0, text.size()), text);
    EXPECT_TRUE(AllZero(Content(log).substr(text.size())));

    const std::string line(98, 'x');  // 100 bytes with CR LF
    for (int i = 0; i < 163; ++i)
        WriteLogLine(log, line);
    WriteLogLine(log, std::string(82 - 9, 'y'));  // ends exactly at the block's end
    EXPECT_EQ(log.Position(), LogBlockSize);
    EXPECT_EQ(log.Size(), LogBlockSize);

    WriteLogLine(log, "z");  // passes it: one more block
    EXPECT_EQ(log.Size(), 2 * LogBlockSize);
    const std::string content = Content(log);
    EXPECT_EQ(content.substr(static_cast<size_t>(LogBlockSize) - 4, 7), "yy\r\nz\r\n");
    EXPECT_TRUE(AllZero(content.substr(static_cast<size_t>(LogBlockSize) + 3)));

    // Appending a block keeps the position.
    log.SetPosition(123);
    AppendLogBlock(log);
    EXPECT_EQ(log.Position(), 123);
    EXPECT_EQ(log.Size(), 3 * LogBlockSize);
}

TEST(BlockLogTest, ALineLongerThanABlockGrowsByAsManyBlocksAsItNeeds)
{
    TMemoryStream log;
    AppendLogBlock(log);
    log.SetPosition(0);
    WriteLogLine(log, "head");
    const std::string longLine(2 * LogBlockSize + 10, 'L');
    WriteLogLine(log, longLine);
    EXPECT_EQ(log.Size(), 3 * LogBlockSize);
    const std::string content = Content(log);
    EXPECT_EQ(content.substr(0, 6 + longLine.size() + 2), "head\r\n" + longLine + "\r\n");
    EXPECT_TRUE(AllZero(content.substr(8 + longLine.size())));
}
