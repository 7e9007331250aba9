#include "BenchTraffic.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

std::string startAndReadLine(const std::vector<std::string>& args, pid_t& pid)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        close(out[0]);
        dup2(out[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string line;
    char c;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 20000) > 0 && read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(out[0]);
    return line;
}

Traffic readTraffic(const std::string& log)
{
    Traffic traffic;
    std::ifstream in(log);
    std::string text;
    double firstRx = -1, lastTx = 0;
    long firstBytes = 0, lastBytes = 0;
    while (std::getline(in, text)) {
        const size_t key = text.find("\"line\": \"");
        if (key == std::string::npos)
            continue;
        std::string line;
        for (size_t i = key + 9; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                // The log escapes bytes as \uXXXX and the usual \" \\ forms.
                if (text[i + 1] == 'u' && i + 5 < text.size()) {
                    line += char(std::strtol(text.substr(i + 2, 4).c_str(), nullptr, 16));
                    i += 5;
                } else {
                    line += text[++i];
                }
                continue;
            }
            line += text[i];
        }
        const long bytes = long(line.size()) + 2;
        const double t = std::atof(text.c_str() + text.find(':') + 1);
        traffic.bytes += bytes;
        if (text.find("\"dir\": \"rx\"") != std::string::npos) {
            traffic.received.push_back(line);
            if (firstRx < 0) {
                firstRx = t;
                firstBytes = bytes;
            }
        } else if (text.find("\"dir\": \"tx\"") != std::string::npos) {
            lastTx = t;
            lastBytes = bytes;
        }
    }
    // The first line crossed the line before its arrival was logged; the last answer is logged
    // when the camera forms it and crosses the line afterwards: neither lies within the span.
    traffic.span = firstRx < 0 ? 0 : lastTx - firstRx;
    traffic.spanBytes = traffic.bytes - firstBytes - lastBytes;
    return traffic;
}

PtyClient::PtyClient(const std::string& device, uint32_t baud, bool byteWise) : m_byteWise(byteWise)
{
    m_fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    if (m_fd >= 0 && tcgetattr(m_fd, &t) == 0) {
        cfmakeraw(&t);
        cfsetspeed(&t, baud == 9600 ? B9600 : B115200);
        tcsetattr(m_fd, TCSANOW, &t);
    }
}

PtyClient::~PtyClient()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool PtyClient::exchange(const std::string& line)
{
    const std::string out = line + "\r\n";
    if (m_fd < 0)
        return false;
    if (!m_byteWise && write(m_fd, out.data(), out.size()) != ssize_t(out.size()))
        return false;
    for (size_t i = 0; m_byteWise && i < out.size(); ++i) {
        if (write(m_fd, &out[i], 1) != 1)
            return false;
        tcdrain(m_fd);
    }
    char buffer[256];
    pollfd p{m_fd, POLLIN, 0};
    while (poll(&p, 1, 3000) > 0) {
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        if (std::memchr(buffer, '\n', size_t(n)))
            return true;
    }
    return false;
}
