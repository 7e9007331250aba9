#include "TerminationSignals.h"

#include <QApplication>
#include <QWidget>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    ssize_t ignored = write(g_pipe[1], &byte, 1);
    (void)ignored;
}

// Quitting does not reach a message box that holds the start-up in its own loop before the
// main loop runs; it is closed as its Escape would close it, and the start-up goes on to its end.
void endRun()
{
    QCoreApplication::quit();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
}

} // namespace

void QuitOnTerminationSignals(QCoreApplication& app)
{
    if (g_pipe[0] >= 0 || pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char buffer[16];
        while (read(g_pipe[0], buffer, sizeof buffer) > 0) {
        }
        endRun();
        // A request that arrives during start-up (a message box before the main event loop
        // runs) would be forgotten when that loop starts: repeat it until the loop ends.
        static QTimer* repeat = nullptr;
        if (!repeat) {
            repeat = new QTimer(&app);
            QObject::connect(repeat, &QTimer::timeout, &app, &endRun);
            repeat->start(50);
        }
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
