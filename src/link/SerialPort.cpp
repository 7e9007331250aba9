#include "SerialPort.h"

#include "Deadline.h"

#include <cstring>

std::string SerialPort::PortName(int index) const
{
    if (index < 0 || index >= kPortCount)
        return "ERROR";
    return "COM" + std::to_string(index + 1);
}

int SerialPort::Open(unsigned index, uint32_t baudRate)
{
    // Any index names a port here; only the list offered stops at COM32.
    return Open("COM" + std::to_string(uint64_t(index) + 1), baudRate, 8, 0, 0, 0);
}

int SerialPort::Read(char* buffer, int count)
{
    if (!IsOpen() || count < 1)
        return 0;
    return m_ring.take(buffer, count);
}

int SerialPort::Read(char* buffer, int count, uint32_t timeoutMs)
{
    const Deadline deadline(timeoutMs);
    int got = 0;
    for (;;) {
        got += Read(buffer + got, count - got);
        if (got >= count || deadline.passed())
            return got;
        waitAvailable(deadline.left());
    }
}

bool SerialPort::WaitReadable(uint32_t timeoutMs)
{
    return waitAvailable(std::chrono::milliseconds(timeoutMs));
}

bool SerialPort::waitAvailable(std::chrono::milliseconds timeout)
{
    auto readable = [this] { return IsOpen() && m_ring.available() > 0; };
    if (readable())
        return true;
    std::unique_lock<std::mutex> lock(m_waitMutex);
    return m_arrived.wait_for(lock, timeout, readable);
}

bool SerialPort::WaitLineEnd(uint32_t timeoutMs)
{
    auto whole = [this] {
        return IsOpen() && (m_ring.available() >= kRingSize / 2 || m_ring.holds('\n'));
    };
    if (whole())
        return true;
    std::unique_lock<std::mutex> lock(m_waitMutex);
    return m_lineArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), whole);
}

void SerialPort::ResetRing()
{
    if (m_reader.joinable())
        m_ring.discard();
    else
        m_ring.reset();
}

void SerialPort::storeReceived(const char* bytes, int count)
{
    m_ring.store(bytes, count);
    announce(std::memchr(bytes, '\n', static_cast<size_t>(count)) != nullptr || m_ring.available() >= kRingSize / 2);
}

void SerialPort::markLost()
{
    m_lost.store(true, std::memory_order_release);
    announce(true);
}

// Wakes waiters and tells the user-interface side that something happened on the line.
void SerialPort::announce(bool lineWaiters)
{
    { std::lock_guard<std::mutex> lock(m_waitMutex); }
    m_arrived.notify_all();
    if (lineWaiters)
        m_lineArrived.notify_all();
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    if (m_notify)
        m_notify();
}

void SerialPort::SetArrivalNotify(std::function<void()> notify)
{
    std::lock_guard<std::mutex> lock(m_notifyMutex);
    m_notify = std::move(notify);
}
