#include "ClSerialV11.h"

#include <array>
#include <cstring>

namespace {
constexpr std::array<const char*, 11> kEntryNames = {
    "clFlushPort", "clGetErrorText", "clGetNumPorts", "clGetNumBytesAvail",
    "clGetPortInfo", "clGetSupportedBaudRates", "clSerialClose", "clSerialInit",
    "clSerialRead", "clSerialWrite", "clSetBaudRate"};
constexpr uint32_t kNameBytes = 128;
}

bool ClSerialV11::Load(ClLibrary& library, Entries& e)
{
    std::array<void*, kEntryNames.size()> raw {};
    if (!library.Load(ClFindLibrary(kLibraryName), kEntryNames, raw))
        return false;
    ClAssignEntries(raw, &e.flushPort, &e.getErrorText, &e.getNumPorts, &e.getNumBytesAvail,
                    &e.getPortInfo, &e.getSupportedBaudRates, &e.serialClose, &e.serialInit,
                    &e.serialRead, &e.serialWrite, &e.setBaudRate);
    return true;
}

int ClSerialV11::Enumerate()
{
    m_ports.clear();
    // A load of its own: an open port keeps its library however this one ends.
    ClLibrary library;
    Entries e;
    if (!Load(library, e))
        return 0;
    uint32_t count = 0;
    if (e.getNumPorts(&count) == kClNoError) {
        for (uint32_t i = 0; i < count; ++i) {
            char manufacturer[kNameBytes + 1] = {};
            char portId[kNameBytes + 1] = {};
            uint32_t manufacturerSize = kNameBytes;
            uint32_t idSize = kNameBytes;
            uint32_t version = 0;
            if (e.getPortInfo(i, manufacturer, &manufacturerSize, portId, &idSize, &version) != kClNoError)
                continue;
            m_ports.push_back(std::string(manufacturer, strnlen(manufacturer, kNameBytes)) + " - "
                              + std::string(portId, strnlen(portId, kNameBytes)));
        }
    }
    return static_cast<int>(m_ports.size());
}

int ClSerialV11::Open(int index)
{
    Close();
    if (!Load(m_library, m_entries))
        return 0;
    m_serialInit = m_entries.serialInit;
    m_serialClose = m_entries.serialClose;
    m_serialRead = m_entries.serialRead;
    m_serialWrite = m_entries.serialWrite;
    m_openIndex = index;
    return InitPort(static_cast<uint32_t>(index));
}

int ClSerialV11::SetBaudRate(uint32_t baudRate)
{
    std::string port = PortName(m_openIndex);
    if (port.empty())
        port = kLibraryName;
    return SetRateFromSupported(baudRate, m_entries.getSupportedBaudRates, m_entries.setBaudRate,
                                "Selected baud rate is not supported in " + port + ".");
}
