#include "WindowMain.h"

#include "AppDelegate.h"
#include "MainWindow.h"
#include "QueueKeeper.h"
#include "QuitSignals.h"
#include "RoundNotifier.h"
#include "SingleInstance.h"
#include "SleepInhibitor.h"
#include "StatusArea.h"
#include "Translations.h"
#include "WhenDone.h"
#include "WhenDoneView.h"

#include <QApplication>
#include <QIcon>

#include <optional>

int runWindow(int& argc, char** argv, const QStringList& files)
{
    QApplication app(argc, argv);
    const Translations translations(QLocale::system());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mpgfix.svg")));
    // Docks and notifications find the app's launcher entry and icon by this name.
    QApplication::setDesktopFileName(QStringLiteral("io.github.mpgfix.mpgfix"));
    // From the start: a signal that comes before the window is up takes effect once it is.
    QuitSignals quitSignals;
    SingleInstance instance;
    const SingleInstance::Role role = instance.start(files);
    if (role == SingleInstance::Role::HandedOver)
        return 0;

    MainWindow window;
    AppDelegate appDelegate(window);
    QObject::connect(&quitSignals, &QuitSignals::received, &appDelegate, &AppDelegate::stopAndQuit);
    QObject::connect(&instance, &SingleInstance::filesReceived, &appDelegate, [&](const QStringList& more) {
        appDelegate.openFiles(more);
        window.raise();
        window.activateWindow();
    });
    RoundNotifier notifier;
    QObject::connect(&appDelegate, &AppDelegate::roundFinishedUnseen, &notifier, &RoundNotifier::roundFinished);
    const JobQueue& queue = appDelegate.queue();
    QObject::connect(&queue, &JobQueue::roundProgressed, &notifier,
                     [&](double fraction) { notifier.showProgress(fraction, queue.tally().waiting); });
    QObject::connect(&queue, &JobQueue::roundFinished, &notifier, &RoundNotifier::clearProgress);
    SleepInhibitor inhibitor;
    inhibitor.follow(appDelegate.queue());
    WhenDone whenDone;
    whenDone.follow(appDelegate.queue());
    const WhenDoneView whenDoneView(window, whenDone);
    QObject::connect(&whenDone, &WhenDone::quitRequested, &appDelegate, &AppDelegate::stopAndQuit);
    // Only the instance that holds the single-instance lock keeps the queue; one that runs alone,
    // unsure of another, leaves it to that one.
    const bool keeps = role == SingleInstance::Role::Running;
    const QString keptQueue = QueueKeeper::defaultPath();
    const QueueKeeper::Restored restored = keeps ? QueueKeeper::restore(keptQueue) : QueueKeeper::Restored{};
    std::optional<QueueKeeper> keeper;
    if (keeps) {
        keeper.emplace(appDelegate.queue(), keptQueue);
        QObject::connect(&*keeper, &QueueKeeper::saveFailed, &appDelegate.status(), &StatusArea::showNote);
    }
    window.show();
    appDelegate.applicationDidFinishLaunching();
    appDelegate.offerRestored(restored);
    appDelegate.openFiles(files);
    return app.exec();
}
