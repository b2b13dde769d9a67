#include "VideoProcessor.h"

#include "ConsoleLineReader.h"
#include "SingleVideoInput.h"
#include "ToolComplaint.h"
#include "ToolLocator.h"
#include "ToolProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstring>

namespace {

QString describeStartFailure(const ToolProcess::StartFailure& failure, const QString& tool)
{
    const QString reason = qt_error_string(failure.errorNumber);
    switch (failure.step) {
    case ToolProcess::StartFailure::Step::Pipe:
        return QCoreApplication::translate("VideoProcessor", "Could not make a pipe to run ffmpeg: %1").arg(reason);
    case ToolProcess::StartFailure::Step::Stream:
        return QCoreApplication::translate("VideoProcessor", "Could not read the output of ffmpeg: %1").arg(reason);
    case ToolProcess::StartFailure::Step::Spawn:
        break;
    }
    return QCoreApplication::translate("VideoProcessor", "ffmpeg could not be started from %1: %2").arg(tool, reason);
}

// A tool ended by a signal printed nothing about it; otherwise its own complaint says most.
QString describeFailure(const ToolProcess::ExitStatus& status, const QString& complaint)
{
    if (status.kind == ToolProcess::ExitStatus::Kind::Signaled) {
        const char* description = sigdescr_np(status.value);
        return QCoreApplication::translate("VideoProcessor", "ffmpeg was stopped by signal %1 (%2)")
            .arg(status.value)
            .arg(description != nullptr ? QString::fromUtf8(description)
                                        : QCoreApplication::translate("VideoProcessor", "unknown signal"));
    }
    if (!complaint.isEmpty())
        return complaint;
    return QCoreApplication::translate("VideoProcessor", "ffmpeg exited with status %1").arg(status.value);
}

QList<QByteArray> encodeArguments(const QStringList& arguments)
{
    QList<QByteArray> encoded;
    encoded.reserve(arguments.size());
    for (const QString& argument : arguments)
        encoded.append(QFile::encodeName(argument));
    return encoded;
}

} // namespace

VideoProcessor::VideoProcessor(const QString& file) : path_(file) {}

void VideoProcessor::runFFMPEG(const QStringList& arguments) { run(arguments, ConsoleParser::Run::Probe); }

const StreamFacts& VideoProcessor::loadInformation()
{
    runFFMPEG(probeArguments(path()));
    return facts_;
}

void VideoProcessor::transcode(const QString& output, const TranscodePlan& plan)
{
    run(singleVideoInputOptions() + plan.arguments(path(), output), ConsoleParser::Run::Transcode, output,
        plan.format.video.printedFrameRate());
}

void VideoProcessor::requestStop() { stopSwitch_.request(); }

bool VideoProcessor::stopRequested() const { return stopSwitch_.requested(); }

QStringList VideoProcessor::probeArguments(const QString& input)
{
    return singleVideoInputOptions() << QStringLiteral("-i") << input;
}

void VideoProcessor::run(const QStringList& arguments, ConsoleParser::Run kind, const QString& output,
                         std::optional<Rational> frameRate)
{
    if (stopRequested())
        return;
    QString tool = toolPath();
    if (tool.isEmpty()) {
        const ToolLocator locator = ToolLocator::forThisProcess();
        const std::optional<QString> found = locator.locate();
        if (!found) {
            report(EngineError{ErrorKind::ToolMissing,
                               QCoreApplication::translate(
                                   "VideoProcessor", "ffmpeg could not be found or started; looked in %1 and on PATH")
                                   .arg(locator.resourceDir())});
            return;
        }
        tool = *found;
    }

    ConsoleParser parser(path(), kind, callback_, frameRate);
    if (!parser.prepare()) {
        report(*parser.failure());
        return;
    }

    ToolProcess process;
    if (const auto failure = process.start(QFile::encodeName(tool), encodeArguments(arguments), ToolProcess::Input::Endless,
                                           ToolConfinement::writingOnly(output))) {
        report(EngineError{ErrorKind::ToolFailed, describeStartFailure(*failure, tool)});
        return;
    }
    const StopSwitch::Attachment stoppable(stopSwitch_, process);
    // A stop that came while the tool was being started has not reached it; leaving kills it.
    if (stopRequested())
        return;

    std::array<char, consoleLineBufferSize> line;
    ToolComplaint complaint;
    while (readConsoleLine(line.data(), static_cast<int>(line.size()), process.output())) {
        // A stopped tool's last words are read to the end of its output, and ignored.
        if (stopRequested())
            continue;
        complaint.offer(line.data());
        if (parser.line(line.data()) == ConsoleParser::Verdict::Stop) {
            // The tool would go on encoding beside the next job; it must end with this run.
            process.kill();
            if (parser.failure())
                report(*parser.failure());
            return;
        }
    }
    if (kind == ConsoleParser::Run::Probe)
        facts_ = parser.facts();

    const ToolProcess::ExitStatus status = process.wait();
    if (kind == ConsoleParser::Run::Transcode && status.failed()) {
        report(EngineError{ErrorKind::ToolFailed,
                           QCoreApplication::translate("VideoProcessor", "Could not transcode %1: %2")
                               .arg(QFileInfo(path()).fileName(), describeFailure(status, complaint.text()))});
    }
}

void VideoProcessor::report(const EngineError& error) const
{
    if (stopRequested())
        return;
    if (errorCallback_)
        errorCallback_(error);
}
