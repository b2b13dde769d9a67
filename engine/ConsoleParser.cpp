#include "ConsoleParser.h"

#include "AsciiCase.h"
#include "DeliveryFormat.h"
#include "FfmpegErrors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Facts come only from the lines the tool prints them on: the file's author controls titles,
// comments and tags, which the tool echoes in lines of their own.
constexpr auto durationPattern = R"(^\s*Duration:\s+(\d+):(\d+):(\d+)\.(\d+))";
// Five-digit counts have no blank after the equals sign.
constexpr auto framePattern = R"(^frame=\s*(\d+))";
// The stream patterns read what follows a stream line's "Stream #0:1[0x1c0](eng): ".
constexpr auto longVideoPattern = R"(^Video: ([^,\s]*)\s*[^,]*, [^,]*, (\d+)x(\d+))";
constexpr auto shortVideoPattern = R"(^Video: ([^,]*), (\d+)x(\d+))";
// Our ffmpeg prints details in parentheses that hold commas, which both patterns above trip
// over: take the codec up to the first blank or comma, and the first size after ", ".
constexpr auto looseVideoPattern = R"(^Video: ([^,\s]*)[^\r\n]*?, (\d+)x(\d+))";
constexpr auto fpsPattern = R"((\d+\.\d+)\s+fps)";
constexpr auto audioPattern = R"(^Audio: ([^,]*), ([^\s]*)\s\w*, ([^,\r\n]*))";

// In lower case: they are matched ignoring the case of ASCII letters.
constexpr std::array<std::string_view, 4> errorPhrases = {
    "format is not supported",
    "could not find codec parameters",
    "unknown format",
    "invalid data",
};

// A transcode's frames come at the delivery format's rate, whatever the file's own.
constexpr double framesPerHundredSeconds = DeliveryFormat::framesPerHundredSeconds;
// Finer fractions than microseconds change no frame count.
constexpr qsizetype maxFractionDigits = 6;

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char lead = s[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t continuation = 0;
        char32_t codePoint = 0;
        char32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            continuation = 1, codePoint = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            continuation = 2, codePoint = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            continuation = 3, codePoint = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (n - i <= continuation)
            return false;
        for (size_t k = 1; k <= continuation; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            codePoint = (codePoint << 6) | (s[i + k] & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += continuation + 1;
    }
    return true;
}

// The value of the leading decimal digits after optional blanks and sign; 0 when there are
// none, the nearest 64-bit limit when there are too many.
qint64 integerValue(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        if (value > (largest - digit) / 10)
            return negative ? std::numeric_limits<qint64>::min() : largest;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

// The groups read as doubles are plain decimal numbers; anything else counts as 0.0.
double doubleValue(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

// What a stream line says after its "Stream #0:1[0x1c0](eng): " (blanks first); empty for any
// other line.
std::string_view streamDescription(std::string_view line)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || !line.substr(start).starts_with("Stream #"))
        return {};
    const size_t end = line.find(": ", start);
    return end == std::string_view::npos ? std::string_view() : line.substr(end + 2);
}

bool startsAfterBlanks(std::string_view line, std::string_view literal)
{
    const size_t start = line.find_first_not_of(" \t");
    return start != std::string_view::npos && line.substr(start).starts_with(literal);
}

} // namespace

