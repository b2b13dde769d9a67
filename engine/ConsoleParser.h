#pragma once

#include "EngineError.h"
#include "Rational.h"
#include "StreamFacts.h"

#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads the encoder tool's console, one line at a time, into stream facts, and progress through
// its callback. A probe's console also tells whether the tool could read the input at all: on an
// error phrase the parser fails with the unrecognized-format error and takes no more lines. A
// transcode's phrases count for nothing, since the tool names a damaged packet the same way and
// carries on. One parser serves one run of the tool on `inputPath`; a run that writes frames at
// `frameRate` expects as many as the input's duration holds, and its progress counts them.
class ConsoleParser {
public:
    enum class Verdict { GoOn, Stop };
    enum class Run { Probe, Transcode };
    // The fraction of the run done; not always within 0..1, as the tool's own counts are not.
    using ProgressCallback = std::function<void(double fraction)>;

    explicit ConsoleParser(const QString& inputPath, Run run = Run::Probe, ProgressCallback progress = {},
                           std::optional<Rational> frameRate = std::nullopt);

    // Compiles the patterns. On failure the compiler's complaint is the parser's failure and the
    // answer is false; the parser must not then be given lines.
    bool prepare();
    // One NUL-terminated console line, terminator included. Call only after prepare().
    Verdict line(const char* line);

    // Frames the run is expected to produce, from the first usable Duration line; 0 until then,
    // and for a run that writes none.
    qint64 totalFrames() const { return totalFrames_; }
    const StreamFacts& facts() const { return facts_; }
    // Why the run's input could not be read, or the patterns not compiled; nothing otherwise.
    const std::optional<EngineError>& failure() const { return failure_; }

private:
    // Outside the input's path and file name, which the tool echoes and which may hold a phrase.
    bool containsErrorPhrase(std::string_view bytes);
    void failUnrecognizedFormat();
    // ffmpeg would have read the input with `reader`, which it may not.
    void failRefusedReader(std::string_view reader);
    void readDuration(const QString& text);
    void readProgress(const QString& text);
    // The stream at `index` of the input, its line's description in `text`.
    void readVideo(int index, const QString& text);
    void readAudio(int index, const QString& text);
    struct Choice {
        int index;
        bool isDefault;
    };
    // Whether the stream at `index` is to be judged rather than the one `chosen` so far; it
    // then becomes the chosen one.
    bool chooses(std::optional<Choice>& chosen, int index, const QString& text);
    // Sets the facts' stream numbers, counted within their kind, from the streams listed so far.
    void countStreams();

    const QString inputPath_;
    const Run run_;
    const ProgressCallback progress_;
    const std::optional<Rational> frameRate_;
    StreamFacts facts_;
    std::optional<EngineError> failure_;
    // The input's path and file name as the tool echoes them, cut where they break the line,
    // longest first.
    std::vector<std::string> echoedInput_;
    // The pieces of the input's name after a line break in it: each starts a line of its own.
    std::vector<std::string> continuedInput_;
    QRegularExpression duration_;
    QRegularExpression frame_;
    QRegularExpression videoCodec_;
    QRegularExpression videoSize_;
    QRegularExpression chroma_;
    QRegularExpression fps_;
    QRegularExpression displayAspect_;
    QRegularExpression audio_;
    QRegularExpression audioKbps_;
    // The input's video (true) and audio streams listed so far, by their index in the input.
    std::map<int, bool> streamKinds_;
    std::optional<Choice> chosenVideo_;
    // The stream whose line came last: side data below it is its own.
    std::optional<int> lastStream_;
    std::optional<Choice> chosenAudio_;
    bool outputListed_ = false;
    qint64 totalFrames_ = 0;
    bool stopped_ = false;
    // The current line without the echoed input, in ASCII lower case, for the error phrases;
    // reused from line to line.
    std::string folded_;
};
