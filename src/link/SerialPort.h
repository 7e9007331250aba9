#pragma once
// The native serial port (COM1 to COM32), the transport of mode 0. A COM name resolves to a
// device through the port map of the settings. Open configures the line and starts a reader
// thread that moves every received byte into the receive ring; the user-interface thread
// takes bytes from the ring and writes one byte at a time, each drained before the next.
//
// A device that disappears (hang-up or I/O error, a pulled USB adapter) ends the reader
// thread; later writes are refused and reads find only what was already received.
//
// The operating system's side (opening and configuring the device, the writes) lives in a file
// per platform behind Platform; the receiving side is the network port's as well
// (ReceiveChannel, ReaderThread).
#include "ReaderThread.h"
#include "ReceiveChannel.h"
#include "Transport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

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
    bool IsLost() const override { return m_receive.lost(); }

    // 1 when the port is open and count >= 1 (the single writes are not examined); 0 when
    // closed, lost or count < 1.
    int Write(const char* bytes, int count) override;
    // Takes up to count bytes from the ring; never waits.
    int Read(char* buffer, int count) { return m_receive.read(buffer, count); }
    int Read(char* buffer, int count, uint32_t timeoutMs) override { return m_receive.read(buffer, count, timeoutMs); }
    bool WaitReadable(uint32_t timeoutMs) override { return m_receive.waitReadable(timeoutMs); }
    bool WaitLineEnd(uint32_t timeoutMs) override { return m_receive.waitLineEnd(timeoutMs); }
    int Available() const { return m_receive.ring().available(); }
    // Empties the ring (while open the taker drops what is there, so head keeps its single
    // writer).
    void ResetRing();
    void SetArrivalNotify(std::function<void()> notify) override { m_receive.setArrivalNotify(std::move(notify)); }
    // Bytes that arrived while the ring was full, since the last Open.
    uint64_t DroppedBytes() const { return m_receive.ring().dropped(); }
    // The device the last Open resolved the port name to.
    const std::string& DevicePath() const { return m_device; }

    int PortCount() override { return kPortCount; }
    // "COM1" ... "COM32" for 0 ... 31, "ERROR" otherwise.
    std::string PortName(int index) const override;

private:
    static constexpr int kPortCount = 32;
    struct Platform;

    int failOpen(const char* step, const std::string& portName, const std::string& cause);

    std::unique_ptr<Platform> m_platform;
    std::string m_device;
    std::mutex m_writeMutex; // one writer at a time within this process
    ReceiveChannel m_receive{[this] { return IsOpen(); }};
    ReaderThread m_reader;
};
