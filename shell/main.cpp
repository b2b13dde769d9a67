#include "AppDelegate.h"
#include "MainWindow.h"

#include <QApplication>

#include <cstdio>

namespace {

// Without a display Qt aborts with a long platform-plugin message; say what is wrong instead.
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
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
    MainWindow window;
    AppDelegate appDelegate(window);
    window.show();
    appDelegate.applicationDidFinishLaunching();
    return app.exec();
}
