#pragma once

#include "BatchOptions.h"
#include "FactsProbe.h"
#include "OutputOptions.h"
#include "ui_DiscSheet.h"

#include <QDialog>
#include <QStringList>

#include <map>

// What the user chose for a disc: its files in playing order, the disc and where it goes, and
// the video bitrate that fits the files on it.
struct DiscChoice {
    QStringList files;
    DiscOptions options;
    qint64 videoKbps = 0;
};

// The sheet that makes a DVD of files: which ones, in what order, on which disc, with what title
// and where; a line under the choices tells what the disc will be, or why it cannot be made.
// Start is offered only for a disc that can be made.
class DiscSheet : public QDialog {
    Q_OBJECT

public:
    // Offers `files`, all checked, to be fixed by `output` and put into `folder`; more are chosen
    // from `openFrom` on.
    DiscSheet(QWidget* window, const QStringList& files, const OutputOptions& output, const QString& folder,
              const QString& openFrom = {});

    // "1 h 42 min of video at 5.8 Mbit/s on a DVD-5".
    static QString summary(double seconds, qint64 videoKbps, const QString& disc);
    // The choice as it stands, its bitrate fitted; else why there is no disc to make.
    std::variant<DiscChoice, QString> choice() const;

signals:
    void startRequested(const DiscChoice& choice);

private:
    void addFiles(const QStringList& files);
    void chooseFolder();
    void chooseMoreFiles();
    void factsKnown(const QString& path, const StreamFacts& facts);
    // The summary line and whether Start is offered, as the choices stand.
    void update();

    Ui::DiscSheet ui_;
    QPushButton* startButton_;
    OutputOptions output_;
    const QString openFrom_;
    std::map<QString, StreamFacts> facts_;
    // Last, so that its probes stop while the rest still exists.
    FactsProbe probe_;
};
