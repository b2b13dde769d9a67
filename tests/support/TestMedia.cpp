#include "TestMedia.h"

#include "ToolProcess.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace TestMedia {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

FileSizeLimit::FileSizeLimit(long long bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN))
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previous_ = limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previous_;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}

std::optional<QByteArray> runTool(const char* program, const QStringList& arguments)
{
    QList<QByteArray> encoded;
    for (const QString& argument : arguments)
        encoded << QFile::encodeName(argument);
    ToolProcess process;
    if (process.start(program, encoded))
        return std::nullopt;
    QByteArray output;
    for (int c; (c = std::fgetc(process.output())) != EOF;)
        output += char(c);
    const ToolProcess::ExitStatus status = process.wait();
    return status.kind == ToolProcess::ExitStatus::Kind::Exited && status.value == 0 ? std::optional(output)
                                                                                      : std::nullopt;
}

ClipSpec conformingMpeg(double seconds)
{
    return {.videoCodec = "mpeg2video", .audioCodec = "mp2", .width = 720, .height = 480,
            .frameRate = "30000/1001", .sampleRate = 48000, .seconds = seconds,
            .extraOptions = {"-b:v", "6000k", "-flags", "ildct", "-aspect", "4:3", "-b:a", "192k"}};
}

ClipSpec h264AacMono(int width, int height, double seconds)
{
    return {.videoCodec = "libx264", .audioCodec = "aac", .width = width, .height = height, .channels = 1,
            .seconds = seconds, .extraOptions = {"-preset", "ultrafast"}};
}

bool makeClip(const QString& path, const ClipSpec& recipe)
{
    const QString duration = QString::number(recipe.seconds);
    QStringList arguments{"-hide_banner", "-loglevel", "error", "-y"}, streams;
    if (!recipe.videoCodec.isEmpty()) {
        arguments << "-f" << "lavfi" << "-i" << QString("testsrc2=size=%1x%2:rate=%3:duration=%4").arg(recipe.width)
                         .arg(recipe.height).arg(recipe.frameRate, duration);
        streams << "-c:v" << recipe.videoCodec << "-pix_fmt" << "yuv420p";
    }
    if (!recipe.audioCodec.isEmpty()) {
        arguments << "-f" << "lavfi" << "-i" << QString("sine=frequency=440:sample_rate=%1:duration=%2").arg(recipe.sampleRate).arg(duration);
        streams << "-c:a" << recipe.audioCodec << "-ar" << QString::number(recipe.sampleRate) << "-ac" << QString::number(recipe.channels);
    }
    return runTool(FFMPEG_TOOL, arguments + streams + recipe.extraOptions + QStringList{path}).has_value();
}

QString streamFacts(const QString& path, const QString& stream)
{
    const std::optional<QByteArray> output = runTool(
        FFPROBE_TOOL, {"-v", "error", "-select_streams", stream, "-show_entries",
                       "stream=codec_name,width,height,r_frame_rate,sample_rate,channels", "-of", "csv=p=0", path});
    return output ? QString::fromUtf8(output->trimmed()) : QString();
}

QByteArray streamHash(const QString& path, const QString& stream)
{
    const std::optional<QByteArray> output = runTool(FFMPEG_TOOL, {"-v", "error", "-i", path, "-map", "0:" + stream,
                                                                   "-c", "copy", "-f", "streamhash", "-"});
    return output ? output->trimmed() : QByteArray();
}

QStringList childrenOf(qint64 pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task/").arg(pid);
    QStringList children;
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        children << QString(readAll(tasks + task + "/children")).split(u' ', Qt::SkipEmptyParts);
    return children;
}

} // namespace TestMedia
