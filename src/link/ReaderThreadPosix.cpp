// The reader thread on POSIX: poll() on the port's descriptor and on an eventfd that stop
// signals.
#include "ReaderThread.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

struct ReaderThread::Platform {
    int wakeFd = -1; // eventfd that stop signals to release the reader's poll()
};

ReaderThread::ReaderThread() : m_platform(std::make_unique<Platform>()) {}

ReaderThread::~ReaderThread()
{
    stop();
}

bool ReaderThread::prepare()
{
    if (m_platform->wakeFd < 0)
        m_platform->wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return m_platform->wakeFd >= 0;
}

void ReaderThread::start(int fd, int bufferSize, bool readOnHangUp, Received received, std::function<void()> lost)
{
    m_running.store(true, std::memory_order_release);
    m_thread = std::thread([this, fd, bufferSize, readOnHangUp, received = std::move(received),
                            lost = std::move(lost)] { loop(fd, bufferSize, readOnHangUp, received, lost); });
}

void ReaderThread::stop()
{
    m_running.store(false, std::memory_order_release);
    if (m_platform->wakeFd >= 0) {
        uint64_t one = 1;
        ssize_t ignored = write(m_platform->wakeFd, &one, sizeof one);
        (void)ignored;
    }
    if (m_thread.joinable())
        m_thread.join();
    if (m_platform->wakeFd >= 0) {
        close(m_platform->wakeFd);
        m_platform->wakeFd = -1;
    }
}

void ReaderThread::loop(int fd, int bufferSize, bool readOnHangUp, const Received& received,
                        const std::function<void()>& lost)
{
    std::vector<char> buffer(static_cast<size_t>(bufferSize));
    const short readOn = readOnHangUp ? (POLLIN | POLLHUP | POLLERR) : POLLIN;
    pollfd fds[2] = {{fd, POLLIN, 0}, {m_platform->wakeFd, POLLIN, 0}};
    while (m_running.load(std::memory_order_acquire)) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            lost();
            return;
        }
        if (fds[1].revents)
            continue; // stop: the loop condition ends us
        if (fds[0].revents & readOn) {
            const ssize_t n = read(fd, buffer.data(), buffer.size());
            if (n > 0) {
                received(buffer.data(), static_cast<int>(n));
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            lost(); // 0 bytes or an error (EIO, a reset): the device went away or the server closed
            return;
        }
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            lost();
            return;
        }
    }
}
