#pragma once

#include "ToolProcess.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <optional>

#include <sys/resource.h>

// Test media made at test time with the machine's ffmpeg, and facts read back with ffprobe.
// Every tool runs without a shell, from FFMPEG_TOOL / FFPROBE_TOOL of the build, started the
// way the engine starts it.
namespace TestMedia {

// A scratch folder that goes away with the test.
using TestFolder = QTemporaryDir;

// A file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when `bytes` are the whole new content of `path`.
inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A limit on the size of the files this process and the tools it starts may write, as a full
// disk would set one, for as long as the object lives. Writes past it fail instead of ending
// this process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        previous_ = limit.rlim_cur;
        limit.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = previous_;
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlim_t previous_;
    void (*previousHandler_)(int);
};

// A clip of lavfi test signals. An empty codec leaves that stream out.
struct ClipSpec {
    QString videoCodec;
    QString audioCodec;
    int width = 160;
    int height = 120;
    QString frameRate = QStringLiteral("25");
    int sampleRate = 44100;
    int channels = 2;
    double seconds = 1.0;
    QStringList extraOptions;  // output options put before the file name
};

// MPEG-2 720x480 at 29.97 fps, 4:3 interlaced, with MP2 48000 Hz stereo: a file that conforms.
inline ClipSpec conformingMpeg(double seconds = 1.0)
{
    return {.videoCodec = "mpeg2video", .audioCodec = "mp2", .width = 720, .height = 480,
            .frameRate = "30000/1001", .sampleRate = 48000, .seconds = seconds,
            .extraOptions = {"-b:v", "6000k", "-flags", "ildct", "-aspect", "4:3", "-b:a", "192k"}};
}

// H.264 with mono AAC at 44100 Hz, for an .mp4.
inline ClipSpec h264AacMono(int width = 160, int height = 120, double seconds = 1.0)
{
    return {.videoCodec = "libx264", .audioCodec = "aac", .width = width, .height = height, .channels = 1,
            .seconds = seconds, .extraOptions = {"-preset", "ultrafast"}};
}

// The console (output and errors) of a tool run to success within `confinement`; nothing when
// it failed.
inline std::optional<QByteArray> runTool(const char* program, const QStringList& arguments,
                                         const ToolConfinement& confinement = {})
{
    QList<QByteArray> encoded;
    for (const QString& argument : arguments)
        encoded << QFile::encodeName(argument);
    ToolProcess process;
    if (process.start(program, encoded, ToolProcess::Input::Endless, confinement))
        return std::nullopt;
    QByteArray output;
    for (int c; (c = std::fgetc(process.output())) != EOF;)
        output += char(c);
    const ToolProcess::ExitStatus status = process.wait();
    return status.kind == ToolProcess::ExitStatus::Kind::Exited && status.value == 0 ? std::optional(output)
                                                                                      : std::nullopt;
}

// Writes the clip to `path` (the container follows its extension); true on success.
inline bool makeClip(const QString& path, const ClipSpec& recipe)
{
    const QString duration = QString::number(recipe.seconds);
    QStringList arguments{"-hide_banner", "-loglevel", "error", "-y"}, streams;
    if (!recipe.videoCodec.isEmpty()) {
        arguments << "-f" << "lavfi" << "-i" << QString("testsrc2=size=%1x%2:rate=%3:duration=%4").arg(recipe.width)
                         .arg(recipe.height).arg(recipe.frameRate, duration);
        streams << "-c:v" << recipe.videoCodec << "-pix_fmt" << "yuv420p";
    }
    if (!recipe.audioCodec.isEmpty()) {
        const QString rate = QString::number(recipe.sampleRate);
        arguments << "-f" << "lavfi" << "-i" << QString("sine=sample_rate=%1:duration=%2").arg(rate, duration);
        streams << "-c:a" << recipe.audioCodec << "-ar" << rate << "-ac" << QString::number(recipe.channels);
    }
    return runTool(FFMPEG_TOOL, arguments + streams + recipe.extraOptions + QStringList{path}).has_value();
}

// What ffprobe says of one stream ("v:0", "a:0") in one line: the codec, then the width,
// height and frame rate of a picture ("mpeg2video,720,480,30000/1001,") or the sample rate,
// channels and an empty frame rate of a sound ("mp2,48000,2,0/0"); empty when there is none.
inline QString streamFacts(const QString& path, const QString& stream)
{
    const std::optional<QByteArray> output = runTool(
        FFPROBE_TOOL, {"-v", "error", "-select_streams", stream, "-show_entries",
                       "stream=codec_name,width,height,r_frame_rate,sample_rate,channels", "-of", "csv=p=0", path});
    return output ? QString::fromUtf8(output->trimmed()) : QString();
}

// The `-f streamhash` line of one stream ("v:0", "a:0"), to tell a stream passed through
// unchanged; empty when the stream cannot be read.
inline QByteArray streamHash(const QString& path, const QString& stream)
{
    const std::optional<QByteArray> output = runTool(FFMPEG_TOOL, {"-v", "error", "-i", path, "-map", "0:" + stream,
                                                                   "-c", "copy", "-f", "streamhash", "-"});
    return output ? output->trimmed() : QByteArray();
}

// The processes `pid` has started and not yet reaped, zombies too.
inline QStringList childrenOf(qint64 pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task/").arg(pid);
    QStringList children;
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        children << QString(readAll(tasks + task + "/children")).split(u' ', Qt::SkipEmptyParts);
    return children;
}

} // namespace TestMedia
