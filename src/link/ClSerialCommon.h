#pragma once
// What the three Camera Link transports share: the port list, the loaded library of the open
// port, the serial reference, and reading, writing and closing through the four entry points
// that every generation has.
#include "ClLibrary.h"
#include "ClSerialApi.h"
#include "ClTransport.h"

#include <string>
#include <vector>

class ClSerialCommon : public ClTransport {
public:
    ~ClSerialCommon() override;

    std::string PortName(int index) const override;
    int WriteBytes(const char* bytes, int count, uint32_t timeoutMs) override;
    int ReadBytes(char* buffer, int count, uint32_t timeoutMs) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }

protected:
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
    ClSerialInitFn* m_serialInit = nullptr;
    ClSerialCloseFn* m_serialClose = nullptr;
    ClSerialReadFn* m_serialRead = nullptr;
    ClSerialWriteFn* m_serialWrite = nullptr;
};

// The box shown for a rate that the port cannot take.
void ClShowBaudRateRefusal(const std::string& text);
