#include "FailureSheet.h"

#include "MiddleElision.h"
#include "PlaceOverWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace {

// About sixty characters a line, as message boxes read best, but never more than 0.4 of the
// screen: the message box keeps itself within the screen only up to a width it derives from it.
int textWidth(const QLabel& label, const QScreen& screen)
{
    constexpr int charactersPerLine = 60;
    return std::min(label.fontMetrics().averageCharWidth() * charactersPerLine,
                    screen.availableGeometry().width() * 2 / 5);
}

} // namespace

QMessageBox* openFailureSheet(QWidget* window, const JobOutcome& outcome, const QString& path)
{
    // A file left alone on purpose is no error.
    const bool skipped = outcome.state == JobState::Skipped;
    const QString name = lastPathComponent(path);
    const QString headline = skipped ? QCoreApplication::translate("FailureSheet", "Skipped %1")
                                     : QCoreApplication::translate("FailureSheet", "Could not fix %1");
    auto* sheet = new QMessageBox(skipped ? QMessageBox::Warning : QMessageBox::Critical,
                                  QCoreApplication::translate("FailureSheet", "mpgfix"),
                                  withBreakOpportunities(headline.arg(name)), QMessageBox::Ok, window);
    sheet->setTextFormat(Qt::PlainText);
    // Long paths and names wrap rather than widen the sheet.
    sheet->setInformativeText(withBreakOpportunities(outcome.reason + QStringLiteral("\n\n") + QDir::toNativeSeparators(path)));
    if (auto* details = sheet->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        details->setTextFormat(Qt::PlainText);
        details->setMinimumWidth(textWidth(*details, window ? *window->screen() : *sheet->screen()));
    }
    // Message boxes are modal unless told otherwise.
    sheet->setWindowModality(Qt::NonModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    // The window's own Quit key, which a sheet in front of it would otherwise take.
    if (window)
        QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), sheet), &QShortcut::activated, window,
                         &QWidget::close);
    sheet->show();
    placeOverWindow(*sheet, window);
    return sheet;
}
