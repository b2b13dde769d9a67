#include "AboutBox.h"

#include "ToolConfinement.h"
#include "ToolLocator.h"
#include "ToolVersion.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QThreadPool>

#include <optional>

namespace {

struct Encoder {
    QString path;
    QString version;
};

// GUI thread only: the encoder once it has answered. It stays where it was found for the run.
std::optional<Encoder>& knownEncoder()
{
    static std::optional<Encoder> encoder;
    return encoder;
}

// Requested as the app quits.
std::stop_token quitToken()
{
    static std::stop_source quitting;
    static const QMetaObject::Connection once =
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { quitting.request_stop(); });
    return quitting.get_token();
}

QString aboutText(const std::optional<Encoder>& tool)
{
    QString encoderText = AboutBox::tr("Asking ffmpeg for its version...");
    if (tool && tool->path.isEmpty())
        encoderText = AboutBox::tr("No ffmpeg was found beside mpgfix or on PATH.");
    else if (tool)
        encoderText = AboutBox::tr("Encoder: %1\n%2")
                          .arg(tool->path, tool->version.isEmpty() ? AboutBox::tr("Its version is unknown.") : tool->version);
    encoderText += u'\n' + ToolConfinement::description();
    return AboutBox::tr("mpgfix %1\n\nBrings video files into one MPEG-2 format with MP2 audio: what already "
                        "fits is copied, the rest re-encoded, each written as <name>.mpg.\n\n%2")
        .arg(QStringLiteral(MPGFIX_VERSION), encoderText);
}

} // namespace

void AboutBox::open(QWidget* parent)
{
    auto* box = new QMessageBox(QMessageBox::Information, tr("About mpgfix"), aboutText(knownEncoder()),
                                QMessageBox::Ok, parent);
    // Plain, or "<name>" would pass for markup and vanish.
    box->setTextFormat(Qt::PlainText);
    box->setIconPixmap(QApplication::windowIcon().pixmap(64));
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    if (knownEncoder())
        return;
    // A slow or odd ffmpeg must not hold the window, nor the quit, which waits for the pool; the
    // box shows its answer once it comes.
    QThreadPool::globalInstance()->start([shown = QPointer<QMessageBox>(box), quit = quitToken()] {
        const std::optional<QString> path = ToolLocator::forThisProcess().locate();
        const Encoder found = path ? Encoder{*path, askToolVersion(*path, std::chrono::seconds(5), quit)} : Encoder{};
        QMetaObject::invokeMethod(qApp, [shown, found] {
            knownEncoder() = found;
            if (shown)
                shown->setText(aboutText(found));
        }, Qt::QueuedConnection);
    });
}
