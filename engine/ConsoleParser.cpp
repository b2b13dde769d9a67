#include "ConsoleParser.h"

#include "AsciiCase.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <limits>

namespace {

// Facts come only from the lines the tool prints them on: the file's author controls titles,
// comments and tags, which the tool echoes in lines of their own.
constexpr auto durationPattern = R"(^\s*Duration:\s+(\d+):(\d+):(\d+)\.(\d+))";
// Five-digit counts have no blank after the equals sign.
constexpr auto framePattern = R"(^frame=\s*(\d+))";
// The stream patterns read what follows a stream line's "Stream #0:1[0x1c0](eng): ". A codec is
// the name before its profile and tag in parentheses: "mp2 ([3][0][0][0] / 0x0003)" is mp2.
// Numbers are digits only: the tool prints no sign.
constexpr auto videoCodecPattern = R"(^Video: ([^\s,(]+))";
// The first size after ", "; details in parentheses before it may hold commas.
constexpr auto videoSizePattern = R"(^Video: [^\r\n]*?, (\d+)x(\d+))";
// The pixel format follows the codec's part, which holds no comma; the field order, when the tool
// knows it, closes the details in parentheses after it.
constexpr auto chromaPattern = R"(^Video: [^,]*, ([a-z][a-z0-9_]*)(?: \(\d+ bpc\))?(?:\((?:[^()]*, )?)"
                               R"((progressive|top first|bottom first|top coded first \(swapped\)|)"
                               R"(bottom coded first \(swapped\))\))?)";
// "29.97 fps", "25 fps".
constexpr auto fpsPattern = R"((\d+(?:\.\d+)?)\s+fps)";
// The shape the stream is shown in, where its pixels are not square or the tool says it.
constexpr auto displayAspectPattern = R"( \[SAR \d+:\d+ DAR (\d+):(\d+)\])";
constexpr auto audioPattern = R"(^Audio: ([^\s,(]+)[^,]*, (\d+) Hz, ([^,\r\n]*))";
constexpr auto audioKbpsPattern = R"(, (\d+) kb/s)";
// The side data under a stream line that turns its picture. A metadata key of the same name
// would stand before padding and " : ".
constexpr std::string_view turnMark = "displaymatrix: rotation of ";

// In lower case: they are matched ignoring the case of ASCII letters.
// "Could not find codec parameters for stream 2" is none: it speaks of one stream, a late
// broadcast track or an attachment, and the tool reads the file's other streams all the same.
constexpr std::array<std::string_view, 3> errorPhrases = {
    "format is not supported",
    "unknown format",
    "invalid data",
};

// The reader ffmpeg would have read the input with, when it was not among those allowed: "hls" of
// "[hls @ 0x55d0c0ffee00] Format not on whitelist '...'". Empty for any other line.
std::string_view refusedReader(std::string_view line)
{
    constexpr std::string_view refusal = "] Format not on whitelist '";
    const size_t at = line.find(" @ 0x");
    const size_t end = line.find(']');
    if (!line.starts_with('[') || at == std::string_view::npos || end == std::string_view::npos || end < at
        || line.compare(end, refusal.size(), refusal) != 0)
        return {};
    return line.substr(1, at - 1);
}

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

// The value of the leading decimal digits; 0 when there are none, the largest 64-bit value when
// there are too many. The patterns capture digits only, so no count is ever negative.
qint64 integerValue(QStringView text)
{
    constexpr qint64 largest = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (qsizetype i = 0; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        if (value > (largest - digit) / 10)
            return largest;
        value = value * 10 + digit;
    }
    return value;
}

// The groups read as doubles are plain decimal numbers; anything else counts as 0.0.
double doubleValue(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

// A stream line of the input ("Stream #0:1[0x1c0](eng): Audio: ..."): the stream's index and what
// the line says after its ": ". Nothing for any other line, another input's streams among them.
std::optional<std::pair<int, std::string_view>> inputStream(std::string_view line)
{
    const size_t start = line.find_first_not_of(" \t");
    constexpr std::string_view prefix = "Stream #0:";
    if (start == std::string_view::npos || !line.substr(start).starts_with(prefix))
        return std::nullopt;
    const size_t end = line.find(": ", start);
    if (end == std::string_view::npos)
        return std::nullopt;
    int index = 0;
    size_t digits = start + prefix.size();
    for (; digits < end && line[digits] >= '0' && line[digits] <= '9' && index < 100000; ++digits)
        index = index * 10 + (line[digits] - '0');
    if (digits == start + prefix.size())
        return std::nullopt;
    return std::pair(index, line.substr(end + 2));
}

// The dispositions the tool prints at a stream line's end: "(default)", "(attached pic)"...
bool hasDisposition(QStringView description, QStringView disposition)
{
    QStringView rest = description.trimmed();
    while (rest.endsWith(u')')) {
        const qsizetype open = rest.lastIndexOf(u" (");
        if (open < 0)
            return false;
        const QStringView name = rest.sliced(open + 2, rest.size() - open - 3);
        if (name == disposition)
            return true;
        if (!std::all_of(name.begin(), name.end(), [](QChar c) { return c == u' ' || (c >= u'a' && c <= u'z'); }))
            return false;
        rest = rest.first(open);
    }
    return false;
}

FieldOrder fieldOrder(QStringView words)
{
    if (words.isEmpty())
        return FieldOrder::Unknown;
    if (words == u"progressive")
        return FieldOrder::Progressive;
    // A swapped order names the field coded first; the one shown first is the other.
    const bool top = words.startsWith(u"top");
    return top != words.endsWith(u"(swapped)") ? FieldOrder::TopFirst : FieldOrder::BottomFirst;
}

bool startsAfterBlanks(std::string_view line, std::string_view literal)
{
    const size_t start = line.find_first_not_of(" \t");
    return start != std::string_view::npos && line.substr(start).starts_with(literal);
}

} // namespace

ConsoleParser::ConsoleParser(const QString& inputPath, Run run, ProgressCallback progress,
                             std::optional<Rational> frameRate)
    : inputPath_(inputPath), run_(run), progress_(std::move(progress)), frameRate_(frameRate)
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
    const std::array<std::pair<QRegularExpression*, const char*>, 9> patterns = {{
        {&duration_, durationPattern},
        {&frame_, framePattern},
        {&videoCodec_, videoCodecPattern},
        {&videoSize_, videoSizePattern},
        {&chroma_, chromaPattern},
        {&fps_, fpsPattern},
        {&displayAspect_, displayAspectPattern},
        {&audio_, audioPattern},
        {&audioKbps_, audioKbpsPattern},
    }};
    for (const auto& [expression, pattern] : patterns) {
        expression->setPattern(QString::fromLatin1(pattern));
        if (!expression->isValid()) {
            failure_ = EngineError{ErrorKind::Internal,
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

    const auto echoesInput = [&] {
        return std::any_of(echoedInput_.begin(), echoedInput_.end(),
                           [&](const std::string& piece) { return bytes.starts_with(piece); });
    };
    if (const std::string_view reader = refusedReader(bytes); run_ == Run::Probe && !reader.empty() && !echoesInput()) {
        stopped_ = true;
        failRefusedReader(reader);
        return Verdict::Stop;
    }
    if (run_ == Run::Probe && containsErrorPhrase(bytes)) {
        stopped_ = true;
        failUnrecognizedFormat();
        return Verdict::Stop;
    }

    // A line the input's name starts, after a line break in it, is the name's, whatever it says.
    if (std::any_of(continuedInput_.begin(), continuedInput_.end(),
                    [&](const std::string& piece) { return bytes.starts_with(piece); }))
        return Verdict::GoOn;

    // The input's container, named before its path.
    if (constexpr std::string_view input = "Input #0, "; bytes.starts_with(input) && facts_.container.isEmpty()) {
        const size_t end = bytes.find(", from '", input.size());
        if (end != std::string_view::npos)
            facts_.container =
                QString::fromUtf8(bytes.data() + input.size(), static_cast<qsizetype>(end - input.size()));
        return Verdict::GoOn;
    }
    // A transcode lists its output's streams too, numbered from 0 as well.
    if (startsAfterBlanks(bytes, "Output #"))
        outputListed_ = true;
    const auto stream = outputListed_ ? std::nullopt : inputStream(bytes);
    const std::string_view description = stream ? stream->second : std::string_view();
    // A DVD program stream lists its navigation packets as a stream of their own, first.
    if (description.starts_with("Data: dvd_nav_packet"))
        facts_.dvdNavigation = true;
    if (stream)
        lastStream_ = stream->first;
    if (!outputListed_ && startsAfterBlanks(bytes, turnMark) && lastStream_ && chosenVideo_ && chosenVideo_->index == *lastStream_) {
        // A quarter turn either way, 90 or 270 degrees, puts the picture on its side.
        const std::string_view degrees = bytes.substr(bytes.find(turnMark) + turnMark.size());
        const long whole = std::lround(std::abs(std::strtod(std::string(degrees.substr(0, 16)).c_str(), nullptr)));
        facts_.quarterTurned = whole % 180 == 90;
        return Verdict::GoOn;
    }
    const bool wantsDuration = facts_.duration == 0 && startsAfterBlanks(bytes, "Duration:");
    const bool wantsProgress = bytes.starts_with("frame=");
    const bool isVideo = description.starts_with("Video: ");
    const bool isAudio = description.starts_with("Audio: ");
    if (!(wantsDuration || wantsProgress || isVideo || isAudio))
        return Verdict::GoOn;

    if (wantsDuration || wantsProgress) {
        const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        if (wantsDuration)
            readDuration(text);
        else
            readProgress(text);
        return Verdict::GoOn;
    }
    // A stream in several programs is listed under each.
    if (!streamKinds_.emplace(stream->first, isVideo).second)
        return Verdict::GoOn;
    const QString text = QString::fromUtf8(description.data(), static_cast<qsizetype>(description.size()));
    if (isVideo)
        readVideo(stream->first, text);
    else
        readAudio(stream->first, text);
    countStreams();
    return Verdict::GoOn;
}

bool ConsoleParser::chooses(std::optional<Choice>& chosen, int index, const QString& text)
{
    // The tool's own choice favours the stream marked default; among equals, the first.
    const bool isDefault = hasDisposition(text, u"default");
    if (chosen && (chosen->isDefault || !isDefault))
        return false;
    chosen = Choice{index, isDefault};
    return true;
}

void ConsoleParser::countStreams()
{
    // Streams are listed by program, not always in the order the tool counts them.
    const auto count = [this](const std::optional<Choice>& chosen, bool video) -> std::optional<int> {
        if (!chosen)
            return std::nullopt;
        return static_cast<int>(std::count_if(streamKinds_.begin(), streamKinds_.lower_bound(chosen->index),
                                              [video](const auto& kind) { return kind.second == video; }));
    };
    facts_.videoStream = count(chosenVideo_, true);
    facts_.audioStream = count(chosenAudio_, false);
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
    failure_ = EngineError{ErrorKind::UnrecognizedFormat,
                           QCoreApplication::translate("ConsoleParser", "Not a recognized file format: %1").arg(name)};
}

void ConsoleParser::failRefusedReader(std::string_view reader)
{
    failure_ = EngineError{
        ErrorKind::InputRefused,
        QCoreApplication::translate("ConsoleParser", "%1 was not read: ffmpeg takes it for \"%2\", which is no single "
                                                     "video file (it may be a playlist or a list that names other "
                                                     "files, a picture or a device).")
            .arg(QFileInfo(inputPath_).fileName(), QString::fromUtf8(reader.data(), qsizetype(reader.size())))};
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
    // itself: 100 s at 2997/100 fps are 2997 frames, not 2996.
    const double units = ((h * 60 + m) * 60 + s) * scale + static_cast<double>(integerValue(digits));
    if (frameRate_) {
        const double frames = std::trunc(units * static_cast<double>(frameRate_->numerator)
                                         / (static_cast<double>(frameRate_->denominator) * scale));
        // A duration too long to count, or too short to hold a frame, is no usable one.
        if (frames < 1 || frames >= static_cast<double>(std::numeric_limits<qint64>::max()))
            return;
        totalFrames_ = static_cast<qint64>(frames);
    }
    facts_.duration = units / scale;
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

void ConsoleParser::readVideo(int index, const QString& text)
{
    // A cover picture is no video to work from, nor a picture of no known size.
    const QRegularExpressionMatch size = videoSize_.match(text);
    if (!size.hasMatch() || hasDisposition(text, u"attached pic") || !chooses(chosenVideo_, index, text))
        return;
    facts_.video = videoCodec_.match(text).captured(1);
    facts_.width = integerValue(size.capturedView(1));
    facts_.height = integerValue(size.capturedView(2));
    const QRegularExpressionMatch chroma = chroma_.match(text);
    facts_.chroma = chroma.captured(1);
    facts_.fieldOrder = fieldOrder(chroma.capturedView(2));
    // The tool does not say it of DV, whose standard-definition pictures are all bottom field
    // first: scaled as one, their fields' colours would blend.
    if (facts_.fieldOrder == FieldOrder::Unknown && facts_.video == QLatin1String("dvvideo") && facts_.height < 720)
        facts_.fieldOrder = FieldOrder::BottomFirst;
    const QRegularExpressionMatch fps = fps_.match(text);
    facts_.frameRate = fps.hasMatch() ? doubleValue(fps.capturedView(1)) : 0;
    const QRegularExpressionMatch shape = displayAspect_.match(text);
    facts_.displayAspect = shape.hasMatch() ? Rational{integerValue(shape.capturedView(1)), integerValue(shape.capturedView(2))}
                                            : Rational{facts_.width, facts_.height};
    facts_.quarterTurned = false;
}

void ConsoleParser::readAudio(int index, const QString& text)
{
    const QRegularExpressionMatch match = audio_.match(text);
    if (!match.hasMatch() || !chooses(chosenAudio_, index, text))
        return;
    facts_.audio = match.captured(1);
    facts_.audioRate = integerValue(match.capturedView(2));
    facts_.audioChannels = match.captured(3);
    facts_.audioKbps = integerValue(audioKbps_.match(text).capturedView(1));
}
