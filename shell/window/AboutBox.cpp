#include "AboutBox.h"

#include "ToolConfinement.h"
#include "ToolLocator.h"
#include "ToolVersion.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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
        encoderText = AboutBox::tr("%1 (%2)").arg(
            tool->version.isEmpty() ? AboutBox::tr("ffmpeg of unknown version") : shortToolVersion(tool->version),
            tool->path);
    // Plain text made safe for the link beside it, or "<name>" would pass for markup and vanish.
    const QStringList lines{
        AboutBox::tr("<b>mpgfix %1</b>").arg(QStringLiteral(MPGFIX_VERSION)),
        AboutBox::tr("Brings video files into one MPEG-2 format with MP2 audio: what already fits is copied, "
                     "the rest re-encoded, each written as <name>.mpg.").toHtmlEscaped(),
        encoderText.toHtmlEscaped(),
        ToolConfinement::description().toHtmlEscaped(),
        AboutBox::tr("Free software under the MIT licence.").toHtmlEscaped(),
        QStringLiteral("<a href=\"%1\">%1</a>").arg(QStringLiteral(MPGFIX_HOMEPAGE)),
    };
    return QStringLiteral("<p>%1</p>").arg(lines.join(QStringLiteral("</p><p>")));
}

} // namespace

void AboutBox::open(QWidget* parent)
{
    auto* box = new QMessageBox(QMessageBox::Information, tr("About mpgfix"), aboutText(knownEncoder()),
                                QMessageBox::Ok, parent);
    box->setTextFormat(Qt::RichText);
    box->setTextInteractionFlags(Qt::TextBrowserInteraction);
    box->setIconPixmap(QApplication::windowIcon().pixmap(64));
    // Qt's own box opens over this one, which stays: the button is not one that answers the box.
    QPushButton* aboutQt = box->addButton(tr("About &Qt"), QMessageBox::ActionRole);
    aboutQt->disconnect();
    QObject::connect(aboutQt, &QPushButton::clicked, box, [box] { QMessageBox::aboutQt(box); });
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
