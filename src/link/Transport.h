#pragma once
// One way of reaching the camera's serial control channel: the native serial port or a serial
// port reached over the network (mode 0), or
// one generation of a Camera Link frame grabber's serial library (modes 1 to 3). CommLink holds
// the transport of its mode and reaches the line only through this interface; the operations
// carry the names of the CommLink operations they serve.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class SettingsStore;
class UserNotice;

// What a transport takes from its owner: the settings whose port map and library folder it
// reads (nullptr: the process-wide store at the time of use), and where it tells why a port
// did not open (nullptr: standard error).
struct PortContext {
    SettingsStore* settings = nullptr;
    UserNotice* notice = nullptr;
};

class Transport {
public:
    virtual ~Transport() = default;

    void SetContext(PortContext context) { m_context = context; }

    // The number of ports offered; a Camera Link generation builds its list afresh, also while
    // one of its ports is open (that port keeps working).
    virtual int PortCount() = 0;
    // The name of a port of the list; what an index outside the list gives is the
    // transport's own ("ERROR" for COM names, empty for a Camera Link list).
    virtual std::string PortName(int index) const = 0;

    // Opens the port at index and sets the baud rate; 1 when both succeeded. A failed step has
    // told the person why. A port that opened but refused the rate stays open.
    virtual int Open(unsigned index, uint32_t baudRate) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Hands all bytes to the line in order. The outcome is not examined by anyone: a lost
    // byte shows up as a reply that times out.
    virtual int Write(const char* bytes, int count) = 0;
    // Reads up to count bytes, waiting at most timeoutMs; returns as soon as count bytes came.
    // A time-out of 0 looks once without waiting. A closed transport sleeps out the time-out.
    virtual int Read(char* buffer, int count, uint32_t timeoutMs) = 0;
    // True as soon as a byte can be read without waiting; false after timeoutMs.
    virtual bool WaitReadable(uint32_t timeoutMs) = 0;
    // True as soon as a line end (LF) can be read without waiting, or so many bytes wait that
    // the caller must take them now; false after timeoutMs. An exchange waits here for its reply,
    // so it is woken once per line instead of once per byte. A transport that cannot look ahead
    // wakes for the first byte, as WaitReadable.
    virtual bool WaitLineEnd(uint32_t timeoutMs) { return WaitReadable(timeoutMs); }
    // True once the open port failed for good (a device that hung up or went away, a library
    // that refuses to read or write); nothing will come until it is opened again.
    virtual bool IsLost() const = 0;

    // Called from the transport's own receiving thread whenever bytes arrive, so the
    // user-interface thread can be woken instead of polling. Replacing or clearing it waits for
    // a call in progress. A transport without a receiving thread never calls it.
    virtual void SetArrivalNotify(std::function<void()> notify) = 0;

protected:
    SettingsStore& settings() const;
    UserNotice& notice() const;

private:
    PortContext m_context;
};

// The transport of a communication mode: 0 the serial port (the network port when network is
// set: the COM name is mapped to a tcp:// or rfc2217:// address), 1 to 3 the Camera Link
// library generations; nullptr for any other mode. Nothing is opened or loaded yet.
std::unique_ptr<Transport> MakeTransport(unsigned mode, bool network = false, PortContext context = {});
