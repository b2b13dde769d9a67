#include "Figures.h"
#include "Measure.h"

#include "ConsoleLineReader.h"
#include "ConsoleParser.h"
#include "TestMedia.h"
#include "ToolLocator.h"
#include "ToolProcess.h"
#include "TranscodePlan.h"

#include <QFile>

#include <array>
#include <cstring>
#include <string>

namespace {

constexpr int rounds = 5;
constexpr int logLines = 100000;

// The console of one real transcode, with progress printed every few milliseconds, as
// NUL-terminated lines one after another, exactly as readConsoleLine hands them over.
std::string recordConsole(const QString& tool, const QString& input, const QString& output, int& lineCount)
{
    TranscodePlan mono;
    mono.audioEncoding.channels = 1;
    QStringList arguments = mono.arguments(input, output);
    arguments.prepend(QStringLiteral("0.002"));
    arguments.prepend(QStringLiteral("-stats_period"));
    QList<QByteArray> encoded;
    for (const QString& argument : arguments)
        encoded.append(QFile::encodeName(argument));

    std::string console;
    lineCount = 0;
    ToolProcess process;
    if (process.start(QFile::encodeName(tool), encoded))
        return console;
    std::array<char, consoleLineBufferSize> line;
    while (readConsoleLine(line.data(), static_cast<int>(line.size()), process.output())) {
        console.append(line.data(), std::strlen(line.data()) + 1);
        ++lineCount;
    }
    process.wait();
    return console;
}

// The recorded console, which must hold at least one line, repeated until it holds `logLines`.
std::string repeatToLines(const std::string& console)
{
    std::string log;
    const char* const end = console.data() + console.size();
    for (int lines = 0; lines < logLines;) {
        for (const char* p = console.data(); p < end && lines < logLines; ++lines) {
            const char* lineEnd = static_cast<const char*>(std::memchr(p, '\0', static_cast<size_t>(end - p)));
            log.append(p, static_cast<size_t>(lineEnd - p) + 1);
            p = lineEnd + 1;
        }
    }
    return log;
}

} // namespace

FigureResult parseFigure()
{
    TestMedia::TestFolder folder;
    const QString input = folder.filePath("clip.mp4");
    if (!TestMedia::makeClip(input, TestMedia::h264AacMono(160, 120, 10.0)))
        return {{}, "could not make the clip to record"};
    const std::optional<QString> tool = ToolLocator::forThisProcess().locate();
    if (!tool)
        return {{}, "no ffmpeg beside the app or on PATH"};
    int consoleLines = 0;
    const std::string console = recordConsole(*tool, input, folder.filePath("out.mpg"), consoleLines);
    if (consoleLines == 0)
        return {{}, "ffmpeg printed nothing"};
    const std::string log = repeatToLines(console);
    const char* const begin = log.data();
    const char* const end = begin + log.size();

    double fractions = 0.0;
    size_t baselineLines = 0;
    const Measure::SideBySide times = Measure::sideBySide(
        rounds,
        [&] {
            // Read as a probe's, the lines are searched for error phrases too; the frames are counted
            // at the rate the transcode wrote them.
            ConsoleParser parser(QStringLiteral("/movies/clip.mp4"), ConsoleParser::Run::Probe,
                                 [&](double fraction) { fractions += fraction; },
                                 DeliveryFormat::ntsc().video.printedFrameRate());
            parser.prepare();
            for (const char* p = begin; p < end;) {
                parser.line(p);
                p = static_cast<const char*>(std::memchr(p, '\0', static_cast<size_t>(end - p))) + 1;
            }
        },
        [&] {
            for (const char* p = begin; p < end; ++baselineLines)
                p = static_cast<const char*>(std::memchr(p, '\0', static_cast<size_t>(end - p))) + 1;
        });
    if (fractions <= 0.0 || baselineLines != static_cast<size_t>(logLines) * rounds)
        return {{}, "the recorded console gave no progress or lost lines"};
    return {"ratio=" + Measure::fixed(times.ratio(), 3) +
                " lines_per_second=" + std::to_string(static_cast<long long>(logLines / times.ours)),
            {}};
}
