#pragma once
// The native serial port (COM1 to COM32) on POSIX terminal devices. A COM name resolves to
// a device through the port map of the settings. Open configures the line and starts a
// reader thread that moves every received byte into a 1024-byte ring; the user-interface
// thread takes bytes from the ring without blocking and writes one byte at a time, each
// drained before the next.
//
// The ring has one writer per position: the reader thread advances head, the taker (Read)
// advances tail. It never overwrites unread bytes: what does not fit is dropped and counted.
// A device that disappears (hang-up or I/O error, a pulled USB adapter) ends the reader
// thread; later writes are refused and reads find only what was already received.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class SerialPort {
public:
    static constexpr int kRingSize = 1024;

    // The process-wide port.
    static SerialPort& Instance();

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // stopBits: 0 one, 1 one and a half, 2 two. xonXoff 1 turns software flow control on;
    // bit 0 of parityCheck turns input parity checking on. 1 on success; 0 after a message
    // box naming the failed step.
    int Open(const std::string& portName, uint32_t baudRate, uint8_t dataBits, uint8_t stopBits,
             int32_t xonXoff, uint32_t parityCheck);
    // Stops the reader (at once, it is woken) and closes the device. Never from the reader.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    // True once the device hung up or failed after opening; cleared by the next Open.
    bool IsLost() const { return m_lost.load(std::memory_order_acquire); }

    // 1 when the port is open and count >= 1 (the single writes are not examined); 0 when
    // closed, lost or count < 1.
    int Write(const char* bytes, int count);
    // Takes up to count bytes from the ring; never waits.
    int Read(char* buffer, int count);
    int Available() const;
    // Empties the ring (head := tail := 0 while closed; while open the taker drops what is
    // there, so head keeps its single writer).
    void ResetRing();
    // Sleeps until a byte is in the ring or the time-out passes; true when a byte is there.
    // Wakes as soon as the reader stores bytes.
    bool WaitAvailable(std::chrono::milliseconds timeout);
    // Called on the reader thread whenever bytes arrived (also when the full ring dropped
    // them) and when the device was lost. May be empty; must not call Close.
    void SetArrivalNotify(std::function<void()> notify);
    // Bytes that arrived while the ring was full, since the last Open.
    uint64_t DroppedBytes() const { return m_dropped.load(std::memory_order_relaxed); }
    // The device the last Open resolved the port name to.
    const std::string& DevicePath() const { return m_device; }

    static int PortCount() { return 32; }
    // "COM1" ... "COM32" for 0 ... 31, "ERROR" otherwise.
    static std::string PortName(int index);

private:
    int failOpen(const char* step, const std::string& portName, const std::string& cause);
    void readerLoop();
    void storeReceived(const char* bytes, int count);
    void markLost();
    void announce();

    int m_fd = -1;
    int m_wakeFd = -1; // eventfd that Close signals to release the reader's poll()
    std::string m_device;
    std::thread m_reader;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_lost{false};

    std::mutex m_writeMutex; // one writer at a time within this process
    char m_ring[kRingSize] = {};
    std::atomic<int> m_head{0}; // written only by the reader thread
    std::atomic<int> m_tail{0}; // written only by the taker
    std::atomic<uint64_t> m_dropped{0};

    std::mutex m_waitMutex; // pairs with m_arrived
    std::condition_variable m_arrived;
    std::mutex m_notifyMutex;
    std::function<void()> m_notify;
};
