#pragma once
// A test's own end of a pseudo-terminal, standing in for the device at the far end of a
// serial cable. The program under test opens the slave device like any serial port: put
// SlavePath() into the port map (MemorySettings::ports["COM1"] = peer.SlavePath(), or a
// "Ports" entry of the settings file). The test then writes the bytes the device sends and
// reads the bytes the program sent on the master side. Qt-free.
//
// The peer keeps its own descriptor of the slave open, so the line keeps its settings and
// the master never sees a hang-up while the program closes and re-opens the port. Both
// sides start in raw mode (no echo, no line editing, no CR/LF translation).
#include <string>
#include <termios.h>

class PtyPeer {
public:
    // Opens the pair; check IsOpen() (false only when the system has no ptys left).
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    // The device path the program opens, e.g. "/dev/pts/7".
    const std::string& SlavePath() const { return m_slavePath; }
    // The master descriptor, for tests that poll it themselves; -1 after CloseMaster().
    int MasterFd() const { return m_master; }

    // Sends bytes to the program. False when they could not all be written within 5 s
    // (the program is not reading and the line's buffer is full) or the master is closed.
    bool Write(const std::string& bytes);
    // Waits until count bytes came from the program or timeoutMs passed; returns what came
    // (possibly fewer than count, possibly empty).
    std::string Read(size_t count, int timeoutMs);
    // Reads until the terminator byte (included in the result) or the time-out.
    std::string ReadUntil(char terminator, int timeoutMs);
    // Whatever the program has sent so far, without waiting.
    std::string ReadAvailable();

    // The line settings as the program left them (baud rate, data bits, parity, flow
    // control). False when the master is closed.
    bool SlaveAttributes(termios& attributes) const;

    // Closes the master: the program's side sees a hang-up, as when a USB adapter is pulled.
    void CloseMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};
