#pragma once

#include "DvdAuthorScript.h"
#include "StopSwitch.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class DiscWorkFolder;

// What a disc is made of, and where it goes.
struct DiscRequest {
    // In playing order, all of one TV standard; at most 99.
    QList<DvdTitle> titles;
    // Names the disc's folder and image, and gives the disc its volume label.
    QString title;
    // The existing folder that the disc's folder and image go into.
    QString destination;
    std::chrono::seconds chapterEvery = std::chrono::minutes(5);
    bool makeImage = false;
    // Where the image goes, on the destination's file system; empty for beside the folder.
    QString imagePath;
    // Without it only the image is kept: the folder goes with the work folder.
    bool keepFolder = true;
};

struct DiscFailure {
    enum class Kind {
        MissingTool,  // dvdauthor, or genisoimage for an image, is not installed
        Refused,      // the request cannot make a disc
        NameTaken,    // the disc's folder or image exists, and was left as it is
        ToolFailed,
        FileError,
        Stopped,      // a stop was asked for; no message
    };
    Kind kind;
    QString message;
};

// Makes a DVD-Video folder, <destination>/<title>/VIDEO_TS, from DVD program streams with
// dvdauthor, and when asked its image, <destination>/<title>.iso unless named otherwise, with
// genisoimage. Both are made in a hidden folder in the destination and take their names, never
// replacing anything, only once both are complete: a stop or a failure at any stage leaves
// nothing. Used by one thread at a time, but for requestStop(), which any thread may call.
class DvdAuthoring {
    Q_DECLARE_TR_FUNCTIONS(DvdAuthoring)

public:
    enum class Stage { Authoring, Imaging };
    // Each stage reports 0 as it starts, fractions as its tool tells them, and 1 once it is done.
    using ProgressCallback = std::function<void(Stage stage, double fraction)>;

    explicit DvdAuthoring(DiscRequest request) : request_(std::move(request)) {}
    DvdAuthoring(const DvdAuthoring&) = delete;
    DvdAuthoring& operator=(const DvdAuthoring&) = delete;

    // The tool that making a disc, and its image when asked, needs and cannot find.
    static std::optional<DiscFailure> missingTool(bool makeImage);
    // Why `request` cannot make a disc, found before anything starts: a missing tool, no video or
    // too many, a mix of TV standards, a title that cannot name a folder, a video that cannot be
    // read or whose name dvdauthor would misread, a folder or image name already taken.
    static std::optional<DiscFailure> refusal(const DiscRequest& request);
    // Why `title` cannot name the disc's folder and image; nothing when it can.
    static std::optional<QString> titleFault(const QString& title);
    // The disc's volume label, as players show it: "MY_HOLIDAY_2024" for "My holiday 2024".
    // At most 32 of A-Z, 0-9 and _, any other character becoming _.
    static QString volumeLabel(const QString& title);

    // Makes the disc: nothing once it is in place; a Stopped failure once a stop was asked for.
    std::optional<DiscFailure> run();
    // Any thread, any time: ends the running tool (SIGTERM, SIGKILL after 3 s), starts nothing
    // more, and leaves nothing made.
    void requestStop() { stopSwitch_.request(); }
    bool stopRequested() const { return stopSwitch_.requested(); }

    QString folderPath() const { return request_.destination + u'/' + request_.title; }
    QString imagePath() const
    {
        return request_.imagePath.isEmpty() ? folderPath() + QStringLiteral(".iso") : request_.imagePath;
    }
    void setProgressCallback(ProgressCallback callback) { progress_ = std::move(callback); }

private:
    template <typename Console>
    std::optional<DiscFailure> runTool(const QString& tool, const QStringList& arguments, Stage stage,
                                       Console& console);
    void report(Stage stage, double fraction) const;
    std::optional<DiscFailure> placeAll(const DiscWorkFolder& work) const;
    QList<qint64> titleSetBytes() const;

    const DiscRequest request_;
    ProgressCallback progress_;
    StopSwitch stopSwitch_;
};
