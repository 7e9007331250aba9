#include "Ser2netProcess.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port nobody listens on now (the system's pick for a throw-away socket).
int freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        close(fd);
    return port;
}

bool accepts(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(port);
    const bool ok = fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        close(fd);
    return ok;
}

} // namespace

std::string Ser2netProcess::Program()
{
    for (const char* path : {"/usr/sbin/ser2net", "/usr/bin/ser2net"})
        if (access(path, X_OK) == 0)
            return path;
    return {};
}

Ser2netProcess::~Ser2netProcess()
{
    Stop();
    if (!m_folder.empty()) {
        std::remove((m_folder + "/ser2net.yaml").c_str());
        rmdir(m_folder.c_str());
    }
}

bool Ser2netProcess::Start(const std::string& device)
{
    const std::string program = Program();
    if (program.empty()) {
        m_error = "ser2net is not installed";
        return false;
    }
    Stop();
    char folder[] = "/tmp/lumora-ser2net-XXXXXX";
    if (m_folder.empty() && !mkdtemp(folder)) {
        m_error = std::string("mkdtemp: ") + std::strerror(errno);
        return false;
    }
    if (m_folder.empty())
        m_folder = folder;
    // Started again, it serves the same addresses, as a server restarted on its machine does.
    if (m_rawPort == 0) {
        m_rawPort = freePort();
        m_telnetPort = freePort();
        while (m_telnetPort == m_rawPort)
            m_telnetPort = freePort();
    }
    const std::string config = m_folder + "/ser2net.yaml";
    {
        std::ofstream out(config);
        const std::string connector = "  connector: serialdev," + device + ",9600n81,local\n";
        // Low latency: without nodelay and with the default chardelay every answer waits for
        // Nagle's algorithm and for ser2net's timer of about two character times.
        const std::string options = "  options:\n    kickolduser: true\n    chardelay: false\n";
        out << "%YAML 1.1\n---\n"
            << "connection: &raw\n  accepter: tcp(nodelay),127.0.0.1," << m_rawPort << "\n" << connector
            << options
            << "connection: &telnet\n  accepter: telnet(rfc2217),tcp(nodelay),127.0.0.1," << m_telnetPort << "\n"
            << connector << options;
    }
    m_pid = fork();
    if (m_pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        // -n: stay in the foreground; -u: no UUCP lock files.
        execl(program.c_str(), program.c_str(), "-n", "-u", "-c", config.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (m_pid < 0) {
        m_error = std::string("fork: ") + std::strerror(errno);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(accepts(m_rawPort) && accepts(m_telnetPort))) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            m_error = "ser2net ended at start (status " + std::to_string(status) + ")";
            return false;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            m_error = "ser2net did not listen within 5 s";
            Stop();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void Ser2netProcess::Stop()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
}
