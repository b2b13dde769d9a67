#pragma once

#include "UniqueFd.h"

#include <QString>

struct sock_fprog;

// A second wall around a tool that reads files from anyone: with Landlock, the kernel lets the
// tool write to no file but the one it is to make, and with a seccomp filter it opens no network
// socket. The rules are made here, in the app, where anything may be called; the started child
// only takes them on, between the fork and the exec (ToolProcess). What the kernel lacks is left
// out, and the tool runs with the app's own rights there.
class ToolConfinement {
public:
    // Empty: no confinement.
    ToolConfinement() = default;

    // The tool may write `writable` alone, which is made, empty, when it is not there yet; with
    // an empty path it may write no file at all.
    static ToolConfinement writingOnly(const QString& writable = {});

    // The Landlock rule set the child takes on; -1 when there is none.
    int ruleset() const { return ruleset_.get(); }
    // The seccomp program the child takes on; null when there is none.
    const sock_fprog* socketFilter() const { return socketFilter_; }

    // The version of the Landlock interface of this kernel; 0 when it has none.
    static int landlockAbi();
    // Whether this kernel takes seccomp filters, on a machine whose system calls the filter knows.
    static bool filtersSockets();
    // What the tool is kept from, in a sentence for About.
    static QString description();

private:
    UniqueFd ruleset_;
    const sock_fprog* socketFilter_ = nullptr;
};
