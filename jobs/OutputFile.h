#pragma once

#include "EngineError.h"
#include "JobSettings.h"
#include "UniqueFd.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A job's output, written under a hidden temporary name in its destination folder and given its
// final name only once it is complete, so that no half-written file ever carries that name. The
// temporary file is removed unless it was moved into place. The job's input is never replaced.
class OutputFile {
public:
    // Creates the empty temporary file beside `destination`, ending in the same extension so
    // that ffmpeg picks the same container for it.
    explicit OutputFile(const QString& destination);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Why the temporary file could not be made; nothing when it was.
    std::optional<EngineError> creationError() const;
    QString destination() const { return destination_; }
    QString temporaryPath() const;
    // Open for writing until closeDescriptor().
    int descriptor() const { return descriptor_.get(); }
    // False when closing fails, as it may on a full disk.
    bool closeDescriptor();

    // Removes the temporary file at once, so that a failure frees the room it took.
    void discard();

    // Why `destination` may not be written for `input` under `rule`, checked before any work.
    static std::optional<EngineError> refusal(const QString& destination, const QString& input, NameTaken rule);

    // Whether `path` has the hidden name this class gives a file while it is written.
    static bool isTemporary(const QString& path);

    // Gives the finished file its final name under `rule`, alone among the placements of
    // `session` when there is one: under Replace a file `session` wrote keeps its name, and
    // this one takes the next free number.
    std::optional<EngineError> moveIntoPlace(NameTaken rule, const QString& input);
    // The name the file was given: the destination, or a numbered one.
    QString finalPath() const { return finalPath_; }
    // Replace found the session's own output under the destination and numbered this file.
    bool keptOwnOutput() const { return keptOwnOutput_; }

private:
    std::optional<EngineError> place(NameTaken rule, const QString& input);
    std::optional<EngineError> placeAt(const QString& path, NameTaken rule, const QString& input);

    QString destination_;
    QByteArray temporaryPath_;
    UniqueFd descriptor_;
    int creationErrno_ = 0;
    QString finalPath_;
    bool keptOwnOutput_ = false;
};
