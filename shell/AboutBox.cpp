#include "AboutBox.h"

#include "ToolLocator.h"
#include "ToolVersion.h"

#include <QApplication>
#include <QMessageBox>

namespace {

struct Encoder {
    QString path;
    QString version;
};

// Asked on the first About only: the tool stays where it was found for the whole run.
const Encoder& encoder()
{
    static const Encoder found = [] {
        const std::optional<QString> path = ToolLocator::forThisProcess().locate();
        return path ? Encoder{*path, askToolVersion(*path)} : Encoder{};
    }();
    return found;
}

} // namespace

void AboutBox::open(QWidget* parent)
{
    const Encoder& tool = encoder();
    const QString encoderText =
        tool.path.isEmpty() ? tr("No ffmpeg was found beside mpgfix or on PATH.")
                            : tr("Encoder: %1\n%2").arg(tool.path, tool.version.isEmpty() ? tr("Its version is unknown.") : tool.version);
    auto* box = new QMessageBox(QMessageBox::Information, tr("About mpgfix"),
                                tr("mpgfix %1\n\nBrings video files into one MPEG-2 format with MP2 audio: what already "
                                   "fits is copied, the rest re-encoded, each written as <name>.mpg.\n\n%2")
                                    .arg(QStringLiteral(MPGFIX_VERSION), encoderText),
                                QMessageBox::Ok, parent);
    // Plain, or "<name>" would pass for markup and vanish.
    box->setTextFormat(Qt::PlainText);
    box->setIconPixmap(QApplication::windowIcon().pixmap(64));
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
