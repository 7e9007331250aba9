#include "CommLink.h"

#include "Deadline.h"
#include "LinkEvents.h"
#include "NetworkPort.h"
#include "SerialDevices.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <iterator>

namespace {
constexpr uint32_t kBaudTable[] = {9600, 19200, 38400, 57600, 115200};
} // namespace

CommLink::CommLink(LinkEvents& events, SettingsStore* settings) : m_events(events), m_store(settings)
{
    LoadSettings();
}

// The transport goes first: its reader thread may still call back into this link.
CommLink::~CommLink()
{
    m_transport.reset();
}

SettingsStore& CommLink::Store() const
{
    return m_store ? *m_store : Settings();
}

void CommLink::LoadSettings()
{
    SettingsStore& s = Store();
    uint32_t value = 0;
    s.ReadInt(kCommunicationMode, value, 0);
    m_mode = value;
    s.ReadInt(kBaudrate, value, 9600);
    m_baudRate = value;
    s.ReadInt(kComPortNo, value, 0);
    m_comPortIndex = value;
    s.ReadInt(kCl2000DllIndex, value, 0);
    m_cl2000Index = value;
    s.ReadInt(kCl2001DllIndex, value, 0);
    m_cl2001Index = value;
    s.ReadInt(kClVer11DllIndex, value, 0);
    m_clV11Index = value;
}

void CommLink::SaveSettings()
{
    SettingsStore& s = Store();
    s.WriteInt(kCommunicationMode, m_mode);
    s.WriteInt(kBaudrate, m_baudRate);
    s.WriteInt(kComPortNo, m_comPortIndex);
    s.WriteInt(kCl2000DllIndex, m_cl2000Index);
    s.WriteInt(kCl2001DllIndex, m_cl2001Index);
    s.WriteInt(kClVer11DllIndex, m_clV11Index);
}

void CommLink::ReloadSettingsForTest()
{
    Close();
    m_transport.reset();
    LoadSettings();
}

unsigned CommLink::*CommLink::portField(unsigned mode)
{
    switch (mode) {
    case 0: return &CommLink::m_comPortIndex;
    case 1: return &CommLink::m_cl2000Index;
    case 2: return &CommLink::m_cl2001Index;
    case 3: return &CommLink::m_clV11Index;
    default: return nullptr;
    }
}

Transport* CommLink::transport()
{
    if (!portField(m_mode))
        return nullptr;
    const bool network = m_mode == 0 && m_network;
    if (!m_transport || m_transportMode != m_mode || m_transportNetwork != network) {
        m_transport.reset();
        m_transport = MakeTransport(m_mode, network, PortContext{m_store, &m_events.Notice()});
        m_transportMode = m_mode;
        m_transportNetwork = network;
        m_transport->SetArrivalNotify(transportNotify());
    }
    return m_transport.get();
}

int CommLink::Open(unsigned mode, uint32_t baudRate, unsigned index)
{
    Close();
    m_mode = mode;
    m_baudRate = baudRate;
    auto field = portField(mode);
    if (!field)
        return 0;
    this->*field = index;
    // Where the COM name is resolved: a mapped network address takes the network port.
    m_network = mode == 0 && IsNetworkAddress(Store().PortDevice("COM" + std::to_string(uint64_t(index) + 1)));
    return transport()->Open(index, baudRate);
}

int CommLink::OpenWith(unsigned mode, uint32_t baudRate)
{
    auto field = portField(mode);
    return field ? Open(mode, baudRate, this->*field) : 0;
}

int CommLink::Reopen()
{
    return OpenWith(m_mode, m_baudRate);
}

int CommLink::ChangeMode(unsigned mode)
{
    return OpenWith(mode, m_baudRate);
}

int CommLink::ChangeBaudRate(uint32_t baudRate)
{
    return OpenWith(m_mode, baudRate);
}

int CommLink::ChangePort(unsigned index)
{
    return Open(m_mode, m_baudRate, index);
}

void CommLink::Close()
{
    if (m_transport)
        m_transport->Close();
}

int CommLink::Write(const std::string& line)
{
    Transport* active = transport();
    if (!active)
        return 0;
    active->Write(line.data(), static_cast<int>(line.size()));
    std::string logged = line;
    while (!logged.empty() && (logged.back() == '\r' || logged.back() == '\n'))
        logged.pop_back();
    m_events.LogSent(logged);
    return 1;
}

int CommLink::WritePacket(const std::string& bytes, const std::string& logged)
{
    Transport* active = transport();
    if (!active)
        return 0;
    active->Write(bytes.data(), static_cast<int>(bytes.size()));
    m_events.LogSent(logged);
    return 1;
}

int CommLink::Read(char* buffer, int count, uint32_t timeoutMs)
{
    if (count < 1)
        return 0;
    if (Transport* active = transport())
        return active->Read(buffer, count, timeoutMs);
    Deadline(timeoutMs).sleepUntil();
    return 0;
}

bool CommLink::WaitReadable(uint32_t timeoutMs)
{
    if (Transport* active = transport())
        return active->WaitReadable(timeoutMs);
    Deadline(timeoutMs).sleepUntil();
    return false;
}

bool CommLink::WaitLineEnd(uint32_t timeoutMs)
{
    if (Transport* active = transport())
        return active->WaitLineEnd(timeoutMs);
    Deadline(timeoutMs).sleepUntil();
    return false;
}

void CommLink::SetArrivalNotify(std::function<void()> notify)
{
    m_arrivalNotify = std::move(notify);
    if (m_transport)
        m_transport->SetArrivalNotify(transportNotify());
}

std::function<void()> CommLink::transportNotify()
{
    if (!m_arrivalNotify)
        return nullptr;
    return [this, notify = m_arrivalNotify] {
        if (!m_exchangeWaiting.load(std::memory_order_acquire))
            notify();
    };
}

int CommLink::PortCount()
{
    Transport* active = transport();
    return active ? active->PortCount() : 0;
}

std::string CommLink::PortName(int index)
{
    Transport* active = transport();
    return active ? active->PortName(index) : "ERROR";
}

std::string CommLink::SelectedPortText()
{
    const std::string name = PortName(static_cast<int>(SelectedPort()));
    if (m_mode != 0)
        return name;
    return name + " (" + DescribePortDevice(Store().PortDevice(name)).path + ")";
}

unsigned CommLink::SelectedPort() const
{
    auto field = portField(m_mode);
    return field ? this->*field : 0;
}

uint32_t CommLink::IndexToBaud(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(kBaudTable)))
        return kBaudTable[0];
    return kBaudTable[index];
}

int CommLink::BaudToIndex(uint32_t baudRate)
{
    for (int i = 0; i < static_cast<int>(std::size(kBaudTable)); ++i)
        if (kBaudTable[i] == baudRate)
            return i;
    return 0;
}
