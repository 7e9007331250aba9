#include "SimWire.h"

#include <algorithm>
#include <time.h>

uint64_t WireTimeNs(size_t bytes, uint32_t baud)
{
    if (baud == 0)
        return 0;
    // 10 bits per byte; computed in 128 bits' worth of headroom by dividing late.
    return static_cast<uint64_t>((static_cast<unsigned __int128>(bytes) * 10u * 1000000000u) / baud);
}

uint64_t MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

WirePacer::WirePacer(uint32_t baud, uint64_t latencyNs) : m_baud(baud), m_latencyNs(latencyNs) {}

void WirePacer::Push(uint64_t arrivalNs, size_t requestBytes, std::string reply, uint64_t extraNs)
{
    uint64_t requestEnd = std::max(arrivalNs, m_rxFreeNs) + WireTimeNs(requestBytes, m_baud);
    m_rxFreeNs = requestEnd;
    uint64_t start = std::max(requestEnd + m_latencyNs + extraNs, m_txFreeNs);
    m_txFreeNs = start + WireTimeNs(reply.size(), m_baud);
    if (!reply.empty())
        m_queue.push_back(Pending{start, std::move(reply)});
}

uint64_t WirePacer::dueNs(const Pending& p, size_t index) const
{
    return p.startNs + WireTimeNs(index + 1, m_baud);
}

std::optional<uint64_t> WirePacer::Take(uint64_t nowNs, std::string& out)
{
    while (!m_queue.empty()) {
        Pending& p = m_queue.front();
        while (p.sent < p.bytes.size() && dueNs(p, p.sent) <= nowNs)
            out += p.bytes[p.sent++];
        if (p.sent < p.bytes.size())
            return dueNs(p, p.sent);
        m_queue.pop_front();
    }
    return std::nullopt;
}
