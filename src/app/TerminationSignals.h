#pragma once
// A polite terminate (SIGTERM, SIGINT, SIGHUP) ends the event loop the way closing the
// window does, so the normal process-end writes run. The signal handler only writes to a
// pipe; a socket notifier on the user-interface thread does the rest.
class QCoreApplication;

void QuitOnTerminationSignals(QCoreApplication& app);
