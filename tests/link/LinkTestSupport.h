#pragma once
// Shared set-up of the serial tests: an in-memory settings store whose port map points at
// a pseudo-terminal, a recorder for message boxes, and a waiter that sleeps until the
// serial reader announces arrivals (no polling).
#include "PtyPeer.h"
#include "SerialPort.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

class ArrivalWatch {
public:
    explicit ArrivalWatch(SerialPort& port) : m_port(port)
    {
        port.SetArrivalNotify([this] {
            { std::lock_guard<std::mutex> lock(m_mutex); ++m_events; }
            m_cv.notify_all();
        });
    }
    ~ArrivalWatch() { m_port.SetArrivalNotify(nullptr); }

    // Sleeps until the condition holds, re-checking after each announcement; false when it
    // still does not hold after the bound.
    bool WaitFor(const std::function<bool()>& condition,
                 std::chrono::milliseconds bound = std::chrono::seconds(5))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, bound, condition);
    }
    int Events()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }

private:
    SerialPort& m_port;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_events = 0;
};

// Installs a memory store with COM1 mapped to a fresh pty, and records message boxes.
struct PtyLinkFixture {
    PtyLinkFixture()
    {
        settings.ports["COM1"] = peer.SlavePath();
        SetSettingsStore(&settings);
    }
    ~PtyLinkFixture() { SetSettingsStore(nullptr); }

    PtyPeer peer;
    MemorySettings settings;
    ScopedRecordingNotice notices;
};
