#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may do next to nothing, so it only wakes the event loop
// through this pair of sockets: [0] is written by the handler, [1] read by Qt.
int signalSockets[2] = { -1, -1 };

extern "C" void wakeEventLoop(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
    errno = savedErrno;
}

bool openSignalSockets()
{
    if (signalSockets[0] != -1)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0)
        return false;
    for (const int socket : signalSockets) {
        ::fcntl(socket, F_SETFD, FD_CLOEXEC);
        ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void drainSignalSocket()
{
    char buffer[64];
    while (::read(signalSockets[1], buffer, sizeof buffer) > 0) { }
}

void setTerminationHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

} // namespace

void closeOnTerminationSignals(QWidget &window)
{
    if (!openSignalSockets())
        return;
    auto *notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        drainSignalSocket();
        // A message box or the About window open at that moment would keep
        // the program running until somebody answers it. Rejected, not
        // closed: a Yes/No box refuses to be closed.
        for (QWidget *topLevel : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QDialog *>(topLevel);
                dialog && dialog->isModal() && dialog->isVisible())
                dialog->reject();
        window.close();
    });
    // Once the window is gone nobody would answer the signals any more. The
    // notifier is its own context: it still lives while it says it goes.
    QObject::connect(
        notifier, &QObject::destroyed, notifier, [] { setTerminationHandler(SIG_DFL); });
    setTerminationHandler(wakeEventLoop);
}
