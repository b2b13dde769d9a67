#pragma once

#include <QString>

#include <cstdio>

// Standard output or error as a batch run writes to them: each text whole and at once, so that
// a pipe's reader sees each file as it ends, and the first failed write (a full disk, a closed
// pipe) kept, so that the run can say so and end with a failure, as coreutils do.
class ConsoleStream {
public:
    explicit ConsoleStream(std::FILE* stream) : stream_(stream) {}

    // False when the text could not be written whole, now or before.
    bool put(const QString& text);
    // The errno of the first failed write; 0 when none failed.
    int failure() const { return failure_; }
    std::FILE* file() const { return stream_; }

private:
    std::FILE* stream_;
    int failure_ = 0;
};
