#pragma once
// The receiving side of a port with a reader thread (the serial port, the network port): the
// receive ring, the waits for a byte or a line end, the lost mark and the arrival notice. The
// reader thread stores and marks lost; the user-interface thread takes and waits.
#include "ReceiveRing.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

class ReceiveChannel {
public:
    // isOpen tells whether the port is open: a closed port has nothing to read or wait for.
    explicit ReceiveChannel(std::function<bool()> isOpen) : m_isOpen(std::move(isOpen)) {}
    ReceiveChannel(const ReceiveChannel&) = delete;
    ReceiveChannel& operator=(const ReceiveChannel&) = delete;

    ReceiveRing& ring() { return m_ring; }
    const ReceiveRing& ring() const { return m_ring; }

    // Before a reader starts on a new connection: an empty ring, not lost.
    void restart();
    // Reader side: into the ring, then wakes the waiters.
    void store(const char* bytes, int count);
    // The line failed for good (hang-up, I/O error, reset); the waiters and the notice learn it.
    void markLost();
    bool lost() const { return m_lost.load(std::memory_order_acquire); }
    // Wakes anyone still waiting for bytes; none will come (the port closed).
    void wakeAll();

    // Takes up to count bytes from the ring; never waits.
    int read(char* buffer, int count);
    int read(char* buffer, int count, uint32_t timeoutMs);
    bool waitReadable(uint32_t timeoutMs);
    // The reader wakes this wait only for a chunk with a line end, a ring half full, or a lost
    // line, so the waiting exchange is not woken for every byte of its reply.
    bool waitLineEnd(uint32_t timeoutMs);
    // Also called when the full ring dropped bytes and when the line was lost; must not call
    // the port's Close.
    void setArrivalNotify(std::function<void()> notify);

private:
    // Sleeps until ready holds or the time-out passes; true when it holds.
    bool waitFor(const std::function<bool()>& ready, std::condition_variable& cv, std::chrono::milliseconds timeout);
    // lineWaiters: wake waitLineEnd as well.
    void announce(bool lineWaiters);

    std::function<bool()> m_isOpen;
    ReceiveRing m_ring;
    std::atomic<bool> m_lost{false};

    std::mutex m_waitMutex; // pairs with m_arrived and m_lineArrived
    std::condition_variable m_arrived;
    std::condition_variable m_lineArrived;
    std::mutex m_notifyMutex;
    std::function<void()> m_notify;
};
