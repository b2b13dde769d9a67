#pragma once

#include "UniqueFd.h"

#include <QString>

// A second wall around a tool that reads files from anyone: with Landlock, the kernel lets the
// tool write to no file but the one it is to make, and open no TCP connection. The rules are made
// here, in the app, where anything may be called; the started child only takes them on, between
// the fork and the exec (ToolProcess). Where the kernel has no Landlock, the confinement is empty
// and the tool runs with the app's own rights.
class ToolConfinement {
public:
    // Empty: no confinement.
    ToolConfinement() = default;

    // The tool may write `writable` alone, which is made, empty, when it is not there yet; with
    // an empty path it may write no file at all.
    static ToolConfinement writingOnly(const QString& writable = {});

    // The rule set the child takes on; -1 when there is none.
    int ruleset() const { return ruleset_.get(); }

    // The version of the Landlock interface of this kernel; 0 when it has none.
    static int landlockAbi();
    // What the tool is kept from, in a sentence for About.
    static QString description();

private:
    UniqueFd ruleset_;
};
