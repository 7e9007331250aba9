#include "ClSerial2001.h"

#include <array>
#include <cstring>

namespace {
constexpr std::array<const char*, 12> kEntryNames = {
    "clGetManufacturer", "clGetNumManufacturers", "clSelectManufacturer", "clGetNumSerialPorts",
    "clGetSerialPortIdentifier", "clSerialInit", "clSerialClose", "clSerialRead",
    "clSerialWrite", "clGetSupportedBaudRates", "clSetBaudRate", "clGetErrorText"};
constexpr uint32_t kNameBytes = 128;
}

bool ClSerial2001::Load(ClLibrary& library, Entries& e)
{
    std::array<void*, kEntryNames.size()> raw {};
    if (!library.Load(ClFindLibrary(kLibraryName), kEntryNames, raw))
        return false;
    ClAssignEntries(raw, &e.getManufacturer, &e.getNumManufacturers, &e.selectManufacturer,
                    &e.getNumSerialPorts, &e.getSerialPortIdentifier, &e.serialInit, &e.serialClose,
                    &e.serialRead, &e.serialWrite, &e.getSupportedBaudRates, &e.setBaudRate,
                    &e.getErrorText);
    return true;
}

int ClSerial2001::Enumerate()
{
    // A load of its own: an open port keeps its library however this one ends.
    ClLibrary library;
    Entries e;
    if (!Load(library, e))
        return static_cast<int>(m_ports.size());
    m_ports.clear();
    uint32_t count = 0;
    if (e.getNumManufacturers(&count) == kClNoError) {
        for (uint32_t i = 0; i < count; ++i) {
            char name[kNameBytes + 1] = {};
            uint32_t size = kNameBytes;
            uint32_t version = 0;
            if (e.getManufacturer(i, name, &size, &version) == kClNoError)
                m_ports.emplace_back(name, strnlen(name, kNameBytes));
        }
    }
    return static_cast<int>(m_ports.size());
}

int ClSerial2001::Open(int index)
{
    Close();
    // A stored selection opened before any list was built (start-up) still names its vendor.
    if (m_ports.empty())
        Enumerate();
    if (!Load(m_library, m_entries))
        return 0;
    m_serialInit = m_entries.serialInit;
    m_serialClose = m_entries.serialClose;
    m_serialRead = m_entries.serialRead;
    m_serialWrite = m_entries.serialWrite;
    if (m_entries.selectManufacturer(PortName(index).c_str()) != kClNoError) {
        m_library.Unload();
        return 0;
    }
    return InitPort(static_cast<uint32_t>(index));
}

int ClSerial2001::SetBaudRate(uint32_t baudRate)
{
    return SetRateFromSupported(baudRate, m_entries.getSupportedBaudRates, m_entries.setBaudRate,
                                "Selected baud rate is not supported.");
}
