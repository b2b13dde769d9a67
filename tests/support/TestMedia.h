#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// Test media made at test time with the machine's ffmpeg, and facts read back with ffprobe.
// Every tool runs without a shell, from FFMPEG_TOOL / FFPROBE_TOOL of the build, started the
// way the engine starts it.
namespace TestMedia {

// A scratch folder that goes away with the test.
using TestFolder = QTemporaryDir;

// A file's bytes; empty when it cannot be read.
QByteArray readAll(const QString& path);
// True when `bytes` are the whole new content of `path`.
bool write(const QString& path, const QByteArray& bytes);

// A limit on the size of the files this process and the tools it starts may write, as a full
// disk would set one, for as long as the object lives. Writes past it fail instead of ending
// this process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long previous_;
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
ClipSpec conformingMpeg(double seconds = 1.0);
// H.264 with mono AAC at 44100 Hz, for an .mp4.
ClipSpec h264AacMono(int width = 160, int height = 120, double seconds = 1.0);

// The console (output and errors) of a tool run to success; nothing when it failed.
std::optional<QByteArray> runTool(const char* program, const QStringList& arguments);

// Writes the clip to `path` (the container follows its extension); true on success.
bool makeClip(const QString& path, const ClipSpec& recipe);

// What ffprobe says of one stream ("v:0", "a:0") in one line: the codec, then the width,
// height and frame rate of a picture ("mpeg2video,720,480,30000/1001,") or the sample rate,
// channels and an empty frame rate of a sound ("mp2,48000,2,0/0"); empty when there is none.
QString streamFacts(const QString& path, const QString& stream);

// The `-f streamhash` line of one stream ("v:0", "a:0"), to tell a stream passed through
// unchanged; empty when the stream cannot be read.
QByteArray streamHash(const QString& path, const QString& stream);

// The processes `pid` has started and not yet reaped, zombies too.
QStringList childrenOf(qint64 pid);

} // namespace TestMedia
