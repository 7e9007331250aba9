#include "TelnetCodec.h"

namespace {

constexpr unsigned char kIac = 255, kDont = 254, kDo = 253, kWont = 252, kWill = 251, kSb = 250, kSe = 240;
constexpr unsigned char kBinary = 0, kSuppressGoAhead = 3, kComPort = 44;
// Port control commands from the client; the server answers each with the command plus 100.
constexpr unsigned char kSetBaudRate = 1, kSetDataSize = 2, kSetParity = 3, kSetStopSize = 4, kSetControl = 5,
                        kPurgeData = 12, kServerOffset = 100;
constexpr size_t kSubLimit = 64; // longer subnegotiations are cut; none we read is longer

// The slot of an option we take part in; -1 for any other.
int slot(unsigned char option)
{
    switch (option) {
    case kBinary: return 0;
    case kSuppressGoAhead: return 1;
    case kComPort: return 2;
    default: return -1;
    }
}

std::string command(unsigned char verb, unsigned char option)
{
    return {char(kIac), char(verb), char(option)};
}

std::string portCommand(unsigned char code, const std::string& value)
{
    std::string bytes = {char(kIac), char(kSb), char(kComPort), char(code)};
    bytes += TelnetCodec::Escape(value.data(), value.size());
    bytes += {char(kIac), char(kSe)};
    return bytes;
}

} // namespace

TelnetCodec::TelnetCodec(uint32_t baudRate) : m_baudRate(baudRate) {}

std::string TelnetCodec::Opening()
{
    m_local[0].asked = m_local[1].asked = m_local[2].asked = true;
    m_remote[0].asked = m_remote[1].asked = true;
    return command(kWill, kBinary) + command(kDo, kBinary) + command(kWill, kSuppressGoAhead) +
           command(kDo, kSuppressGoAhead) + command(kWill, kComPort);
}

std::string TelnetCodec::Escape(const char* bytes, size_t count)
{
    std::string out;
    out.reserve(count + 8);
    for (size_t i = 0; i < count; ++i) {
        out += bytes[i];
        if (static_cast<unsigned char>(bytes[i]) == kIac)
            out += bytes[i];
    }
    return out;
}

std::string TelnetCodec::portSettings() const
{
    const std::string rate = {char(m_baudRate >> 24), char(m_baudRate >> 16), char(m_baudRate >> 8), char(m_baudRate)};
    return portCommand(kSetBaudRate, rate) + portCommand(kSetDataSize, "\x08") + portCommand(kSetParity, "\x01") +
           portCommand(kSetStopSize, "\x01") + portCommand(kSetControl, "\x01") + portCommand(kPurgeData, "\x03");
}

void TelnetCodec::Feed(const char* bytes, size_t count, std::string& data, std::string& replies)
{
    for (size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        switch (m_parse) {
        case Parse::CarriageReturn:
            // Outside binary mode CR travels as CR NUL or CR LF; the NUL is no data.
            m_parse = Parse::Data;
            if (byte == 0)
                break;
            [[fallthrough]];
        case Parse::Data:
            if (byte == kIac) {
                m_parse = Parse::Iac;
                break;
            }
            data += char(byte);
            if (byte == '\r' && !m_remote[0].on)
                m_parse = Parse::CarriageReturn;
            break;
        case Parse::Iac:
            if (byte == kIac) {
                data += char(byte);
                m_parse = Parse::Data;
            } else if (byte >= kWill) {
                m_verb = byte;
                m_parse = Parse::Verb;
            } else if (byte == kSb) {
                m_sub.clear();
                m_parse = Parse::Sub;
            } else {
                m_parse = Parse::Data; // NOP, go-ahead, data mark, break and the like: nothing to do
            }
            break;
        case Parse::Verb:
            verb(m_verb, byte, replies);
            m_parse = Parse::Data;
            break;
        case Parse::Sub:
            if (byte == kIac)
                m_parse = Parse::SubIac;
            else if (m_sub.size() < kSubLimit)
                m_sub += char(byte);
            break;
        case Parse::SubIac:
            if (byte == kIac) {
                if (m_sub.size() < kSubLimit)
                    m_sub += char(byte);
                m_parse = Parse::Sub;
            } else if (byte == kSe) {
                subnegotiation();
                m_parse = Parse::Data;
            } else {
                // An unterminated subnegotiation: drop it and take the byte as a command.
                m_parse = Parse::Iac;
                --i;
            }
            break;
        }
    }
}

void TelnetCodec::verb(unsigned char verb, unsigned char option, std::string& replies)
{
    const int at = slot(option);
    switch (verb) {
    case kDo: // the server asks us to use an option
        if (at < 0) {
            replies += command(kWont, option);
            break;
        }
        if (!m_local[at].on && !m_local[at].asked)
            replies += command(kWill, option);
        m_local[at] = {true, false};
        if (option == kComPort && !m_settingsSent) {
            m_settingsSent = true;
            replies += portSettings();
        }
        break;
    case kDont:
        if (at < 0)
            break;
        if (m_local[at].on)
            replies += command(kWont, option);
        m_local[at] = {false, false};
        if (option == kComPort && m_state == State::Negotiating)
            m_state = State::Refused;
        break;
    case kWill: // the server offers to use an option
        if (at < 0 || option == kComPort) {
            replies += command(kDont, option);
            break;
        }
        if (!m_remote[at].on && !m_remote[at].asked)
            replies += command(kDo, option);
        m_remote[at] = {true, false};
        break;
    case kWont:
        if (at < 0 || option == kComPort)
            break;
        if (m_remote[at].on)
            replies += command(kDont, option);
        m_remote[at] = {false, false};
        break;
    default:
        break;
    }
}

void TelnetCodec::subnegotiation()
{
    if (m_sub.size() < 2 || static_cast<unsigned char>(m_sub[0]) != kComPort)
        return;
    if (static_cast<unsigned char>(m_sub[1]) == kServerOffset + kSetBaudRate && m_sub.size() >= 6) {
        m_remoteBaud = 0;
        for (size_t i = 2; i < 6; ++i)
            m_remoteBaud = (m_remoteBaud << 8) | static_cast<unsigned char>(m_sub[i]);
        if (m_state == State::Negotiating)
            m_state = State::Ready;
    }
    // Line and modem state notices, signatures and the other answers carry nothing we use.
}
