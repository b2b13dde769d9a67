#include "Figures.h"
#include "Measure.h"

#include "TestMedia.h"
#include "ToolLocator.h"
#include "VideoProcessor.h"

#include <QFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace {

constexpr int rounds = 5;
constexpr qint64 bitrate = 6000;

// ffmpeg as a shell-less caller would run it, its console thrown away; true on exit status 0.
bool runBareTool(const QByteArray& tool, const QStringList& arguments)
{
    std::vector<QByteArray> encoded{tool};
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, tool.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

FigureResult transcodeFigure()
{
    TestMedia::TestFolder folder;
    const QString input = folder.filePath("clip.mp4");
    if (!TestMedia::makeClip(input, TestMedia::h264AacMono(1280, 720, 10.0)))
        return {{}, "could not make the 10-second 720p clip"};
    const std::optional<QString> tool = ToolLocator::forThisProcess().locate();
    if (!tool)
        return {{}, "no ffmpeg beside the app or on PATH"};

    VideoProcessor probe(input);
    probe.loadInformation();
    const QString ourOutput = folder.filePath("ours.mpg");
    const QStringList bareArguments = VideoProcessor::transcodeArguments(
        input, folder.filePath("bare.mpg"), 1, 1, bitrate, probe.audioChannels());

    bool failed = false;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            VideoProcessor record(input);
            record.setAudioChannels(probe.audioChannels());
            record.setErrorCallback([&](const EngineError&) { failed = true; });
            record.setCallback([](double) {});
            record.transcode(ourOutput, 1, 1, bitrate);
        },
        [&] { failed = !runBareTool(QFile::encodeName(*tool), bareArguments) || failed; });
    if (failed)
        return {{}, "a transcode failed"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3), {}};
}
