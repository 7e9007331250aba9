#pragma once
// The tests' own serial client for the simulated camera: opens the pty's slave like any
// serial device and exchanges raw lines. Deliberately independent of the tool's exchange code,
// so that the two cannot share a mistake. Also a harness that runs a SimSession behind a
// SimServer on a thread of the test process.
#include "SimServer.h"
#include "SimSession.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

class SimTestClient {
public:
    explicit SimTestClient(const std::string& path)
    {
        m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios t{};
        if (m_fd >= 0 && tcgetattr(m_fd, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(m_fd, TCSANOW, &t);
        }
    }
    ~SimTestClient()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    bool IsOpen() const { return m_fd >= 0; }

    bool Write(const std::string& bytes)
    {
        return m_fd >= 0 && write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Reads byte by byte until done(bytes so far) or the time ran out; returns what came.
    template <class Done>
    std::string ReadUntil(Done done, int timeoutMs)
    {
        std::string got;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done(got)) {
            char c;
            ssize_t n = read(m_fd, &c, 1);
            if (n == 1) {
                got += c;
            } else if (n == 0 || (n < 0 && errno == EIO)) {
                m_hungUp = true;
                break;
            } else if (!waitReadable(deadline)) {
                break;
            }
        }
        return got;
    }
    std::string ReadLines(int lines, int timeoutMs = 3000)
    {
        return ReadUntil([&](const std::string& s) { return std::count(s.begin(), s.end(), '\n') >= lines; }, timeoutMs);
    }
    std::string ReadBytes(size_t count, int timeoutMs = 3000)
    {
        return ReadUntil([&](const std::string& s) { return s.size() >= count; }, timeoutMs);
    }

    // One line out, the reply line back without its CR LF; "<no reply>" after 3 s.
    std::string Ask(const std::string& line)
    {
        Write(line + "\r\n");
        std::string reply = ReadLines(1);
        if (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0)
            return "<no reply>";
        return reply.substr(0, reply.size() - 2);
    }

    bool HungUp() const { return m_hungUp; }
    int Fd() const { return m_fd; }

private:
    bool waitReadable(std::chrono::steady_clock::time_point deadline)
    {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{m_fd, POLLIN, 0};
        int r = poll(&p, 1, static_cast<int>(left.count()));
        if (r > 0 && (p.revents & POLLHUP) && !(p.revents & POLLIN)) {
            m_hungUp = true;
            return false;
        }
        return r > 0;
    }

    int m_fd = -1;
    bool m_hungUp = false;
};

// A simulated camera served on a pty by a thread of the test.
class SimHarness {
public:
    explicit SimHarness(const SimOptions& options = SimOptions()) : m_session(options), m_server(m_session)
    {
        m_stop = eventfd(0, EFD_CLOEXEC);
        std::string error;
        m_open = m_session.Ok() && m_server.OpenPty(error);
        m_path = m_server.DevicePath();
        if (m_open)
            m_thread = std::thread([this] { m_served = m_server.Run(m_stop); });
    }
    ~SimHarness() { Stop(); close(m_stop); }

    // Stops serving and waits for the thread; true when the server ended without a failure.
    bool Stop()
    {
        if (m_thread.joinable()) {
            uint64_t one = 1;
            ssize_t ignored = write(m_stop, &one, sizeof one);
            (void)ignored;
            m_thread.join();
        }
        return m_served;
    }
    bool IsOpen() const { return m_open; }
    const std::string& Path() const { return m_path; }

private:
    SimSession m_session;
    SimServer m_server;
    int m_stop = -1;
    bool m_open = false;
    bool m_served = true;
    std::string m_path;
    std::thread m_thread;
};
