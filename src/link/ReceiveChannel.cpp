#include "ReceiveChannel.h"

#include "Deadline.h"

#include <cstring>

void ReceiveChannel::restart()
{
    m_ring.reset();
    m_lost.store(false, std::memory_order_release);
}

void ReceiveChannel::store(const char* bytes, int count)
{
    if (count < 1)
        return;
    m_ring.store(bytes, count);
    announce(std::memchr(bytes, '\n', static_cast<size_t>(count)) != nullptr ||
             m_ring.available() >= ReceiveRing::kSize / 2);
}

void ReceiveChannel::markLost()
{
    m_lost.store(true, std::memory_order_release);
    announce(true);
}

void ReceiveChannel::wakeAll()
{
    { std::lock_guard<std::mutex> lock(m_waitMutex); }
    m_arrived.notify_all();
    m_lineArrived.notify_all();
}

int ReceiveChannel::read(char* buffer, int count)
{
    if (!m_isOpen() || count < 1)
        return 0;
    return m_ring.take(buffer, count);
}

int ReceiveChannel::read(char* buffer, int count, uint32_t timeoutMs)
{
    const Deadline deadline(timeoutMs);
    int got = 0;
    for (;;) {
        got += read(buffer + got, count - got);
        if (got >= count || deadline.passed())
            return got;
        waitFor([this] { return m_isOpen() && m_ring.available() > 0; }, m_arrived, deadline.left());
    }
}

bool ReceiveChannel::waitReadable(uint32_t timeoutMs)
{
    return waitFor([this] { return m_isOpen() && m_ring.available() > 0; }, m_arrived,
                   std::chrono::milliseconds(timeoutMs));
}

bool ReceiveChannel::waitLineEnd(uint32_t timeoutMs)
{
    return waitFor(
        [this] { return m_isOpen() && (m_ring.available() >= ReceiveRing::kSize / 2 || m_ring.holds('\n')); },
        m_lineArrived, std::chrono::milliseconds(timeoutMs));
}

bool ReceiveChannel::waitFor(const std::function<bool()>& ready, std::condition_variable& cv,
                             std::chrono::milliseconds timeout)
{
    if (ready())
        return true;
    std::unique_lock<std::mutex> lock(m_waitMutex);
    return cv.wait_for(lock, timeout, ready);
}

// Wakes waiters and tells the user-interface side that something happened on the line.
void ReceiveChannel::announce(bool lineWaiters)
{
    { std::lock_guard<std::mutex> lock(m_waitMutex); }
    m_arrived.notify_all();
    if (lineWaiters)
        m_lineArrived.notify_all();
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    if (m_notify)
        m_notify();
}

void ReceiveChannel::setArrivalNotify(std::function<void()> notify)
{
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    m_notify = std::move(notify);
}
