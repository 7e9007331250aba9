#include "TerminationSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
std::function<void()> g_cancel;

void onSignal(int)
{
    const char byte = 1;
    ssize_t ignored = write(g_pipe[1], &byte, 1);
    (void)ignored;
}

// Stops what would keep the program from ending: a walk over the camera ends after its
// exchange in flight, every open modal box is answered as by its close button, and the main
// event loop is asked to quit.
void EndEverythingInProgress(QCoreApplication& app)
{
    if (g_cancel)
        g_cancel();
    for (int guard = 0; guard < 8; ++guard) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            break;
        dialog->done(QDialog::Rejected);
    }
    app.quit();
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
        EndEverythingInProgress(app);
        // Before the main event loop runs (during start-up) a quit is not even heard, and a box
        // may be shown after this one: repeat until the program has ended.
        static QTimer* repeat = nullptr;
        if (!repeat) {
            repeat = new QTimer(&app);
            QObject::connect(repeat, &QTimer::timeout, &app, [&app] { EndEverythingInProgress(app); });
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

void CancelOnTerminationSignals(std::function<void()> cancel)
{
    g_cancel = std::move(cancel);
}
