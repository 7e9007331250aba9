#pragma once
// The sim tests' own serial client: opens the simulator's device like any serial port and
// exchanges raw lines. Deliberately independent of the tool's exchange code, so that the two
// cannot share a mistake. Also a script player for the camera's answers.
#include "SimCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

class SimTestClient {
public:
    explicit SimTestClient(const std::string& path) : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
    {
        termios t{};
        if (m_fd >= 0 && tcgetattr(m_fd, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(m_fd, TCSANOW, &t);
        }
    }
    ~SimTestClient() { if (m_fd >= 0) close(m_fd); }
    bool HungUp() const { return m_hungUp; }

    bool Write(const std::string& bytes)
    {
        return m_fd >= 0 && write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads until `lines` LFs or `bytes` bytes came, the line hung up or the time ran out.
    std::string Read(long lines, size_t bytes, int timeoutMs = 3000)
    {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::count(got.begin(), got.end(), '\n') < lines && got.size() < bytes) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
                break;
            char c;
            const ssize_t n = read(m_fd, &c, 1);
            if (n == 1)
                got += c;
            else if (n == 0 || errno == EIO || (p.revents & POLLHUP)) {
                m_hungUp = true;
                break;
            }
        }
        return got;
    }
    std::string ReadLines(long lines, int timeoutMs = 3000) { return Read(lines, SIZE_MAX, timeoutMs); }
    std::string ReadBytes(size_t bytes, int timeoutMs = 3000) { return Read(LONG_MAX, bytes, timeoutMs); }

    // One line out, the reply line back without its CR LF; "<no reply>" after 3 s.
    std::string Ask(const std::string& line)
    {
        Write(line + "\r\n");
        const std::string reply = ReadLines(1);
        return reply.ends_with("\r\n") ? reply.substr(0, reply.size() - 2) : "<no reply>";
    }

private:
    int m_fd;
    bool m_hungUp = false;
};

// Plays lines in order against the camera, each with the reply it must get.
using SimScript = std::vector<std::pair<std::string, std::string>>;
inline void ExpectReplies(SimCamera& camera, const SimScript& script)
{
    for (const auto& [line, reply] : script)
        EXPECT_EQ(camera.HandleLine(line), reply) << "after " << line;
}
