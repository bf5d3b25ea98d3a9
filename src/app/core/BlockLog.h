// The layout of the application's log file: lines of text (each ended by
// CR LF) followed by zero bytes, the file growing in whole blocks of
// LogBlockSize bytes. A fresh log is one block of zeros with the write
// position at 0; a line that would pass the end first makes the file grow,
// so the text always fits and the size stays a multiple of the block.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/Streams.h"

inline constexpr int64_t LogBlockSize = 16384;

// Appends one block of zeros at the end of the stream; the position is kept.
void AppendLogBlock(TStream& stream);

// Writes text + CR LF at the current position, first growing the stream by
// as many blocks as the line needs.
void WriteLogLine(TStream& stream, const std::string& text);
