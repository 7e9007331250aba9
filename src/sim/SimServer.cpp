#include "SimServer.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

void makeRaw(int fd, uint32_t baud)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    static const std::pair<uint32_t, speed_t> kSpeeds[] = {
        {1200, B1200},     {2400, B2400},     {4800, B4800},     {9600, B9600},   {19200, B19200},
        {38400, B38400},   {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800},
        {921600, B921600},
    };
    for (const auto& [rate, speed] : kSpeeds)
        if (rate == baud) {
            cfsetispeed(&t, speed);
            cfsetospeed(&t, speed);
        }
    tcsetattr(fd, TCSANOW, &t);
}

} // namespace

SimServer::SimServer(SimSession& session)
    : m_session(session), m_pacer(session.Options().baud, uint64_t(session.Options().latencyMs) * 1000000u)
{
}

SimServer::~SimServer() { Close(); }

bool SimServer::OpenPty(std::string& error)
{
    Close();
    char name[PATH_MAX] = {};
    if (openpty(&m_fd, &m_slave, name, nullptr, nullptr) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        m_fd = m_slave = -1;
        return false;
    }
    m_path = name;
    makeRaw(m_slave, m_session.Options().baud);
    makeRaw(m_fd, 0);
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    fcntl(m_fd, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    return true;
}

bool SimServer::OpenDevice(const std::string& path, uint32_t baud, std::string& error)
{
    Close();
    m_fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    if (!isatty(m_fd)) {
        error = path + ": not a serial device";
        Close();
        return false;
    }
    makeRaw(m_fd, baud);
    m_path = path;
    // A real line paces itself at the rate just set; only the camera's latency is added.
    m_pacer = WirePacer(0, uint64_t(m_session.Options().latencyMs) * 1000000u);
    return true;
}

void SimServer::Close()
{
    if (m_fd >= 0)
        close(m_fd);
    if (m_slave >= 0)
        close(m_slave);
    m_fd = m_slave = -1;
    m_pacer.Clear();
}

void SimServer::drainBeforeHangup()
{
    // Closing the master drops what the far side has not read yet; a real line delivers the
    // bytes that were on it before it went dead. Give the reader a second to take them (the
    // tty offers no event for an empty queue, so look every few milliseconds).
    if (m_slave < 0)
        return;
    // Written bytes reach the slave's queue a moment later, so look only after a pause.
    for (int i = 0; i < 200; ++i) {
        timespec pause{0, 5000000};
        nanosleep(&pause, nullptr);
        int queued = 0;
        if (ioctl(m_slave, FIONREAD, &queued) != 0 || queued == 0)
            return;
    }
}

bool SimServer::flush(std::string& out)
{
    while (!out.empty()) {
        ssize_t n = write(m_fd, out.data(), out.size());
        if (n > 0) {
            out.erase(0, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && errno == EAGAIN; // the rest waits for POLLOUT
    }
    return true;
}

bool SimServer::Run(int stopFd)
{
    std::string out; // due bytes that the device did not take yet
    char buffer[4096];
    while (m_fd >= 0) {
        uint64_t now = MonotonicNs();
        std::optional<uint64_t> next = m_pacer.Take(now, out);
        if (!flush(out))
            return false;
        if (m_session.HungUp() && out.empty() && m_pacer.Empty()) {
            drainBeforeHangup();
            Close();
            return true;
        }
        // Nanosecond waits: at 115200 bit/s a byte takes 87 us.
        timespec wait{};
        timespec* timeout = nullptr;
        if (next && out.empty()) {
            uint64_t ns = *next > now ? *next - now : 0;
            wait.tv_sec = static_cast<time_t>(ns / 1000000000u);
            wait.tv_nsec = static_cast<long>(ns % 1000000000u);
            timeout = &wait;
        }
        pollfd fds[2] = {{m_fd, static_cast<short>(out.empty() ? POLLIN : POLLIN | POLLOUT), 0},
                         {stopFd, POLLIN, 0}};
        int ready = ppoll(fds, stopFd >= 0 ? 2 : 1, timeout, nullptr);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (stopFd >= 0 && (fds[1].revents & POLLIN))
            return true;
        if (fds[0].revents & (POLLERR | POLLNVAL))
            return false;
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n > 0) {
                uint64_t arrival = MonotonicNs();
                if (!m_session.HungUp())
                    for (SimSession::Answer& a : m_session.OnBytesTimed(std::string_view(buffer, size_t(n))))
                        m_pacer.Push(arrival, a.requestBytes, std::move(a.bytes), a.extraNs);
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                return false; // the device went away
            }
        }
    }
    return true;
}
