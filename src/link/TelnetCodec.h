#pragma once
// The client side of a Telnet stream carrying a serial port (RFC 854 with the COM-PORT-OPTION
// of RFC 2217), as ser2net serves it. Pure: bytes from the server go in, the data bytes and the
// answers owed to the server come out; the caller moves them over the socket. The client asks
// for binary transmission and suppressed go-ahead both ways and offers port control; every
// other option the server proposes is refused. Once the server agrees to port control the
// codec asks for the chosen rate, 8 data bits, no parity, one stop bit, no flow control, and a
// purge of both buffers; the server's report of the rate ends the negotiation.
#include <cstddef>
#include <cstdint>
#include <string>

class TelnetCodec {
public:
    enum class State { Negotiating, Ready, Refused };

    explicit TelnetCodec(uint32_t baudRate);

    // What the client says first.
    std::string Opening();
    // Takes bytes from the server: data bytes are appended to data, answers to replies.
    void Feed(const char* bytes, size_t count, std::string& data, std::string& replies);
    // Data bytes as they go to the server (0xFF doubled).
    static std::string Escape(const char* bytes, size_t count);

    // Ready once the server reported its rate; Refused when it declined port control first.
    State state() const { return m_state; }
    // The rate the server last reported; 0 before it did.
    uint32_t RemoteBaud() const { return m_remoteBaud; }

private:
    enum class Parse { Data, Iac, Verb, Sub, SubIac, CarriageReturn };
    void verb(unsigned char verb, unsigned char option, std::string& replies);
    void subnegotiation();
    std::string portSettings() const;

    uint32_t m_baudRate;
    State m_state = State::Negotiating;
    uint32_t m_remoteBaud = 0;
    Parse m_parse = Parse::Data;
    unsigned char m_verb = 0;
    std::string m_sub; // the subnegotiation being read, capped
    bool m_settingsSent = false;
    // Per option we use: enabled on each side, and a request of ours not yet answered.
    struct Side {
        bool on = false;
        bool asked = false;
    };
    Side m_local[3];  // we WILL: binary, suppress go-ahead, port control
    Side m_remote[3]; // they WILL: binary, suppress go-ahead (port control unused)
};
