#include "app/core/BlockLog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Content(TMemoryStream& stream)
{
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

}  // namespace

TEST(BlockLogTest, LinesAreTextWithCrLfFollowedByZerosInWholeBlocks)
{
    TMemoryStream log;
    AppendLogBlock(log);  // a new log: one zero block, written from the start
    log.SetPosition(0);
    WriteLogLine(log, "head");
    const std::string line(98, 'x');  // 100 bytes with CR LF
    for (int i = 0; i < 163; ++i)
        WriteLogLine(log, line);
    WriteLogLine(log, std::string(82 - 6, 'y'));  // ends exactly at the block's end
    EXPECT_EQ(log.Position(), LogBlockSize);
    EXPECT_EQ(log.Size(), LogBlockSize);

    // A line longer than a block grows the log by as many blocks as it needs.
    const std::string longLine(2 * LogBlockSize + 10, 'L');
    WriteLogLine(log, longLine);
    EXPECT_EQ(log.Size(), 4 * LogBlockSize);
    const std::string content = Content(log);
    EXPECT_EQ(content.substr(0, 6), "head\r\n");
    EXPECT_EQ(content.substr(static_cast<size_t>(LogBlockSize) - 4, 6), "yy\r\nLL");
    const size_t end = static_cast<size_t>(LogBlockSize) + longLine.size() + 2;
    EXPECT_EQ(content.substr(end - 3, 3), "L\r\n");
    EXPECT_EQ(content.find_first_not_of('\0', end), std::string::npos);
}
