#pragma once
// The serial front end of the simulated camera: a new pseudo-terminal in raw mode, or an
// existing serial device, served by one SimSession with the answers paced as on a line of the
// session's baud rate (plus its latency). Run() waits in poll(), so an idle simulator uses no
// CPU. The server keeps its own descriptor of the pty's slave open, so the far side may close
// and re-open the device as often as it likes without the master seeing a hang-up.
#include "SimSession.h"
#include "SimWire.h"

#include <string>

class SimServer {
public:
    explicit SimServer(SimSession& session);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Creates the pseudo-terminal; DevicePath() is then its slave, e.g. "/dev/pts/4".
    bool OpenPty(std::string& error);
    // Opens a serial device in raw mode, 8N1, at the given rate (0 keeps the device's rate).
    // The device's own line does the pacing; the server adds only the latency.
    bool OpenDevice(const std::string& path, uint32_t baud, std::string& error);
    const std::string& DevicePath() const { return m_path; }

    // Serves until stopFd becomes readable (a signalfd, an eventfd, a pipe) or the session
    // hangs up, in which case the device is closed. Returns false when the device failed.
    bool Run(int stopFd);

    // Closes the device (the far side of a pty sees a hang-up).
    void Close();

private:
    bool flush(std::string& out);
    void drainBeforeHangup();

    SimSession& m_session;
    WirePacer m_pacer;
    int m_fd = -1;
    int m_slave = -1;
    std::string m_path;
};
