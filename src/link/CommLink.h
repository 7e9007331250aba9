#pragma once
// One camera's switch between the four ways of reaching its serial control channel: mode 0
// the native serial port (or a serial port on the network), modes 1-3 a Camera Link serial
// library. It keeps the six link settings (read when it is made, written back by
// SaveSettings at process end), holds the transport of the current mode, opens and re-opens
// it, forwards every write and read and logs every written line to its camera's events.
// Used by its camera's thread; only SetExchangeWaiting's flag is read by the reader thread.
#include "Transport.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class LinkEvents;
class SettingsStore;

class CommLink {
public:
    // settings: where the link settings and the port map are kept (not owned; nullptr: the
    // process-wide store at the time of use).
    explicit CommLink(LinkEvents& events, SettingsStore* settings = nullptr);
    ~CommLink();
    CommLink(const CommLink&) = delete;
    CommLink& operator=(const CommLink&) = delete;

    int Open(unsigned mode, uint32_t baudRate, unsigned index);
    int OpenWith(unsigned mode, uint32_t baudRate);
    int Reopen();
    int ChangeMode(unsigned mode);
    int ChangeBaudRate(uint32_t baudRate);
    int ChangePort(unsigned index);
    void Close();

    // Writes all bytes of the line (CR LF included) and logs it without trailing CR/LF.
    // 1 for modes 0-3, 0 for an invalid mode (nothing written or logged).
    int Write(const std::string& line);
    // Writes bytes as they stand (a binary register packet) and logs `logged` in their place,
    // since the packet itself is no line a person could read. 1 for modes 0-3, else 0.
    int WritePacket(const std::string& bytes, const std::string& logged);
    // Reads up to count bytes, waiting at most timeoutMs; returns as soon as count bytes
    // are there. Sleeps while waiting and wakes within a millisecond of a byte's arrival.
    int Read(char* buffer, int count, uint32_t timeoutMs);
    // True as soon as a byte can be read without waiting; false after timeoutMs.
    bool WaitReadable(uint32_t timeoutMs);
    // See Transport::WaitLineEnd.
    bool WaitLineEnd(uint32_t timeoutMs);
    // True once the open port failed for good (see Transport::IsLost).
    bool IsLost() const { return m_transport && m_transport->IsLost(); }
    // Called from the receiving thread whenever bytes arrive (mode 0), so the user-interface
    // thread can be woken instead of polling. May be empty. Kept for every later transport.
    // Not called while an exchange waits for its reply: the exchange takes the bytes itself,
    // and waking the idle reception as well would only cost a second thread hand-off.
    void SetArrivalNotify(std::function<void()> notify);
    // An exchange is waiting on the line (set by the exchange around its wait).
    void SetExchangeWaiting(bool waiting) { m_exchangeWaiting.store(waiting, std::memory_order_release); }

    // While one of these lives, a binary exchange owns the line: the idle reception between
    // exchanges takes nothing, so it cannot swallow a packet's answer. Holds nest.
    class Hold {
    public:
        explicit Hold(CommLink& link) : m_link(link) { ++m_link.m_holds; }
        ~Hold() { --m_link.m_holds; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CommLink& m_link;
    };
    bool IsHeld() const { return m_holds > 0; }

    int PortCount();
    std::string PortName(int index);
    unsigned GetMode() const { return m_mode; }
    void SetMode(unsigned mode) { m_mode = mode; }
    uint32_t GetBaudRate() const { return m_baudRate; }
    unsigned SelectedPort() const;
    // The selected port as a person knows it: "COM1 (/dev/ttyUSB0)" for the native ports (the
    // device the port map leads to), the library's port name for the Camera Link modes.
    std::string SelectedPortText();
    static uint32_t IndexToBaud(int index);
    static int BaudToIndex(uint32_t baudRate);
    void SaveSettings();
    // The settings this link reads and writes.
    SettingsStore& Store() const;
    LinkEvents& Events() { return m_events; }

    // Test seam: close, forget the transport and read the settings again, as a fresh run.
    void ReloadSettingsForTest();
    // The transport last built (nullptr before the first use of a valid mode); lets tests look
    // at what only that transport knows, such as a lost device or dropped bytes.
    Transport* ActiveTransport() { return m_transport.get(); }

private:
    void LoadSettings();
    // The transport of the current mode, built when the mode (or, in mode 0, the kind of port
    // the selected COM name is mapped to) changed; nullptr for an invalid mode. At most one
    // transport exists, so replacing it closes the one of the old mode.
    Transport* transport();
    // The arrival notice as the transport calls it: skipped while an exchange waits.
    std::function<void()> transportNotify();
    // The field that keeps the selected port of a mode; nullptr for an invalid mode.
    static unsigned CommLink::*portField(unsigned mode);

    LinkEvents& m_events;
    SettingsStore* m_store;
    unsigned m_mode = 0;
    uint32_t m_baudRate = 9600;
    unsigned m_comPortIndex = 0;
    unsigned m_cl2000Index = 0;
    unsigned m_cl2001Index = 0;
    unsigned m_clV11Index = 0;
    std::function<void()> m_arrivalNotify;
    std::atomic<bool> m_exchangeWaiting{false};
    std::unique_ptr<Transport> m_transport;
    unsigned m_transportMode = 0;
    bool m_network = false;          // the port opened last is mapped to a network address
    bool m_transportNetwork = false; // m_transport is the network port
    int m_holds = 0;
};
