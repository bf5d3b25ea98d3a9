#include "app/core/BlockLog.h"

#include <vector>

void AppendLogBlock(TStream& stream)
{
    static const std::vector<char> zeros(static_cast<size_t>(LogBlockSize), '\0');
    const int64_t position = stream.Position();
    stream.Seek(0, soFromEnd);
    stream.WriteBuffer(zeros.data(), LogBlockSize);
    stream.SetPosition(position);
}

void WriteLogLine(TStream& stream, const std::string& text)
{
    const std::string line = text + "\r\n";
    const int64_t length = static_cast<int64_t>(line.size());
    while (stream.Position() + length > stream.Size())
        AppendLogBlock(stream);
    stream.WriteBuffer(line.data(), length);
}
