#pragma once
// A port's receive ring: 1024 bytes between the reader thread, which stores what the
// line delivers, and the user-interface thread, which takes it. Each position has one writer
// (the storer advances head, the taker advances tail), so neither side locks; a byte is in
// place before head moves past it. The ring holds at most 1023 bytes (head == tail is empty)
// and never overwrites unread bytes: what does not fit is dropped and counted.
#include <atomic>
#include <cstdint>

class ReceiveRing {
public:
    static constexpr int kSize = 1024;

    // Storer side. Returns how many of the bytes fitted; the rest count as dropped.
    int store(const char* bytes, int count);
    // Taker side. Takes up to count bytes; never waits.
    int take(char* buffer, int count);
    // Taker side: forgets the unread bytes.
    void discard();
    // Empty again from the start, with no dropped bytes counted; only while no storer runs.
    void reset();

    int available() const;
    // Taker side: true when an unread byte equals byte.
    bool holds(char byte) const;
    uint64_t dropped() const { return m_dropped.load(std::memory_order_relaxed); }

private:
    char m_bytes[kSize] = {};
    std::atomic<int> m_head{0};
    std::atomic<int> m_tail{0};
    std::atomic<uint64_t> m_dropped{0};
};
