#pragma once
// Shared set-up of the serial tests: the link on a pseudo-terminal with everything it reports
// recorded, and a waiter that sleeps until a transport announces arrivals (no polling).
#include "CommLink.h"
#include "LinkEvents.h"
#include "PtyPeer.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Counts the arrival notices of a transport or of the link.
class ArrivalWatch {
public:
    template <typename Target>
    explicit ArrivalWatch(Target& target) : m_detach([t = &target] { t->SetArrivalNotify(nullptr); })
    {
        target.SetArrivalNotify([this] {
            { std::lock_guard<std::mutex> lock(m_mutex); ++m_arrivals; }
            m_cv.notify_all();
        });
    }
    ~ArrivalWatch() { m_detach(); }

    // Sleeps until the condition holds, re-checking after each notice; false when it still
    // does not hold after the bound.
    bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds bound = std::chrono::seconds(5))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, bound, condition);
    }
    bool WaitForNotice() { return WaitFor([this] { return m_arrivals > 0; }); }

private:
    std::function<void()> m_detach;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_arrivals = 0;
};

// COM1 mapped to a fresh pty in an in-memory store, message boxes recorded, and a link as a
// fresh run sees it, with the log lines and online states it reports.
struct LinkFixture {
    LinkFixture()
    {
        settings.ports["COM1"] = peer.SlavePath();
        SetSettingsStore(&settings);
        events.SetTranscriptSink([this](const std::string& line) { transcript.push_back(line); });
        events.SetMessageListSink([this](const std::string& line) { messageList.push_back(line); });
        events.SetOnlineSink([this](bool online) { states.push_back(online); });
        events.Notice().SetTarget(&notices.recorder);
    }
    ~LinkFixture()
    {
        link.Close();
        link.SetArrivalNotify(nullptr);
        SetSettingsStore(nullptr);
    }

    PtyPeer peer;
    MemorySettings settings;
    ScopedRecordingNotice notices;
    LinkEvents events;
    CommLink link{events, &settings};
    std::vector<std::string> transcript;
    std::vector<std::string> messageList;
    std::vector<bool> states;
};
