#pragma once
// Timing of a serial line for the front ends of the simulated camera. A byte takes 10 bit
// times (start, 8 data, stop). The pacer turns "this reply answers a request of so many bytes
// that arrived now" into a schedule of reply bytes as a real line at that rate would deliver
// them: the request itself still has to cross the line, the camera then takes its latency,
// and the reply goes out byte by byte, replies one after another. Times are monotonic
// nanoseconds (MonotonicNs()).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

// Time that bytes take on a line of baud bit/s; 0 when baud is 0 (no pacing).
uint64_t WireTimeNs(size_t bytes, uint32_t baud);

// CLOCK_MONOTONIC in nanoseconds.
uint64_t MonotonicNs();

class WirePacer {
public:
    // baud 0: no line time, only the latency.
    WirePacer(uint32_t baud, uint64_t latencyNs);

    // A reply to a request of requestBytes bytes (its line end included) whose last byte was
    // received at arrivalNs; extraNs is the camera's own extra time for this request. Requests
    // that come back to back are treated as crossing the line one after another.
    void Push(uint64_t arrivalNs, size_t requestBytes, std::string reply, uint64_t extraNs = 0);

    // Appends to out every byte whose time has come at nowNs. Returns the time at which the
    // next byte is due, or nothing when no byte is waiting.
    std::optional<uint64_t> Take(uint64_t nowNs, std::string& out);

    bool Empty() const { return m_queue.empty(); }
    // Forgets every byte not yet due (the line was closed).
    void Clear() { m_queue.clear(); }

private:
    struct Pending {
        uint64_t startNs; // the first byte is due at startNs + one byte time
        std::string bytes;
        size_t sent = 0;
    };
    uint64_t dueNs(const Pending& p, size_t index) const;

    uint32_t m_baud;
    uint64_t m_latencyNs;
    uint64_t m_rxFreeNs = 0; // when the request direction of the line is free again
    uint64_t m_txFreeNs = 0; // when the reply direction is free again
    std::deque<Pending> m_queue;
};
