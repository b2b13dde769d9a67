#include "DiscMaker.h"

#include "DeliveryFormat.h"
#include "TranscodePlan.h"
#include "VideoProcessor.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// What a DVD program stream holds, as its probe tells it.
DvdTitle titleOf(const QString& programStream)
{
    VideoProcessor probe(programStream);
    const StreamFacts& facts = probe.loadInformation();
    const bool pal = facts.height == DeliveryFormat::pal().video.height;
    return {programStream, pal ? TvStandard::Pal : TvStandard::Ntsc, facts.shownAspect() == Rational{16, 9},
            facts.audio == u"ac3" ? AudioCodec::Ac3 : AudioCodec::Mp2, facts.duration};
}

} // namespace

DiscMaker::DiscMaker(DiscOptions options, QObject* parent) : QObject(parent), options_(std::move(options)) {}

std::optional<QString> DiscMaker::refusal() const
{
    if (!options_.authors())
        return std::nullopt;
    if (const std::optional<DiscFailure> missing = DvdAuthoring::missingTool(!options_.image.isEmpty()))
        return missing->message;
    if (const std::optional<QString> fault = DvdAuthoring::titleFault(options_.title))
        return fault;
    for (const QString& path : {folderPath(), imagePath()}) {
        const QFileInfo made(path);
        if (!path.isEmpty() && (made.exists() || made.isSymLink()))
            return tr("%1 already exists: the disc would not replace it.").arg(path);
    }
    return std::nullopt;
}

void DiscMaker::fit(const QStringList& files, const OutputOptions& output)
{
    thread_ = std::jthread([this, files, output](const std::stop_token& stop) {
        const std::variant<qint64, QString> videoKbps = fittedVideoKbps(files, output, stop);
        emit fitted(videoKbps);
    });
}

std::variant<qint64, QString> DiscMaker::fittedVideoKbps(const QStringList& files, const OutputOptions& output,
                                                         const std::stop_token& stop) const
{
    QList<DiscFit::File> fitted;
    for (const QString& file : files) {
        VideoProcessor probe(file);
        const std::stop_callback stopProbe(stop, [&probe] { probe.requestStop(); });
        if (stop.stop_requested())
            return QString();
        fitted << discFile(file, probe.loadInformation(), output);
    }
    return fittedVideoKbps(fitted);
}

std::variant<qint64, QString> DiscMaker::fittedVideoKbps(const QList<DiscFit::File>& files) const
{
    const auto fit = DiscFit::fit(options_.capacityBytes.value_or(DiscFit::dvd5Bytes), files);
    if (const auto* refusal = std::get_if<DiscFit::Refusal>(&fit))
        return refusal->message;
    return qint64(std::get<DiscFit::Plan>(fit).videoKbps);
}

DiscFit::File DiscMaker::discFile(const QString& path, const StreamFacts& facts, OutputOptions output)
{
    output.dvd = true;
    const TranscodePlan plan = TranscodePlan::forInput(facts, output, DeliveryFormat::chosen(output, facts));
    // A sound that is copied keeps its own rate.
    const qint64 audioKbps = plan.encodeAudio || facts.audioKbps <= 0 ? plan.audioEncoding.kbps : facts.audioKbps;
    // A picture that conforms is never re-encoded, whatever its bitrate: it takes what it takes.
    return {facts.duration, int(audioKbps), plan.encodeVideo ? 0 : std::max<qint64>(1, QFileInfo(path).size())};
}

void DiscMaker::author(const QStringList& programStreams)
{
    // The tools write into existing folders only.
    for (const QString& path : {options_.folder, QFileInfo(options_.image).path()})
        if (!path.isEmpty())
            QDir().mkpath(path);
    thread_ = std::jthread([this, programStreams](const std::stop_token& stop) {
        const std::optional<DiscFailure> failure = make(programStreams, stop);
        emit authored(failure);
    });
}

std::optional<DiscFailure> DiscMaker::make(const QStringList& programStreams, const std::stop_token& stop)
{
    QList<DvdTitle> titles;
    for (const QString& file : programStreams) {
        if (stop.stop_requested())
            return DiscFailure{DiscFailure::Kind::Stopped, {}};
        titles << titleOf(file);
    }
    DvdAuthoring authoring(request(titles));
    authoring.setProgressCallback([this](DvdAuthoring::Stage stage, double fraction) { emit progressed(stage, fraction); });
    const std::stop_callback stopAuthoring(stop, [&authoring] { authoring.requestStop(); });
    return authoring.run();
}

DiscRequest DiscMaker::request(const QList<DvdTitle>& titles) const
{
    DiscRequest request;
    request.titles = titles;
    request.title = options_.title;
    request.chapterEvery = std::chrono::minutes(options_.chapterMinutes);
    request.makeImage = !options_.image.isEmpty();
    request.imagePath = options_.image;
    request.keepFolder = !options_.folder.isEmpty();
    // Without a folder to keep, it is made beside the image, where the image is made too.
    request.destination = request.keepFolder ? options_.folder : QFileInfo(options_.image).path();
    return request;
}

QString DiscMaker::folderPath() const
{
    return options_.folder.isEmpty() ? QString() : options_.folder + u'/' + options_.title;
}

qint64 DiscMaker::bytes() const
{
    if (!options_.image.isEmpty())
        return QFileInfo(options_.image).size();
    qint64 bytes = 0;
    for (QDirIterator files(folderPath(), QDir::Files, QDirIterator::Subdirectories); files.hasNext();)
        bytes += QFileInfo(files.next()).size();
    return bytes;
}
