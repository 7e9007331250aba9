#pragma once
// ser2net (the Debian package) as a child process serving one serial device on loopback: raw
// TCP on one port, Telnet with RFC 2217 port control on another, both on 127.0.0.1 ports
// free when it starts, configured for low latency (TCP_NODELAY, no character delay). Its
// configuration is written to a private folder. Qt-free.
#include <string>
#include <sys/types.h>

class Ser2netProcess {
public:
    // The installed program; empty when ser2net is not installed.
    static std::string Program();

    Ser2netProcess() = default;
    ~Ser2netProcess();
    Ser2netProcess(const Ser2netProcess&) = delete;
    Ser2netProcess& operator=(const Ser2netProcess&) = delete;

    // Starts it in the foreground in front of the device and waits up to 5 s until both ports
    // take connections; started again, on the ports of the first start. False with Error()
    // on failure.
    bool Start(const std::string& device);
    // SIGTERM and wait; also done by the destructor.
    void Stop();

    std::string RawAddress() const { return "tcp://127.0.0.1:" + std::to_string(m_rawPort); }
    std::string TelnetAddress() const { return "rfc2217://127.0.0.1:" + std::to_string(m_telnetPort); }
    const std::string& Error() const { return m_error; }

private:
    pid_t m_pid = -1;
    int m_rawPort = 0;
    int m_telnetPort = 0;
    std::string m_folder;
    std::string m_error;
};
