#include "PtyPeer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

void makeRaw(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        t.c_cc[VMIN] = 0;
        t.c_cc[VTIME] = 0;
        tcsetattr(fd, TCSANOW, &t);
    }
}

} // namespace

PtyPeer::PtyPeer()
{
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    m_slavePath = name;
    makeRaw(m_slave);
    makeRaw(m_master);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
}

PtyPeer::~PtyPeer()
{
    CloseMaster();
    if (m_slave >= 0)
        close(m_slave);
}

bool PtyPeer::Write(const std::string& bytes)
{
    auto deadline = Clock::now() + std::chrono::seconds(5);
    size_t done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        ssize_t n = write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd p{m_master, POLLOUT, 0};
        if (poll(&p, 1, remainingMs(deadline)) <= 0 && Clock::now() >= deadline)
            return false;
    }
    return m_master >= 0 && done == bytes.size();
}

std::string PtyPeer::Read(size_t count, int timeoutMs)
{
    std::string got;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[512];
    while (m_master >= 0 && got.size() < count) {
        size_t want = std::min(sizeof buffer, count - got.size());
        ssize_t n = read(m_master, buffer, want);
        if (n > 0) {
            got.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
        int left = remainingMs(deadline);
        if (left == 0)
            break;
        pollfd p{m_master, POLLIN, 0};
        poll(&p, 1, left);
    }
    return got;
}

std::string PtyPeer::ReadUntil(char terminator, int timeoutMs)
{
    std::string got;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_master >= 0) {
        std::string one = Read(1, remainingMs(deadline));
        if (one.empty())
            break;
        got += one;
        if (one[0] == terminator)
            break;
    }
    return got;
}

std::string PtyPeer::ReadAvailable()
{
    std::string got;
    char buffer[512];
    while (m_master >= 0) {
        ssize_t n = read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<size_t>(n));
    }
    return got;
}

bool PtyPeer::SlaveAttributes(termios& attributes) const
{
    // Asked on the master, a pty answers with the slave's settings.
    return m_master >= 0 && tcgetattr(m_master, &attributes) == 0;
}

void PtyPeer::CloseMaster()
{
    if (m_master >= 0) {
        close(m_master);
        m_master = -1;
    }
}
