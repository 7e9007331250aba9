#include "ClSerial2000.h"

#include "SettingsStore.h"

#include <array>

namespace {
constexpr std::array<const char*, 4> kEntryNames = {"clSerialInit", "clSerialClose", "clSerialRead",
                                                    "clSerialWrite"};
}

int ClSerial2000::Enumerate()
{
    m_ports = ClScanFolder(settings().ClLibraryFolder(), "libclser*.so");
    return static_cast<int>(m_ports.size());
}

int ClSerial2000::Open(int index)
{
    Close();
    // A stored selection opened before any list was built (start-up) still finds its file.
    if (m_ports.empty())
        Enumerate();
    std::string name = PortName(index);
    if (name.empty())
        return 0;
    std::array<void*, kEntryNames.size()> entries {};
    if (!m_library.Load(settings().ClLibraryFolder() + "/" + name, kEntryNames, entries))
        return 0;
    ClAssignEntries(entries, &m_serialInit, &m_serialClose, &m_serialRead, &m_serialWrite);
    return InitPort(static_cast<uint32_t>(index));
}

int ClSerial2000::SetBaudRate(uint32_t baudRate)
{
    if (baudRate == 9600)
        return 1;
    showBaudRateRefusal("Selected baud rate is not supported.");
    return 0;
}
