#include "AppDelegate.h"
#include "BatchNotifier.h"
#include "BatchRun.h"
#include "CommandLine.h"
#include "MainWindow.h"
#include "QueueKeeper.h"
#include "QuitSignals.h"
#include "SingleInstance.h"
#include "SleepInhibitor.h"
#include "Translations.h"
#include "WhenDone.h"
#include "WhenDoneView.h"

#include <QApplication>
#include <QIcon>

#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

// Without a display Qt aborts with a long platform-plugin message; say what is wrong instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

// A batch run in the console-only application: it never needs a display, and never talks to a
// running window. The stored preferences are read, never written.
int runBatch(const BatchOptions& options)
{
    // A reader that goes away (| head) must not kill the run before it has cleaned up; the
    // lines are then simply not seen.
    std::signal(SIGPIPE, SIG_IGN);
    QuitSignals quitSignals;
    Preferences preferences;
    preferences.registerDefaults();
    BatchRun run(options, options.over(preferences.jobSettings()), options.jobs.value_or(preferences.filesAtOnce()),
                 stdout, stderr, ::isatty(STDOUT_FILENO) == 1);
    QObject::connect(&quitSignals, &QuitSignals::received, &run, &BatchRun::interrupt);
    QObject::connect(&run, &BatchRun::done, &run, [](int status) { QCoreApplication::exit(status); });
    QTimer::singleShot(0, &run, &BatchRun::start);
    return QCoreApplication::exec();
}

// Decided in a console-only application, so that --help, --version, a mistake and a missing
// display are answered in the user's language without any display: the files to open, or the
// status to exit with.
std::optional<QStringList> filesToOpen(int& argc, char** argv, int& exitCode)
{
    const QCoreApplication console(argc, argv);
    const Translations translations(QLocale::system());
    const CommandLine commandLine(QCoreApplication::arguments());
    std::fputs(commandLine.output().toLocal8Bit().constData(), stdout);
    std::fputs(commandLine.errors().toLocal8Bit().constData(), stderr);
    exitCode = commandLine.exitCode();
    if (commandLine.exits())
        return std::nullopt;
    if (commandLine.batch()) {
        exitCode = runBatch(*commandLine.batch());
        return std::nullopt;
    }
    if (!hasDisplay()) {
        std::fputs(qPrintable(QCoreApplication::translate(
                       "main", "mpgfix: no graphical display found (DISPLAY is not set); run it from a "
                               "desktop session\n")),
                   stderr);
        exitCode = 1;
        return std::nullopt;
    }
    return commandLine.files();
}

} // namespace

int main(int argc, char* argv[])
{
    int exitCode = 0;
    const std::optional<QStringList> files = filesToOpen(argc, argv, exitCode);
    if (!files)
        return exitCode;

    QApplication app(argc, argv);
    const Translations translations(QLocale::system());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/mpgfix.svg")));
    // Docks and notifications find the app's launcher entry and icon by this name.
    QApplication::setDesktopFileName(QStringLiteral("io.github.mpgfix.mpgfix"));
    // From the start: a signal that comes before the window is up takes effect once it is.
    QuitSignals quitSignals;
    SingleInstance instance;
    const SingleInstance::Role role = instance.start(*files);
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
    BatchNotifier notifier;
    QObject::connect(&appDelegate, &AppDelegate::batchFinishedUnseen, &notifier, &BatchNotifier::batchFinished);
    const JobListModel& jobs = appDelegate.queue().model();
    QObject::connect(&jobs, &JobListModel::batchProgressed, &notifier, &BatchNotifier::showProgress);
    QObject::connect(&jobs, &JobListModel::batchFinished, &notifier, &BatchNotifier::clearProgress);
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
    if (keeps)
        keeper.emplace(appDelegate.queue(), keptQueue);
    window.show();
    appDelegate.applicationDidFinishLaunching();
    appDelegate.offerRestored(restored);
    appDelegate.openFiles(*files);
    return app.exec();
}
