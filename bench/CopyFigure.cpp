#include "BareTool.h"
#include "Figures.h"
#include "LargeConformingFile.h"
#include "Measure.h"

#include "FileCopy.h"
#include "OutputFile.h"
#include "TestMedia.h"

#include <QFile>

namespace {

constexpr int rounds = 5;

// The job's copy: into a temporary file, then moved to its name.
bool copyAsTheJobDoes(const QString& input, const QString& output)
{
    const std::atomic<bool> running{false};
    OutputFile file(output);
    return !file.creationError() && !copyFileInto(input, file, running)
           && !file.moveIntoPlace(NameTaken::ShowMessage, input);
}

}

FigureResult copyFigure()
{
    TestMedia::TestFolder folder;
    const QString input = folder.filePath("large.mpg");
    if (!makeLargeConformingFile(folder.filePath("clip.mpg"), input))
        return {{}, "could not make the 200 MB conforming file"};
    const QString ours = folder.filePath("ours.mpg");
    const QString bare = folder.filePath("bare.mpg");

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            QFile::remove(ours);
            failed = !copyAsTheJobDoes(input, ours) || failed;
        },
        [&] {
            QFile::remove(bare);
            // The job makes its output durable before naming it; cp is followed by the same flush.
            failed = !runBareTool("/bin/cp", {input, bare}) || !runBareTool("/bin/sync", {bare}) || failed;
        });
    if (failed)
        return {{}, "a copy failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
