#pragma once
// The native serial port (COM1 to COM32), the transport of mode 0. A COM name resolves to a
// device through the port map of the settings. Open configures the line and starts a reader
// thread that moves every received byte into the receive ring; the user-interface thread
// takes bytes from the ring and writes one byte at a time, each drained before the next.
//
// A device that disappears (hang-up or I/O error, a pulled USB adapter) ends the reader
// thread; later writes are refused and reads find only what was already received.
//
// The operating system's side (opening and configuring the device, the reader's wait, the
// writes) lives in a file per platform behind Platform; everything here is shared.
#include "ReceiveRing.h"
#include "Transport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class SerialPort : public Transport {
public:
    static constexpr int kRingSize = ReceiveRing::kSize;

    SerialPort();
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // stopBits: 0 one, 1 one and a half, 2 two. xonXoff 1 turns software flow control on;
    // bit 0 of parityCheck turns input parity checking on. 1 on success; 0 after a message
    // box naming the failed step. Opening an open port closes it first.
    int Open(const std::string& portName, uint32_t baudRate, uint8_t dataBits, uint8_t stopBits,
             int32_t xonXoff, uint32_t parityCheck);
    // "COM<index + 1>" at the rate, 8 data bits, one stop bit, no flow control, no parity check.
    int Open(unsigned index, uint32_t baudRate) override;
    // Stops the reader (at once, it is woken) and closes the device. Never from the reader.
    void Close() override;
    bool IsOpen() const override;
    // True once the device hung up or failed after opening; cleared by the next Open.
    bool IsLost() const override { return m_lost.load(std::memory_order_acquire); }

    // 1 when the port is open and count >= 1 (the single writes are not examined); 0 when
    // closed, lost or count < 1.
    int Write(const char* bytes, int count) override;
    // Takes up to count bytes from the ring; never waits.
    int Read(char* buffer, int count);
    int Read(char* buffer, int count, uint32_t timeoutMs) override;
    bool WaitReadable(uint32_t timeoutMs) override;
    // The reader wakes this wait only for a chunk with a line end, a ring half full, or a lost
    // device, so the waiting exchange is not woken for every byte of its reply.
    bool WaitLineEnd(uint32_t timeoutMs) override;
    int Available() const { return m_ring.available(); }
    // Empties the ring (while open the taker drops what is there, so head keeps its single
    // writer).
    void ResetRing();
    // Also called when the full ring dropped bytes and when the device was lost; must not
    // call Close.
    void SetArrivalNotify(std::function<void()> notify) override;
    // Bytes that arrived while the ring was full, since the last Open.
    uint64_t DroppedBytes() const { return m_ring.dropped(); }
    // The device the last Open resolved the port name to.
    const std::string& DevicePath() const { return m_device; }

    int PortCount() override { return kPortCount; }
    // "COM1" ... "COM32" for 0 ... 31, "ERROR" otherwise.
    std::string PortName(int index) const override;

private:
    static constexpr int kPortCount = 32;
    struct Platform;

    int failOpen(const char* step, const std::string& portName, const std::string& cause);
    void readerLoop();
    // Sleeps until a byte is in the ring or the time-out passes; true when a byte is there.
    bool waitAvailable(std::chrono::milliseconds timeout);
    void storeReceived(const char* bytes, int count);
    void markLost();
    // lineWaiters: wake WaitLineEnd as well.
    void announce(bool lineWaiters);

    std::unique_ptr<Platform> m_platform;
    std::string m_device;
    std::thread m_reader;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_lost{false};
    std::mutex m_writeMutex; // one writer at a time within this process
    ReceiveRing m_ring;

    std::mutex m_waitMutex; // pairs with m_arrived and m_lineArrived
    std::condition_variable m_arrived;
    std::condition_variable m_lineArrived;
    std::mutex m_notifyMutex;
    std::function<void()> m_notify;
};
