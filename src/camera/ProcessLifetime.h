#pragma once
// The rules around a run's beginning and end that several windows share, for the window's
// camera link.

class CommLink;

// After a run that did not end normally, go back to the native COM port (mode 0) before
// anything is opened; the stored port and baud rate stay. The only place this rule lives:
// start-up and the communication dialog call it.
void ApplyShutdownFallback(CommLink& link);

// The process-end writes of a normal run: the six communication settings, the Control Mode
// (when it was used) and shutdown status 1. Called once, at the end of main(), while the
// settings store still exists.
void WriteProcessEndSettings(CommLink& link);
