#pragma once

#include <QRegularExpression>
#include <QtGlobal>

#include <string>
#include <string_view>
#include <vector>

class VideoProcessor;

// Reads the encoder tool's console, one line at a time, into a record: stream facts, and progress
// through the record's callback. A probe's console also tells whether the tool could read the
// input at all: on an error phrase the unrecognized-format error goes to the record's
// errorCallback, and the parser takes no more lines. A transcode's phrases count for nothing,
// since the tool names a damaged packet the same way and carries on. One parser serves one run.
class ConsoleParser {
public:
    enum class Verdict { GoOn, Stop };
    enum class Run { Probe, Transcode };

    explicit ConsoleParser(VideoProcessor& record, Run run = Run::Probe);

    // Compiles the patterns. On failure the compiler's complaint goes to the record's
    // errorCallback and the answer is false; the parser must not then be given lines.
    bool prepare();
    // One NUL-terminated console line, terminator included. Call only after prepare().
    Verdict line(const char* line);

    // Frames the run is expected to produce, from the first usable Duration line; 0 until then.
    qint64 totalFrames() const { return totalFrames_; }

private:
    // Outside the input's path and file name, which the tool echoes and which may hold a phrase.
    bool containsErrorPhrase(std::string_view bytes);
    void raiseUnrecognizedFormat();
    void readDuration(const QString& text);
    void readProgress(const QString& text);
    void readVideo(const QString& text);
    void readFrameRate(const QString& text);
    void readAudio(const QString& text);

    VideoProcessor& record_;
    const Run run_;
    // The input's path and file name as the tool echoes them, cut where they break the line,
    // longest first.
    std::vector<std::string> echoedInput_;
    // The pieces of the input's name after a line break in it: each starts a line of its own.
    std::vector<std::string> continuedInput_;
    QRegularExpression duration_;
    QRegularExpression frame_;
    QRegularExpression longVideo_;
    QRegularExpression shortVideo_;
    QRegularExpression looseVideo_;
    QRegularExpression fps_;
    QRegularExpression audio_;
    qint64 totalFrames_ = 0;
    bool stopped_ = false;
    // The current line without the echoed input, in ASCII lower case, for the error phrases;
    // reused from line to line.
    std::string folded_;
};
