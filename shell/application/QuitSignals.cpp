#include "QuitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// All the handler touches: the pipe's write end, or -1 while no QuitSignals exists.
volatile sig_atomic_t noteFd = -1;

void noteSignal(int signal)
{
    const int savedErrno = errno;
    const char note = char(signal);
    // Never blocks; a full pipe already holds notes enough to wake the GUI thread.
    [[maybe_unused]] const ssize_t written = ::write(noteFd, &note, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent)
{
    int ends[2];
    // Without a pipe the signals keep their default effect, which at least ends the app.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd_ = UniqueFd(ends[0]);
    writeEnd_ = UniqueFd(ends[1]);
    noteFd = writeEnd_.get();
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &QuitSignals::readNotes);

    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < handled.size(); ++i)
        ::sigaction(handled[i], &action, &previous_[i]);
}

QuitSignals::~QuitSignals()
{
    if (!notifier_)
        return;
    for (size_t i = 0; i < handled.size(); ++i)
        ::sigaction(handled[i], &previous_[i], nullptr);
    noteFd = -1;
}

void QuitSignals::readNotes()
{
    char notes[16];
    ssize_t count = 0;
    while ((count = ::read(readEnd_.get(), notes, sizeof notes)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            emit received(notes[i]);
}
