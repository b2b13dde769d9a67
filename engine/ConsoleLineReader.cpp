#include "ConsoleLineReader.h"

char* readConsoleLine(char* buffer, int size, FILE* stream)
{
    if (buffer == nullptr || size < 1 || stream == nullptr)
        return nullptr;
    // A read error ends the reading for good, not just the line it broke.
    if (ferror(stream))
        return nullptr;

    const int limit = size - 1;
    int count = 0;
    while (count < limit) {
        const int byte = fgetc(stream);
        // EOF comes back for end of stream and for a read error alike; both end the line.
        if (byte == EOF)
            break;
        buffer[count++] = static_cast<char>(byte);
        if (byte == '\n' || byte == '\r')
            break;
    }
    buffer[count] = '\0';
    return count > 0 ? buffer : nullptr;
}
