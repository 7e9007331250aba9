#include "ReceiveRing.h"

namespace {
int used(int head, int tail)
{
    int n = head - tail;
    return n < 0 ? n + ReceiveRing::kSize : n;
}
} // namespace

int ReceiveRing::store(const char* bytes, int count)
{
    int head = m_head.load(std::memory_order_relaxed);
    int room = kSize - 1 - used(head, m_tail.load(std::memory_order_acquire));
    int fitting = count < room ? count : room;
    for (int i = 0; i < fitting; ++i) {
        m_bytes[head] = bytes[i];
        head = (head + 1) % kSize;
    }
    m_head.store(head, std::memory_order_release);
    if (fitting < count)
        m_dropped.fetch_add(static_cast<uint64_t>(count - fitting), std::memory_order_relaxed);
    return fitting;
}

int ReceiveRing::take(char* buffer, int count)
{
    int tail = m_tail.load(std::memory_order_relaxed);
    int head = m_head.load(std::memory_order_acquire);
    int got = 0;
    while (got < count && tail != head) {
        buffer[got++] = m_bytes[tail];
        tail = (tail + 1) % kSize;
    }
    m_tail.store(tail, std::memory_order_release);
    return got;
}

void ReceiveRing::discard()
{
    m_tail.store(m_head.load(std::memory_order_acquire), std::memory_order_release);
}

void ReceiveRing::reset()
{
    m_head.store(0, std::memory_order_relaxed);
    m_tail.store(0, std::memory_order_relaxed);
    m_dropped.store(0, std::memory_order_relaxed);
}

bool ReceiveRing::holds(char byte) const
{
    const int head = m_head.load(std::memory_order_acquire);
    for (int i = m_tail.load(std::memory_order_relaxed); i != head; i = (i + 1) % kSize)
        if (m_bytes[i] == byte)
            return true;
    return false;
}

int ReceiveRing::available() const
{
    return used(m_head.load(std::memory_order_acquire), m_tail.load(std::memory_order_acquire));
}
