#include "Launch.h"

#include "CommandLine.h"
#include "Translations.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Without a display Qt aborts with a long platform-plugin message; say what is wrong instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

Launch Launch::fromArguments(int& argc, char** argv)
{
    const QCoreApplication console(argc, argv);
    const Translations translations(QLocale::system());
    const CommandLine commandLine(QCoreApplication::arguments());
    std::fputs(commandLine.output().toLocal8Bit().constData(), stdout);
    std::fputs(commandLine.errors().toLocal8Bit().constData(), stderr);
    Launch launch;
    launch.exitCode = commandLine.exitCode();
    if (commandLine.exits())
        return launch;
    if (commandLine.batch()) {
        launch.mode = Mode::Batch;
        launch.batch = *commandLine.batch();
        return launch;
    }
    if (!hasDisplay()) {
        std::fputs(qPrintable(QCoreApplication::translate(
                       "main", "mpgfix: no graphical display found (DISPLAY is not set); run it from a "
                               "desktop session\n")),
                   stderr);
        launch.exitCode = 1;
        return launch;
    }
    launch.mode = Mode::Window;
    launch.files = commandLine.files();
    return launch;
}
