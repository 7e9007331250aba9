#include "CommLink.h"

#include "ClTransport.h"
#include "LinkEvents.h"
#include "SerialPort.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <iterator>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kBaudTable[] = {9600, 19200, 38400, 57600, 115200};
constexpr uint32_t kClWriteTimeoutMs = 500;
constexpr uint32_t kClReadTimeoutMs = 10;

bool isSerialMode(unsigned mode) { return mode == 0; }
bool isClMode(unsigned mode) { return mode >= 1 && mode <= 3; }

std::chrono::milliseconds leftUntil(Clock::time_point deadline)
{
    // Rounded up, so a wait never ends just short of the deadline and loops again.
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

// The library read's time-out: its usual 10 ms, but never past the caller's deadline, so a
// read with time-out 0 (the idle receive path) only looks once and does not block.
uint32_t clReadSlice(Clock::time_point deadline)
{
    return static_cast<uint32_t>(std::min<int64_t>(kClReadTimeoutMs, leftUntil(deadline).count()));
}

// Where nothing can arrive (no valid mode, no transport) a read still takes its time-out,
// as a silent camera would, but sleeps instead of spinning.
void sleepUntil(Clock::time_point deadline)
{
    std::mutex m;
    std::condition_variable never;
    std::unique_lock<std::mutex> lock(m);
    never.wait_until(lock, deadline, [] { return false; });
}

} // namespace

CommLink& CommLink::Instance()
{
    static CommLink link;
    return link;
}

CommLink::CommLink()
{
    LoadSettings();
}

CommLink::~CommLink()
{
    SaveSettings();
}

void CommLink::LoadSettings()
{
    SettingsStore& s = Settings();
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
    SettingsStore& s = Settings();
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
    m_pending.clear();
    LoadSettings();
}

int CommLink::Open(unsigned mode, uint32_t baudRate, unsigned index)
{
    Close();
    m_mode = mode;
    m_baudRate = baudRate;
    m_pending.clear();
    if (isSerialMode(mode)) {
        m_comPortIndex = index;
        std::string name = "COM" + std::to_string(uint64_t(index) + 1);
        return SerialPort::Instance().Open(name, baudRate, 8, 0, 0, 0);
    }
    if (!isClMode(mode))
        return 0;
    if (mode == 1)
        m_cl2000Index = index;
    else if (mode == 2)
        m_cl2001Index = index;
    else
        m_clV11Index = index;
    ClTransport* transport = ClTransportForMode(mode);
    if (!transport || !transport->Open(static_cast<int>(index)))
        return 0;
    return transport->SetBaudRate(baudRate);
}

int CommLink::OpenWith(unsigned mode, uint32_t baudRate)
{
    switch (mode) {
    case 0: return Open(mode, baudRate, m_comPortIndex);
    case 1: return Open(mode, baudRate, m_cl2000Index);
    case 2: return Open(mode, baudRate, m_cl2001Index);
    case 3: return Open(mode, baudRate, m_clV11Index);
    default: return 0;
    }
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
    m_pending.clear();
    if (isSerialMode(m_mode)) {
        SerialPort::Instance().Close();
    } else if (isClMode(m_mode)) {
        if (ClTransport* transport = ClTransportForMode(m_mode))
            transport->Close();
    }
}

int CommLink::Write(const std::string& line)
{
    if (isSerialMode(m_mode)) {
        SerialPort::Instance().Write(line.data(), static_cast<int>(line.size()));
    } else if (isClMode(m_mode)) {
        if (ClTransport* transport = ClTransportForMode(m_mode))
            transport->WriteBytes(line.data(), static_cast<int>(line.size()), kClWriteTimeoutMs);
    } else {
        return 0;
    }
    std::string logged = line;
    while (!logged.empty() && (logged.back() == '\r' || logged.back() == '\n'))
        logged.pop_back();
    LinkEvents::Instance().LogSent(logged);
    return 1;
}

int CommLink::Read(char* buffer, int count, uint32_t timeoutMs)
{
    if (count < 1)
        return 0;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int got = 0;
    if (isSerialMode(m_mode)) {
        SerialPort& port = SerialPort::Instance();
        for (;;) {
            got += port.Read(buffer + got, count - got);
            if (got >= count || Clock::now() >= deadline)
                return got;
            port.WaitAvailable(leftUntil(deadline));
        }
    }
    ClTransport* transport = isClMode(m_mode) ? ClTransportForMode(m_mode) : nullptr;
    if (!transport || !transport->IsOpen()) {
        sleepUntil(deadline);
        return 0;
    }
    while (got < count && !m_pending.empty()) {
        buffer[got++] = m_pending.front();
        m_pending.erase(m_pending.begin());
    }
    for (;;) {
        if (got >= count)
            return got;
        got += transport->ReadBytes(buffer + got, 1, clReadSlice(deadline));
        if (got >= count || Clock::now() >= deadline)
            return got;
    }
}

bool CommLink::WaitReadable(uint32_t timeoutMs)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    if (isSerialMode(m_mode))
        return SerialPort::Instance().WaitAvailable(std::chrono::milliseconds(timeoutMs));
    if (!m_pending.empty())
        return true;
    ClTransport* transport = isClMode(m_mode) ? ClTransportForMode(m_mode) : nullptr;
    if (!transport || !transport->IsOpen()) {
        sleepUntil(deadline);
        return false;
    }
    // The library cannot be asked whether a byte is waiting: read one and keep it for Read.
    for (;;) {
        char byte = 0;
        if (transport->ReadBytes(&byte, 1, clReadSlice(deadline)) == 1) {
            m_pending.push_back(byte);
            return true;
        }
        if (Clock::now() >= deadline)
            return false;
    }
}

void CommLink::SetArrivalNotify(std::function<void()> notify)
{
    SerialPort::Instance().SetArrivalNotify(std::move(notify));
}

int CommLink::PortCount()
{
    if (isSerialMode(m_mode))
        return SerialPort::PortCount();
    if (ClTransport* transport = isClMode(m_mode) ? ClTransportForMode(m_mode) : nullptr)
        return transport->Enumerate();
    return 0;
}

std::string CommLink::PortName(int index)
{
    if (isSerialMode(m_mode))
        return SerialPort::PortName(index);
    if (!isClMode(m_mode))
        return "ERROR";
    ClTransport* transport = ClTransportForMode(m_mode);
    return transport ? transport->PortName(index) : std::string();
}

unsigned CommLink::SelectedPort() const
{
    switch (m_mode) {
    case 0: return m_comPortIndex;
    case 1: return m_cl2000Index;
    case 2: return m_cl2001Index;
    case 3: return m_clV11Index;
    default: return 0;
    }
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

int CommLink::Connect()
{
    if (!Reopen()) {
        Notices().Message("Failed to initialize!", "", NoticeIcon::Exclamation);
        return 0;
    }
    return m_modelCheck ? m_modelCheck() : 1;
}
