#pragma once
// A polite terminate (SIGTERM, SIGINT, SIGHUP) ends the program the way closing the window
// does, so the normal process-end writes run, whatever the program is doing: a walk over the
// camera is stopped and open message boxes are closed. The signal handler only writes to a
// pipe; a socket notifier on the user-interface thread does the rest.
#include <functional>

class QCoreApplication;

void QuitOnTerminationSignals(QCoreApplication& app);
// What stops the work in progress (the camera's walks) when such a signal comes; empty: none.
void CancelOnTerminationSignals(std::function<void()> cancel);
