#pragma once

#include <QRegularExpression>
#include <QtGlobal>

#include <string>
#include <string_view>

class VideoProcessor;

// Reads the encoder tool's console, one line at a time, into a record: stream facts, progress
// through the record's callback, and the unrecognized-format error through its errorCallback,
// after which it takes no more lines. One parser serves one run.
class ConsoleParser {
public:
    enum class Verdict { GoOn, Stop };

    explicit ConsoleParser(VideoProcessor& record);

    // Compiles the patterns. On failure the compiler's complaint goes to the record's
    // errorCallback and the answer is false; the parser must not then be given lines.
    bool prepare();
    // One NUL-terminated console line, terminator included. Call only after prepare().
    Verdict line(const char* line);

    // Frames the run is expected to produce, from the first usable Duration line; 0 until then.
    qint64 totalFrames() const { return totalFrames_; }

private:
    bool containsErrorPhrase(std::string_view bytes);
    void raiseUnrecognizedFormat();
    void readDuration(const QString& text);
    void readProgress(const QString& text);
    void readVideo(const QString& text);
    void readFrameRate(const QString& text);
    void readAudio(const QString& text);

    VideoProcessor& record_;
    QRegularExpression duration_;
    QRegularExpression frame_;
    QRegularExpression longVideo_;
    QRegularExpression shortVideo_;
    QRegularExpression looseVideo_;
    QRegularExpression fps_;
    QRegularExpression audio_;
    qint64 totalFrames_ = 0;
    bool stopped_ = false;
    // The current line in ASCII lower case, for the error phrases; reused from line to line.
    std::string folded_;
};
