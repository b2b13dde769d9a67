#pragma once

#include <cstdio>

// Room for one console line: at most 1023 bytes of the tool's output and a NUL.
inline constexpr int consoleLineBufferSize = 1024;

// Reads one console line from `stream` into `buffer`: everything up to and including the next
// CR or LF, or size - 1 bytes when no terminator comes first, or the last bytes before end of
// stream. The line is NUL-terminated. Returns `buffer`, or null when no byte was read (end of
// stream, or once the stream has had a read error), or at once for a null buffer or stream or
// a size below 1. A byte the stream has received is handed out without waiting for more.
char* readConsoleLine(char* buffer, int size, FILE* stream);
