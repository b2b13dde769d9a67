#include "Options.h"

#include <QThread>

#include <algorithm>

namespace Options {

const Option folder{
    .key = "path", .kind = Option::Kind::Folder, .control = "pathButton", .flag = "output",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "folder"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: write into <folder>."),
    .apply = [](JobSettings& s, const QVariant& v) { s.folder = v.toString(); }};

const Option bitrate{
    .key = "bitrate", .kind = Option::Kind::Number, .control = "bitrateSlider", .flag = "bitrate",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "n"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: re-encoded video at <n> Mbps, 1 to 9."),
    // DVD players take up to about 9.8 Mbit/s with the sound.
    .defaultValue = 6, .low = 1, .high = [] { return 9; }, .unit = QT_TRANSLATE_NOOP("Options", "%1 Mbps"),
    .apply = [](JobSettings& s, const QVariant& v) { s.output.videoKbps = v.toLongLong() * 1000; }};

// The words of these four in the order of their enumerations.
const Option standard{
    .key = "standard", .kind = Option::Kind::Choice, .control = "standardCombo", .flag = "standard",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "standard"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: the TV standard, ntsc or pal."),
    .defaultValue = 0, .words = {"ntsc", "pal"},
    .apply = [](JobSettings& s, const QVariant& v) { s.output.standard = TvStandard(v.toInt()); }};

const Option shape{
    .key = "shape", .kind = Option::Kind::Choice, .control = "shapeCombo", .flag = "shape",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "shape"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: the picture's shape, 4:3, 16:9 (widescreen) or source (16:9 "
                                             "for a wide source, else 4:3)."),
    .defaultValue = 0, .words = {"4:3", "16:9", "source"},
    .apply = [](JobSettings& s, const QVariant& v) { s.output.shape = PictureShape(v.toInt()); }};

const Option audio{
    .key = "audio", .kind = Option::Kind::Choice, .control = "audioCombo", .flag = "audio",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "codec"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: the sound, mp2 or ac3 (which every NTSC DVD player plays)."),
    .defaultValue = 0, .words = {"mp2", "ac3"},
    .apply = [](JobSettings& s, const QVariant& v) { s.output.audio = AudioCodec(v.toInt()); }};

const Option quality{
    .key = "quality", .kind = Option::Kind::Choice, .control = "qualityCombo", .flag = "quality",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "level"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: the picture's quality for its bitrate, standard, better "
                                             "(slower) or best (much slower)."),
    .defaultValue = 0, .words = {"standard", "better", "best"},
    .apply = [](JobSettings& s, const QVariant& v) { s.output.quality = Quality(v.toInt()); }};

// The words in the order of NameTaken. A script reads "skip" for what the window calls a
// message; the stored word stays, and the flag still takes it.
const Option nameTaken{
    .key = "taken", .kind = Option::Kind::Choice, .control = "takenCombo", .flag = "if-taken",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "rule"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: when <name>.mpg exists, skip the file (skip; message is "
                                             "taken too), keep both (keep) or replace the old file (replace)."),
    .defaultValue = 0, .words = {"message", "keep", "replace"}, .flagWords = {"skip", "keep", "replace"},
    .apply = [](JobSettings& s, const QVariant& v) { s.nameTaken = NameTaken(v.toInt()); }};

const Option reencodeAll{
    .key = "force", .kind = Option::Kind::Switch, .control = "forceCheck", .flag = "reencode-all",
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: re-encode every file, even a conforming one."),
    .defaultValue = false,
    .apply = [](JobSettings& s, const QVariant& v) { s.output.reencodeAll = v.toBool(); }};

const Option dvd{
    .key = "dvd", .kind = Option::Kind::Switch, .control = "dvdCheck", .flag = "dvd",
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: make files ready for DVD authoring."), .defaultValue = false,
    .apply = [](JobSettings& s, const QVariant& v) { s.output.dvd = v.toBool(); }};

const Option keepProportions{
    .key = "bars", .kind = Option::Kind::Switch, .control = "barsCheck", .flag = "keep-proportions",
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: keep the picture's proportions (black bars)."),
    .defaultValue = false,
    .apply = [](JobSettings& s, const QVariant& v) { s.output.keepProportions = v.toBool(); }};

// As many files at once as the machine has cores: more only share them. A batch run may ask
// for more, for files on slow storage.
const Option filesAtOnce{
    .key = "filesAtOnce", .kind = Option::Kind::Number, .control = "filesAtOnceSpin", .flag = "jobs",
    .valueName = QT_TRANSLATE_NOOP("CommandLine", "n"),
    .help = QT_TRANSLATE_NOOP("CommandLine", "Batch: fix <n> files at once."),
    .defaultValue = 1, .low = 1, .high = [] { return std::max(QThread::idealThreadCount(), 1); }, .flagHigh = 1024};

// A batch run has nobody to wait for: it always goes on.
const Option failure{
    .key = "failure", .kind = Option::Kind::Choice, .control = "failureCombo", .defaultValue = 0,
    .words = {"wait", "continue"},
    .apply = [](JobSettings& s, const QVariant& v) { s.waitOnFailure = v.toInt() == 0; }};

const std::vector<const Option*>& all()
{
    static const std::vector<const Option*> options{
        &folder, &bitrate, &standard, &shape, &audio, &quality, &nameTaken, &reencodeAll, &dvd, &keepProportions,
        &filesAtOnce, &failure};
    return options;
}

JobSettings defaultSettings()
{
    JobSettings settings;
    for (const Option* option : all())
        if (option->apply && option->kind != Option::Kind::Folder)
            option->apply(settings, option->defaultValue);
    return settings;
}

const Option* withKey(const QString& key)
{
    const auto& options = all();
    const auto found = std::find_if(options.begin(), options.end(), [&](const Option* o) { return key == o->key; });
    return found == options.end() ? nullptr : *found;
}

} // namespace Options
