#include "DiscSheet.h"

#include "DiscMaker.h"
#include "SheetChooser.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {

struct Disc {
    const char* name;
    qint64 bytes;
};
constexpr Disc discs[] = {{"DVD-5", DiscFit::dvd5Bytes}, {"DVD-9", DiscFit::dvd9Bytes}};

constexpr int pathRole = Qt::UserRole;

// "12:34" for a video, a word for what is not known yet or is no video.
QString lengthText(const StreamFacts* facts)
{
    if (!facts)
        return DiscSheet::tr("reading…");
    if (facts->video.isEmpty() || facts->duration <= 0)
        return DiscSheet::tr("not a video");
    const qint64 seconds = std::llround(facts->duration);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

DiscSheet::DiscSheet(QWidget* window, const QStringList& files, const OutputOptions& output, const QString& folder,
                     const QString& openFrom)
    : QDialog(window), output_(output), openFrom_(openFrom)
{
    ui_.setupUi(this);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    for (const Disc& disc : discs)
        ui_.discCombo->addItem(tr("%1 (%2 GB)").arg(QLatin1String(disc.name), QLocale().toString(disc.bytes / 1e9, 'f', 1)),
                               disc.bytes);
    ui_.titleEdit->setText(tr("My DVD"));
    ui_.folderButton->setFullText(folder);
    startButton_ = ui_.buttons->addButton(tr("&Start"), QDialogButtonBox::AcceptRole);
    startButton_->setDefault(true);
    connect(&probe_, &FactsProbe::probed, this, &DiscSheet::factsKnown);
    connect(ui_.fileList, &QListWidget::itemChanged, this, &DiscSheet::update);
    connect(ui_.addFilesButton, &QPushButton::clicked, this, &DiscSheet::chooseMoreFiles);
    connect(ui_.folderButton, &QPushButton::clicked, this, &DiscSheet::chooseFolder);
    connect(ui_.discCombo, &QComboBox::currentIndexChanged, this, &DiscSheet::update);
    connect(ui_.titleEdit, &QLineEdit::textChanged, this, &DiscSheet::update);
    connect(ui_.imageCheck, &QCheckBox::toggled, this, &DiscSheet::update);
    connect(ui_.buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui_.buttons, &QDialogButtonBox::accepted, this, [this] {
        const auto chosen = choice();
        if (const auto* disc = std::get_if<DiscChoice>(&chosen)) {
            emit startRequested(*disc);
            accept();
        }
    });
    addFiles(files);
}

QString DiscSheet::summary(double seconds, qint64 videoKbps, const QString& disc)
{
    const qint64 minutes = std::max<qint64>(1, std::llround(seconds / 60));
    const QString length = minutes >= 60 ? tr("%1 h %2 min").arg(minutes / 60).arg(minutes % 60) : tr("%1 min").arg(minutes);
    return tr("%1 of video at %2 Mbit/s on a %3").arg(length, QLocale().toString(videoKbps / 1000.0, 'f', 1), disc);
}

std::variant<DiscChoice, QString> DiscSheet::choice() const
{
    DiscChoice chosen;
    QList<DiscFit::File> fitted;
    for (int row = 0; row < ui_.fileList->count(); ++row) {
        const QListWidgetItem& item = *ui_.fileList->item(row);
        if (item.checkState() != Qt::Checked)
            continue;
        const QString path = item.data(pathRole).toString();
        const auto found = facts_.find(path);
        if (found == facts_.end())
            return tr("Reading the files…");
        if (found->second.video.isEmpty() || found->second.duration <= 0)
            return tr("%1 is not a video that can go on a disc.").arg(QFileInfo(path).fileName());
        chosen.files << path;
        fitted << DiscMaker::discFile(path, found->second, output_);
    }
    if (chosen.files.isEmpty())
        return tr("Check the files that go on the disc.");
    const QString title = ui_.titleEdit->text().trimmed();
    const QString folder = ui_.folderButton->fullText();
    if (!QFileInfo(folder).isDir())
        return tr("Choose the folder the disc goes into.");
    chosen.options.capacityBytes = ui_.discCombo->currentData().toLongLong();
    chosen.options.folder = folder;
    chosen.options.title = title;
    chosen.options.chapterMinutes = ui_.chapterSpin->value();
    if (ui_.imageCheck->isChecked())
        chosen.options.image = QDir(folder).filePath(title + QStringLiteral(".iso"));
    const DiscMaker maker(chosen.options);
    if (const std::optional<QString> refusal = maker.refusal())
        return *refusal;
    const std::variant<qint64, QString> kbps = maker.fittedVideoKbps(fitted);
    if (const QString* refusal = std::get_if<QString>(&kbps))
        return *refusal;
    chosen.videoKbps = std::get<qint64>(kbps);
    return chosen;
}

void DiscSheet::addFiles(const QStringList& files)
{
    QStringList fresh;
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(ui_.fileList);
        item->setData(pathRole, file);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setToolTip(file);
        if (!facts_.contains(file))
            fresh << file;
    }
    fresh.removeDuplicates();
    probe_.probe(fresh);
    update();
}

void DiscSheet::chooseMoreFiles()
{
    QFileDialog* chooser = videoFilesChooser(this, tr("Add Video Files"), openFrom_);
    connect(chooser, &QFileDialog::filesSelected, this, &DiscSheet::addFiles);
    chooser->open();
}

void DiscSheet::chooseFolder()
{
    QFileDialog* chooser = sheetChooser(this, tr("Save the Disc Into"), ui_.folderButton->fullText(), QFileDialog::Directory);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        ui_.folderButton->setFullText(folder);
        update();
    });
    chooser->open();
}

void DiscSheet::factsKnown(const QString& path, const StreamFacts& facts)
{
    facts_[path] = facts;
    update();
}

void DiscSheet::update()
{
    const QSignalBlocker quiet(ui_.fileList);
    double seconds = 0;
    for (int row = 0; row < ui_.fileList->count(); ++row) {
        QListWidgetItem& item = *ui_.fileList->item(row);
        const QString path = item.data(pathRole).toString();
        const auto found = facts_.find(path);
        const StreamFacts* facts = found == facts_.end() ? nullptr : &found->second;
        item.setText(tr("%1 (%2)").arg(QFileInfo(path).fileName(), lengthText(facts)));
        if (facts && item.checkState() == Qt::Checked)
            seconds += facts->duration;
    }
    const auto chosen = choice();
    const auto* disc = std::get_if<DiscChoice>(&chosen);
    startButton_->setEnabled(disc != nullptr);
    ui_.summaryLabel->setText(disc ? summary(seconds, disc->videoKbps, QLatin1String(discs[ui_.discCombo->currentIndex()].name))
                                   : std::get<QString>(chosen));
}