ConsoleParser::ConsoleParser(const QString& inputPath, Run run, ProgressCallback progress)
    : inputPath_(inputPath), run_(run), progress_(std::move(progress))
{
    // The tool echoes the path as it was given, a name with line breaks over several lines.
    bool first = true;
    for (const QByteArray& piece : QFile::encodeName(inputPath).split('\n')) {
        for (const QByteArray& onOneLine : piece.split('\r')) {
            if (!onOneLine.isEmpty())
                echoedInput_.push_back(onOneLine.toStdString());
            if (!first && !onOneLine.isEmpty())
                continuedInput_.push_back(onOneLine.toStdString());
            first = false;
        }
    }
    std::sort(echoedInput_.begin(), echoedInput_.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
}

bool ConsoleParser::prepare()
{
    const std::array<std::pair<QRegularExpression*, const char*>, 7> patterns = {{
        {&duration_, durationPattern},
        {&frame_, framePattern},
        {&longVideo_, longVideoPattern},
        {&shortVideo_, shortVideoPattern},
        {&looseVideo_, looseVideoPattern},
        {&fps_, fpsPattern},
        {&audio_, audioPattern},
    }};
    for (const auto& [expression, pattern] : patterns) {
        expression->setPattern(QString::fromLatin1(pattern));
        if (!expression->isValid()) {
            failure_ = EngineError{QStringLiteral("QRegularExpression"),
                                   static_cast<int>(expression->patternErrorOffset()),
                                   QStringLiteral("%1 in the pattern %2 at offset %3")
                                       .arg(expression->errorString(), expression->pattern())
                                       .arg(expression->patternErrorOffset())};
            return false;
        }
        expression->optimize();
    }
    return true;
}

ConsoleParser::Verdict ConsoleParser::line(const char* line)
{
    if (stopped_)
        return Verdict::Stop;

    const std::string_view bytes(line);
    if (!isValidUtf8(bytes))
        return Verdict::GoOn;

    if (run_ == Run::Probe && containsErrorPhrase(bytes)) {
        stopped_ = true;
        failUnrecognizedFormat();
        return Verdict::Stop;
    }

    // A line the input's name starts, after a line break in it, is the name's, whatever it says.
    if (std::any_of(continuedInput_.begin(), continuedInput_.end(),
                    [&](const std::string& piece) { return bytes.starts_with(piece); }))
        return Verdict::GoOn;

    const std::string_view stream = streamDescription(bytes);
    // A DVD program stream lists its navigation packets as a stream of their own, first.
    if (stream.starts_with("Data: dvd_nav_packet"))
        facts_.dvdNavigation = true;
    const bool wantsDuration = totalFrames_ == 0 && startsAfterBlanks(bytes, "Duration:");
    const bool wantsProgress = bytes.starts_with("frame=");
    const bool wantsVideo = stream.starts_with("Video: ");
    const bool wantsAudio = stream.starts_with("Audio: ");
    if (!(wantsDuration || wantsProgress || wantsVideo || wantsAudio))
        return Verdict::GoOn;

    if (wantsDuration || wantsProgress) {
        const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        if (wantsDuration)
            readDuration(text);
        else
            readProgress(text);
        return Verdict::GoOn;
    }
    const QString text = QString::fromUtf8(stream.data(), static_cast<qsizetype>(stream.size()));
    if (wantsVideo) {
        readVideo(text);
        readFrameRate(text);
    } else {
        readAudio(text);
    }
    return Verdict::GoOn;
}

bool ConsoleParser::containsErrorPhrase(std::string_view bytes)
{
    folded_.assign(bytes);
    for (const std::string& echoed : echoedInput_) {
        // A line break in its place, so that the text around it cannot join into a phrase.
        std::string kept;
        size_t from = 0;
        for (size_t at = folded_.find(echoed); at != std::string::npos; at = folded_.find(echoed, from)) {
            kept.append(folded_, from, at - from).push_back('\n');
            from = at + echoed.size();
        }
        folded_.swap(kept.append(folded_, from));
    }
    foldAsciiCase(folded_);
    return containsAnyWord(folded_, errorPhrases);
}

void ConsoleParser::failUnrecognizedFormat()
{
    const QString name = QFileInfo(inputPath_).fileName();
    failure_ = EngineError{FfmpegErrors::domain, FfmpegErrors::UnrecognizedFormat,
                           QCoreApplication::translate("ConsoleParser", "Not a recognized file format: %1").arg(name)};
}

void ConsoleParser::readDuration(const QString& text)
{
    const QRegularExpressionMatch match = duration_.match(text);
    if (!match.hasMatch())
        return;
    const double h = static_cast<double>(integerValue(match.capturedView(1)));
    const double m = static_cast<double>(integerValue(match.capturedView(2)));
    const double s = static_cast<double>(integerValue(match.capturedView(3)));
    // The fraction is of a second: "5" is half a second, "99" is 0.99 s.
    const QStringView digits = match.capturedView(4).left(maxFractionDigits);
    const double scale = std::pow(10.0, static_cast<double>(digits.size()));
    // Whole numbers up to the one division, so that no rounding takes a whole count below
    // itself: 100 s at 29.97 fps are 2997 frames, not 2996.
    const double units = ((h * 60 + m) * 60 + s) * scale + static_cast<double>(integerValue(digits));
    const double frames = std::trunc(units * framesPerHundredSeconds / (100 * scale));
    // A duration too long to count leaves the total unknown.
    if (frames < static_cast<double>(std::numeric_limits<qint64>::max()))
        totalFrames_ = static_cast<qint64>(frames);
}

void ConsoleParser::readProgress(const QString& text)
{
    if (totalFrames_ <= 0)
        return;
    const QRegularExpressionMatch match = frame_.match(text);
    if (!match.hasMatch())
        return;
    const double frames = doubleValue(match.capturedView(1));
    if (progress_)
        progress_(frames / static_cast<double>(totalFrames_));
}

void ConsoleParser::readVideo(const QString& text)
{
    QRegularExpressionMatch match = longVideo_.match(text);
    if (!match.hasMatch())
        match = shortVideo_.match(text);
    if (!match.hasMatch())
        match = looseVideo_.match(text);
    if (!match.hasMatch())
        return;
    facts_.video = match.captured(1);
    facts_.width = integerValue(match.capturedView(2));
    facts_.height = integerValue(match.capturedView(3));
}

void ConsoleParser::readFrameRate(const QString& text)
{
    const QRegularExpressionMatch match = fps_.match(text);
    if (match.hasMatch())
        facts_.frameRate = doubleValue(match.capturedView(1));
}

void ConsoleParser::readAudio(const QString& text)
{
    const QRegularExpressionMatch match = audio_.match(text);
    if (!match.hasMatch())
        return;
    facts_.audio = match.captured(1);
    facts_.audioRate = integerValue(match.capturedView(2));
    facts_.audioChannels = match.captured(3);
}
