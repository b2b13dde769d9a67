#include "BatchMain.h"

#include "BatchRun.h"
#include "Options.h"
#include "QuitSignals.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int runBatch(int& argc, char** argv, const BatchOptions& options)
{
    const QCoreApplication console(argc, argv);
    const Translations translations(QLocale::system());
    // A reader that goes away (| head) must not kill the run before it has cleaned up; the
    // lines are then simply not seen.
    std::signal(SIGPIPE, SIG_IGN);
    QuitSignals quitSignals;
    BatchRun run(options, options.over(Options::defaultSettings()), options.valueOf(Options::filesAtOnce).toInt(),
                 stdout, stderr, ::isatty(STDOUT_FILENO) == 1);
    QObject::connect(&quitSignals, &QuitSignals::received, &run, &BatchRun::interrupt);
    QObject::connect(&run, &BatchRun::done, &run, [](int status) { QCoreApplication::exit(status); });
    QTimer::singleShot(0, &run, &BatchRun::start);
    return QCoreApplication::exec();
}
