#pragma once

#include "BatchOptions.h"
#include "DiscFit.h"
#include "DvdAuthoring.h"
#include "OutputOptions.h"
#include "StreamFacts.h"

#include <QObject>
#include <QStringList>

#include <optional>
#include <thread>
#include <variant>

// The DVD made of a round's files: the one video bitrate that fits them all on the disc, found
// before anything is encoded, and the DVD-Video folder and image authored from the fixed files,
// each on a thread of its own, so that a batch run still hears an interrupt and the window stays
// live.
class DiscMaker : public QObject {
    Q_OBJECT

public:
    explicit DiscMaker(DiscOptions options, QObject* parent = nullptr);
    // Stops the authoring and waits for it: nothing half made stays.
    ~DiscMaker() override = default;

    // Why the disc cannot be made, found before any file starts: a tool it needs and cannot find,
    // a title that cannot name a folder, or its folder's or image's name taken.
    std::optional<QString> refusal() const;
    // Finds the whole kbit/s of video, rounded down, that fit `files` with the sound `output`
    // gives them on the disc, on the thread; fitted() follows. Probes each file: it takes a moment.
    void fit(const QStringList& files, const OutputOptions& output);
    // The same for files already probed, at once.
    std::variant<qint64, QString> fittedVideoKbps(const QList<DiscFit::File>& files) const;
    // What the file at `path` with `facts` asks of the disc once fixed for DVD by `output`.
    static DiscFit::File discFile(const QString& path, const StreamFacts& facts, OutputOptions output);

    // Authors the disc from `programStreams` in playing order, after fitted() if fit() was
    // called; authored() follows.
    void author(const QStringList& programStreams);
    // Any time: the authoring stops and leaves nothing made; authored() tells it Stopped.
    void requestStop() { thread_.request_stop(); }

    // Where the disc went; empty for what was not asked for.
    QString folderPath() const;
    QString imagePath() const { return options_.image; }
    // The image's bytes, else the folder's.
    qint64 bytes() const;

signals:
    // These are sent from the disc's threads: connect them with a receiver in another.
    // The bitrate, else the message of the refusal; after requestStop() any of them.
    void fitted(const std::variant<qint64, QString>& videoKbps);
    // How far authoring has come, each stage from 0 to 1.
    void progressed(DvdAuthoring::Stage stage, double fraction);
    // Nothing when the disc is in place.
    void authored(const std::optional<DiscFailure>& failure);

private:
    std::variant<qint64, QString> fittedVideoKbps(const QStringList& files, const OutputOptions& output,
                                                  const std::stop_token& stop) const;
    std::optional<DiscFailure> make(const QStringList& programStreams, const std::stop_token& stop);
    DiscRequest request(const QList<DvdTitle>& titles) const;

    const DiscOptions options_;
    // Last, so that it is stopped and joined while the rest still exists.
    std::jthread thread_;
};
