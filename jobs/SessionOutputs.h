#pragma once

#include <QString>

#include <mutex>
#include <set>
#include <utility>

#include <sys/types.h>

// The files one run, or one window session, has written, known by their identity on the disk
// rather than by name: Replace is for files that were there before, never for a file made from
// another input moments ago (holiday.mov and holiday.mpg both fixed into holiday.mpg). Its
// jobs place their outputs one at a time through it, so that a name another job is claiming at
// that moment is seen as taken. Any thread.
class SessionOutputs {
public:
    // Nothing else is placed while the lock is held.
    std::unique_lock<std::mutex> hold() { return std::unique_lock(mutex_); }
    // Whether the file now at `path` is one this session wrote; with hold() held.
    bool wrote(const QString& path) const;
    // The file now at `path` was written by this session; with hold() held.
    void add(const QString& path);

private:
    std::mutex mutex_;
    std::set<std::pair<dev_t, ino_t>> files_;
};
