#pragma once
// The moment a wait of the link layer must end, on the steady clock. Waits are handed what is
// left rounded up to whole milliseconds, so a wait never ends just short of the moment and
// spins once more.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <climits>
#include <cstdint>
#include <mutex>

class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    explicit Deadline(Clock::time_point at) : m_at(at) {}
    explicit Deadline(uint32_t timeoutMs) : m_at(Clock::now() + std::chrono::milliseconds(timeoutMs)) {}
    static Deadline never() { return Deadline(Clock::time_point::max()); }

    Clock::time_point at() const { return m_at; }
    bool passed() const { return Clock::now() >= m_at; }

    std::chrono::milliseconds left() const
    {
        if (m_at == Clock::time_point::max())
            return std::chrono::milliseconds::max();
        auto rest = std::chrono::ceil<std::chrono::milliseconds>(m_at - Clock::now());
        return std::max(rest, std::chrono::milliseconds(0));
    }
    // What is left, but no more than atMost.
    uint32_t leftMs(std::chrono::milliseconds atMost) const
    {
        auto ms = std::min(left(), atMost).count();
        return static_cast<uint32_t>(std::min<int64_t>(ms, UINT32_MAX));
    }

    // Where nothing can arrive (no port, no valid mode) a read still takes its time, as a
    // silent camera would, but sleeps instead of spinning.
    void sleepUntil() const
    {
        std::mutex m;
        std::condition_variable nothing;
        std::unique_lock<std::mutex> lock(m);
        nothing.wait_until(lock, m_at, [] { return false; });
    }

private:
    Clock::time_point m_at;
};
