#include "WhenDoneView.h"

#include "MainWindow.h"
#include "ui_MainWindow.h"

#include <QActionGroup>
#include <QMessageBox>

WhenDoneView::WhenDoneView(MainWindow& window, WhenDone& whenDone, QObject* parent)
    : QObject(parent)
    , window_(&window)
    , whenDone_(whenDone)
{
    const Ui::MainWindow& ui = window.ui();
    auto* group = new QActionGroup(ui.whenDoneMenu);
    using Choice = WhenDone::Choice;
    for (const auto& [item, choice] : {std::pair(ui.doNothingItem, Choice::Nothing), {ui.quitWhenDoneItem, Choice::Quit},
                                       {ui.suspendItem, Choice::Suspend}, {ui.powerOffItem, Choice::PowerOff}}) {
        group->addAction(item);
        item->setChecked(choice == whenDone.choice());
        connect(item, &QAction::triggered, &whenDone, [&whenDone, choice = choice] { whenDone.setChoice(choice); });
    }
    // Suspend and Power Off only once logind has said they can be done; the tooltip says why not.
    ui.suspendItem->setEnabled(false);
    ui.powerOffItem->setEnabled(false);
    ui.whenDoneMenu->setToolTipsVisible(true);
    connect(&whenDone, &WhenDone::allowed, this, [this](WhenDone::Choice choice, const QString& whyNot) {
        if (!window_)
            return;
        QAction* item = choice == WhenDone::Choice::Suspend ? window_->ui().suspendItem : window_->ui().powerOffItem;
        item->setEnabled(whyNot.isEmpty());
        item->setToolTip(whyNot);
    });
    connect(&whenDone, &WhenDone::refused, this, &WhenDoneView::showRefusal);
    // Queued: the failure sheet of a round's last file opens right after the round ends, and
    // the countdown's Cancel has to show above it.
    connect(&whenDone, &WhenDone::countdownStarted, this, &WhenDoneView::showCountdown, Qt::QueuedConnection);
    connect(&whenDone, &WhenDone::countdownTicked, this, [this](int seconds) {
        if (box_)
            box_->setText(WhenDone::warning(whenDone_.choice(), seconds));
    });
    connect(&whenDone, &WhenDone::countdownEnded, this, [this] {
        if (box_ && box_->isVisible())
            box_->close();
    });
}

QMessageBox* WhenDoneView::countdownBox() const { return box_; }

void WhenDoneView::showRefusal(const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, tr("mpgfix"), message, QMessageBox::Ok, window_);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void WhenDoneView::showCountdown(WhenDone::Choice choice)
{
    if (!whenDone_.isCounting())
        return;
    if (box_)
        box_->close();
    auto* box = new QMessageBox(QMessageBox::Warning, tr("mpgfix"), WhenDone::warning(choice, whenDone_.secondsLeft()),
                                QMessageBox::Cancel, window_);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Cancel, Esc or closing the box all stop the countdown; a countdown that ended closes it
    // after cancel() has nothing left to stop.
    connect(box, &QMessageBox::finished, &whenDone_, &WhenDone::cancel);
    box_ = box;
    box->open();
}
