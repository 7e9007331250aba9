#include "NetworkPort.h"

#include "Deadline.h"
#include "SettingsStore.h"
#include "UserNotice.h"


bool IsNetworkAddress(const std::string& entry)
{
    return entry.rfind("tcp://", 0) == 0 || entry.rfind("rfc2217://", 0) == 0;
}

std::optional<NetworkAddress> ParseNetworkAddress(const std::string& entry)
{
    NetworkAddress address;
    std::string rest;
    if (entry.rfind("tcp://", 0) == 0) {
        rest = entry.substr(6);
    } else if (entry.rfind("rfc2217://", 0) == 0) {
        rest = entry.substr(10);
        address.telnet = true;
    } else {
        return std::nullopt;
    }
    const size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    address.host = rest.substr(0, colon);
    address.port = rest.substr(colon + 1);
    if (address.host.front() == '[') {
        if (address.host.size() < 3 || address.host.back() != ']')
            return std::nullopt;
        address.host = address.host.substr(1, address.host.size() - 2);
    } else if (address.host.find_first_of(":[]/") != std::string::npos) {
        return std::nullopt;
    }
    if (address.port.empty() || address.port.size() > 5 ||
        address.port.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const unsigned long number = std::stoul(address.port);
    if (number < 1 || number > 65535)
        return std::nullopt;
    return address;
}

std::string NetworkPort::PortName(int index) const
{
    if (index < 0 || index >= kPortCount)
        return "ERROR";
    return "COM" + std::to_string(index + 1);
}

int NetworkPort::Open(unsigned index, uint32_t baudRate)
{
    return Open("COM" + std::to_string(uint64_t(index) + 1), baudRate);
}

int NetworkPort::failOpen(const char* step, const std::string& portName, const std::string& cause)
{
    Close();
    notice().Message("Failed to initialize " + portName + " port!\nError in " + step + "\n" + cause, "",
                      NoticeIcon::Exclamation);
    return 0;
}

void NetworkPort::received(const char* bytes, int count)
{
    std::string data;
    const char* stored = bytes;
    if (m_telnet) {
        std::string replies;
        m_telnet->Feed(bytes, static_cast<size_t>(count), data, replies);
        if (!replies.empty())
            sendAll(replies);
        stored = data.data();
        count = static_cast<int>(data.size());
    }
    m_receive.store(stored, count);
}

int NetworkPort::Write(const char* bytes, int count)
{
    if (!IsOpen() || count < 1 || IsLost())
        return 0;
    sendAll(m_telnet ? TelnetCodec::Escape(bytes, static_cast<size_t>(count))
                     : std::string(bytes, static_cast<size_t>(count)));
    return 1; // not examined: a failed send marked the link lost
}
