#pragma once
// What the three Camera Link transports share: the port list, the loaded library of the open
// port, the serial reference, reading, writing and closing through the four entry points that
// every generation has, and the link's side of the library calls: writes with 500 ms, reads a
// byte at a time with 10 ms.
//
// The libraries are polled from the user-interface thread; no thread of their own ever calls
// the arrival notice.
#include "ClLibrary.h"
#include "ClSerialApi.h"
#include "Transport.h"

#include <string>
#include <vector>

class ClSerialCommon : public Transport {
public:
    ~ClSerialCommon() override;

    // Rebuilds the port list and returns its length.
    virtual int Enumerate() = 0;
    // 1 when the library is loaded and the serial port initialised.
    virtual int Open(int index) = 0;
    // 1 when the rate was accepted, else 0 after a message box.
    virtual int SetBaudRate(uint32_t baudRate) = 0;
    // 1 when the library wrote the bytes; 0 when closed or on failure.
    int WriteBytes(const char* bytes, int count, uint32_t timeoutMs);
    // The number of bytes read; 0 when closed, on failure or on time-out.
    int ReadBytes(char* buffer, int count, uint32_t timeoutMs);

    int PortCount() override { return Enumerate(); }
    // The list entry at index; empty when out of range.
    std::string PortName(int index) const override;
    int Open(unsigned index, uint32_t baudRate) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    int Write(const char* bytes, int count) override;
    int Read(char* buffer, int count, uint32_t timeoutMs) override;
    bool WaitReadable(uint32_t timeoutMs) override;
    bool IsLost() const override { return m_lost; }
    void SetArrivalNotify(std::function<void()>) override {}

protected:
    // The box shown for a rate that the port cannot take.
    void showBaudRateRefusal(const std::string& text);
    // Calls clSerialInit on the loaded library; 1 when the port is open. On failure the
    // library is let go again, so a failed open leaves nothing loaded.
    int InitPort(uint32_t serialIndex);
    // The rate check of the generations that report their rates: 1 and the rate set when
    // the library lists the rate's bit, else 0 after the message box with text.
    int SetRateFromSupported(uint32_t baudRate, ClGetSupportedBaudRatesFn* supported,
                             ClSetBaudRateFn* set, const std::string& text);

    std::vector<std::string> m_ports;
    ClLibrary m_library;
    hSerRef m_serialRef = nullptr;
    bool m_open = false;
    // A read or write failed for another reason than a time-out; cleared by the next open.
    bool m_lost = false;
    ClSerialInitFn* m_serialInit = nullptr;
    ClSerialCloseFn* m_serialClose = nullptr;
    ClSerialReadFn* m_serialRead = nullptr;
    ClSerialWriteFn* m_serialWrite = nullptr;

private:
    // A byte WaitReadable had to take from the library (which cannot be asked whether one is
    // waiting); Read hands it out first.
    std::string m_pending;
};

