#pragma once
// The reader thread of a port on a descriptor: it waits for received bytes and for Close's
// wake-up together, hands each chunk it reads on, and ends after telling of a failure or a
// hang-up. The wait is the platform's (poll() and an eventfd on POSIX).
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class ReaderThread {
public:
    using Received = std::function<void(const char* bytes, int count)>;

    ReaderThread();
    ~ReaderThread();
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;

    // Sets up Close's wake-up; false (errno set) when the system refused it.
    bool prepare();
    // Starts reading fd in chunks of up to bufferSize. readOnHangUp: a hang-up or error is read
    // too, as a socket tells a close (0 bytes) from a reset that way; otherwise (a terminal) it
    // is a lost line at once.
    void start(int fd, int bufferSize, bool readOnHangUp, Received received, std::function<void()> lost);
    // Wakes the reader (at once), waits for it to end and releases the wake-up. Never from the
    // reader.
    void stop();
    // From start until stop.
    bool active() const { return m_thread.joinable(); }

private:
    struct Platform;

    void loop(int fd, int bufferSize, bool readOnHangUp, const Received& received, const std::function<void()>& lost);

    std::unique_ptr<Platform> m_platform;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};
