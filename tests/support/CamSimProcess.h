#pragma once
// The simulated camera program (bin/lumora-camsim) run as a child process on a fresh
// pseudo-terminal, for end-to-end tests and benchmarks. Its traffic log is the witness of what
// the tool sent: LoggedLines() reads it back. Qt-free.
#include <string>
#include <vector>
#include <sys/types.h>

class CamSimProcess {
public:
    // The folder of the built programs: $LUMORA_BIN_DIR, else the folder of this executable.
    static std::string BinDir();

    CamSimProcess() = default;
    ~CamSimProcess();
    CamSimProcess(const CamSimProcess&) = delete;
    CamSimProcess& operator=(const CamSimProcess&) = delete;

    // Starts the program with the arguments (a --log FILE in a private folder is added) and
    // waits up to 5 s for the device path it prints first. False with Error() on failure;
    // Wait() then tells how the program ended.
    bool Start(const std::vector<std::string>& args);
    // SIGTERM and wait; also done by the destructor.
    void Stop();
    // Sends a signal to the running program; false when it is not running.
    bool Signal(int signal) const;
    // Waits up to timeoutMs for the program to end by itself. Its exit status (128 + the
    // signal's number when a signal ended it), or -1 while it still runs.
    int Wait(int timeoutMs);

    const std::string& DevicePath() const { return m_device; }
    // The rate the served device's line is set to, as whoever holds it last set it (the
    // tool, or a server in front of it); 0 when it cannot be read or is none of 9600 to
    // 115200 bit/s.
    unsigned DeviceBaud() const;
    const std::string& LogPath() const { return m_log; }
    const std::string& Error() const { return m_error; }

    struct Entry {
        double t;
        std::string dir; // "rx": the line the camera received; "tx": its answer
        std::string line;
    };
    std::vector<Entry> LoggedLines() const;
    // The entries of any traffic log in this format (also the Camera Link libraries' log).
    static std::vector<Entry> ReadLog(const std::string& path);
    // The received lines only, in order; with "state", the camera's record of what changed in
    // it (its lens motors).
    std::vector<std::string> Received(const char* dir = "rx") const;
    // Forget what was logged so far (the log is truncated).
    void ClearLog() const;

private:
    void reaped(int status);

    pid_t m_pid = -1;
    int m_exitStatus = -1;
    std::string m_device;
    std::string m_folder;
    std::string m_log;
    std::string m_error;
};
