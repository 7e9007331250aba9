#pragma once
// A camera on the far end of a pseudo-terminal, answering each line the program sends from a
// thread of its own: a setting "XX=v" is stored and acknowledged with "COMPLETE", a query
// "XX?" is answered "XX=v" with the stored value (0 when none), anything else with "ERROR".
// Tests script the exceptions: a reply queued for the next line, a custom responder, a setting
// refused with a text, a query with a fixed answer. Qt-free.
//
// The camera reads the peer's master side; the test may still write unasked bytes to the peer
// but must not read it or close it while the camera runs.
#include "PtyPeer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class PtyCamera {
public:
    // Gets each line as received (line end included). A text is sent back as it is (no line
    // end added; empty for silence); nullopt leaves the line to the other rules.
    using Responder = std::function<std::optional<std::string>(const std::string& line)>;

    explicit PtyCamera(PtyPeer& peer);
    ~PtyCamera();
    PtyCamera(const PtyCamera&) = delete;
    PtyCamera& operator=(const PtyCamera&) = delete;

    void setValue(const std::string& mnemonic, const std::string& value);
    void setValue(const std::string& mnemonic, int value) { setValue(mnemonic, std::to_string(value)); }
    std::string value(const std::string& mnemonic);
    // Every setting of this mnemonic is answered with the reply instead of "COMPLETE".
    void refuseSet(const std::string& mnemonic, const std::string& reply);
    // Every query of this mnemonic is answered with the reply line, whatever was set.
    void answerQuery(const std::string& mnemonic, const std::string& reply);
    // The next line is answered with exactly these bytes (empty: not at all), before any
    // other rule; queued replies are used in turn.
    void queueReply(const std::string& bytes);
    void setResponder(Responder responder);

    // The lines received so far, each with its line end as it came.
    std::vector<std::string> lines();
    // Sleeps until count lines have come; false when they have not after the bound.
    bool waitForLines(size_t count, std::chrono::milliseconds bound = std::chrono::seconds(5));
    void clearLines();
    // Forgets the lines, the stored values and everything scripted.
    void reset();

private:
    void run();
    std::string answer(const std::string& line);

    PtyPeer& m_peer;
    std::mutex m_mutex;
    std::condition_variable m_lineCame;
    std::map<std::string, std::string> m_values;
    std::map<std::string, std::string> m_refused;
    std::map<std::string, std::string> m_answers;
    std::deque<std::string> m_queued;
    Responder m_responder;
    std::vector<std::string> m_lines;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
