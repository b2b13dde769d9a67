#include "AppDelegate.h"
#include "BatchNotifier.h"
#include "MainWindow.h"
#include "QuitSignals.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

// Without a display Qt aborts with a long platform-plugin message; say what is wrong instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

// Files named on the command line, the desktop's way of opening them with mpgfix, made
// absolute so that they mean the same to an mpgfix already running elsewhere.
QStringList commandLineFiles(const QStringList& arguments)
{
    QStringList files;
    for (const QString& argument : arguments.mid(1))
        files << QFileInfo(argument).absoluteFilePath();
    return files;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!hasDisplay()) {
        std::fputs("mpgfix: no graphical display found (DISPLAY is not set); run it from a desktop "
                   "session\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);
    // Docks and notifications find the app's launcher entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("mpgfix"));
    // From the start: a signal that comes before the window is up takes effect once it is.
    QuitSignals quitSignals;
    const QStringList files = commandLineFiles(app.arguments());
    SingleInstance instance;
    if (instance.start(files) == SingleInstance::Role::HandedOver)
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
    QObject::connect(&window.jobs(), &JobListModel::batchProgressed, &notifier, &BatchNotifier::showProgress);
    QObject::connect(&window.jobs(), &JobListModel::batchFinished, &notifier, &BatchNotifier::clearProgress);
    window.show();
    appDelegate.applicationDidFinishLaunching();
    appDelegate.openFiles(files);
    return app.exec();
}
