#pragma once
// A Camera Link serial transport: one generation of the frame grabber's serial library,
// loaded at run time. CommLink uses modes 1 to 3 only through this interface.
#include <cstdint>
#include <string>

class ClTransport {
public:
    virtual ~ClTransport() = default;
    // Rebuilds the port list and returns its length.
    virtual int Enumerate() = 0;
    // The list entry at index; empty when out of range.
    virtual std::string PortName(int index) const = 0;
    // 1 when the library is loaded and the serial port initialised.
    virtual int Open(int index) = 0;
    // 1 when the rate was accepted, else 0 after a message box.
    virtual int SetBaudRate(uint32_t baudRate) = 0;
    // 1 when the library wrote the bytes; 0 when closed or on failure.
    virtual int WriteBytes(const char* bytes, int count, uint32_t timeoutMs) = 0;
    // The number of bytes read; 0 when closed, on failure or on time-out.
    virtual int ReadBytes(char* buffer, int count, uint32_t timeoutMs) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

// The process-wide transports of modes 1 (Camera Link 2000 libraries), 2 (Camera Link 2001)
// and 3 (Camera Link 1.1); nullptr for any other mode.
ClTransport* ClTransportForMode(unsigned mode);
