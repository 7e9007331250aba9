#pragma once
// A serial port reached over the network: a port map entry "tcp://HOST:PORT" (raw bytes both
// ways) or "rfc2217://HOST:PORT" (Telnet with port control, so the rate chosen here reaches
// the remote port), as ser2net serves them on the machine the camera is cabled to. It takes
// the place of the native serial port for a COM name so mapped: same names, same receive ring
// and waits; only ever connects out.
//
// A connection the server closes or resets is a lost link, as a serial hang-up is.
//
// The sockets live in a file per platform behind Platform; everything here is shared.
#include "ReaderThread.h"
#include "ReceiveChannel.h"
#include "TelnetCodec.h"
#include "Transport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class Deadline;

struct NetworkAddress {
    bool telnet = false; // rfc2217://
    std::string host;    // without the brackets of an IPv6 literal
    std::string port;
};

// True when a port map entry names a network port (by its scheme; it may still be malformed).
bool IsNetworkAddress(const std::string& entry);
// The parts of "tcp://HOST:PORT" or "rfc2217://HOST:PORT" (HOST may be "[v6 literal]", PORT
// 1 to 65535); nothing when the entry is not such an address.
std::optional<NetworkAddress> ParseNetworkAddress(const std::string& entry);

class NetworkPort : public Transport {
public:
    NetworkPort();
    ~NetworkPort() override;
    NetworkPort(const NetworkPort&) = delete;
    NetworkPort& operator=(const NetworkPort&) = delete;

    // Connects to the address the port map gives portName and, for rfc2217, sets the remote
    // port to the rate and 8N1 without flow control and purges it. 1 on success; 0 after a
    // message box naming the port, the failed step, the address and the reason.
    int Open(const std::string& portName, uint32_t baudRate);
    int Open(unsigned index, uint32_t baudRate) override;
    void Close() override;
    bool IsOpen() const override;
    bool IsLost() const override { return m_receive.lost(); }

    // Sends all bytes at once (escaped for Telnet); 1 when open and count >= 1.
    int Write(const char* bytes, int count) override;
    int Read(char* buffer, int count, uint32_t timeoutMs) override { return m_receive.read(buffer, count, timeoutMs); }
    bool WaitReadable(uint32_t timeoutMs) override { return m_receive.waitReadable(timeoutMs); }
    bool WaitLineEnd(uint32_t timeoutMs) override { return m_receive.waitLineEnd(timeoutMs); }
    void SetArrivalNotify(std::function<void()> notify) override { m_receive.setArrivalNotify(std::move(notify)); }

    int PortCount() override { return kPortCount; }
    std::string PortName(int index) const override;
    // The address the last Open connected to (as the port map gave it).
    const std::string& Address() const { return m_address; }
    // The rate the remote port reported after the last Open; 0 for raw TCP.
    uint32_t RemoteBaud() const { return m_remoteBaud; }

private:
    static constexpr int kPortCount = 32;
    struct Platform;

    int failOpen(const char* step, const std::string& portName, const std::string& cause);
    // Telnet options and the remote port's settings on the new connection; empty when the
    // server took them, else why not (closed: the server closed or reset the connection).
    std::string negotiate(uint32_t baudRate, const Deadline& deadline, bool& closed);
    // Data and answers from the server: data into the ring, answers back to it.
    void received(const char* bytes, int count);
    // Sends bytes whole; false when the connection failed.
    bool sendAll(const std::string& bytes);

    std::unique_ptr<Platform> m_platform;
    std::string m_address;
    std::unique_ptr<TelnetCodec> m_telnet; // rfc2217 only; fed by one thread at a time
    uint32_t m_remoteBaud = 0;
    std::mutex m_sendMutex; // data and Telnet answers never interleave
    ReceiveChannel m_receive{[this] { return IsOpen(); }};
    ReaderThread m_reader;
};
