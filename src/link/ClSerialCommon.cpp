#include "ClSerialCommon.h"

#include "Deadline.h"
#include "UserNotice.h"

#include <algorithm>

namespace {
constexpr uint32_t kWriteTimeoutMs = 500;
constexpr std::chrono::milliseconds kReadSlice{10};
} // namespace

ClSerialCommon::~ClSerialCommon()
{
    ClSerialCommon::Close();
}

std::string ClSerialCommon::PortName(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_ports.size())
        return {};
    return m_ports[static_cast<size_t>(index)];
}

int ClSerialCommon::InitPort(uint32_t serialIndex)
{
    hSerRef ref = nullptr;
    if (m_serialInit(serialIndex, &ref) != kClNoError) {
        m_library.Unload();
        return 0;
    }
    m_serialRef = ref;
    m_open = true;
    m_lost = false;
    return 1;
}

int ClSerialCommon::WriteBytes(const char* bytes, int count, uint32_t timeoutMs)
{
    if (!m_open || count < 0)
        return 0;
    uint32_t n = static_cast<uint32_t>(count);
    // The standard's write takes a non-const buffer; the libraries only read from it.
    const int32_t status = m_serialWrite(m_serialRef, const_cast<char*>(bytes), &n, timeoutMs);
    if (status != kClNoError && status != kClErrTimeout)
        m_lost = true;
    return status == kClNoError ? 1 : 0;
}

int ClSerialCommon::ReadBytes(char* buffer, int count, uint32_t timeoutMs)
{
    if (!m_open || count <= 0)
        return 0;
    uint32_t n = static_cast<uint32_t>(count);
    const int32_t status = m_serialRead(m_serialRef, buffer, &n, timeoutMs);
    if (status != kClNoError) {
        if (status != kClErrTimeout)
            m_lost = true;
        return 0;
    }
    // A library that claims more than was asked for must not make the caller read past
    // what it owns.
    return static_cast<int>(std::min<uint32_t>(n, static_cast<uint32_t>(count)));
}

void ClSerialCommon::Close()
{
    m_pending.clear();
    if (m_open) {
        m_serialClose(m_serialRef);
        m_serialRef = nullptr;
        m_open = false;
    }
    m_library.Unload();
}

int ClSerialCommon::Open(unsigned index, uint32_t baudRate)
{
    if (!Open(static_cast<int>(index)))
        return 0;
    return SetBaudRate(baudRate);
}

int ClSerialCommon::Write(const char* bytes, int count)
{
    return WriteBytes(bytes, count, kWriteTimeoutMs);
}

// The library's usual 10 ms per byte, but never past the caller's deadline, so a read with
// time-out 0 (the idle receive path on the user-interface thread) only looks once.
int ClSerialCommon::Read(char* buffer, int count, uint32_t timeoutMs)
{
    const Deadline deadline(timeoutMs);
    if (!m_open) {
        deadline.sleepUntil();
        return 0;
    }
    int got = 0;
    while (got < count && !m_pending.empty()) {
        buffer[got++] = m_pending.front();
        m_pending.erase(m_pending.begin());
    }
    for (;;) {
        if (got >= count)
            return got;
        got += ReadBytes(buffer + got, 1, deadline.leftMs(kReadSlice));
        if (got >= count || deadline.passed())
            return got;
    }
}

bool ClSerialCommon::WaitReadable(uint32_t timeoutMs)
{
    const Deadline deadline(timeoutMs);
    if (!m_pending.empty())
        return true;
    if (!m_open) {
        deadline.sleepUntil();
        return false;
    }
    for (;;) {
        char byte = 0;
        if (ReadBytes(&byte, 1, deadline.leftMs(kReadSlice)) == 1) {
            m_pending.push_back(byte);
            return true;
        }
        if (deadline.passed())
            return false;
    }
}

int ClSerialCommon::SetRateFromSupported(uint32_t baudRate, ClGetSupportedBaudRatesFn* supported,
                                         ClSetBaudRateFn* set, const std::string& text)
{
    if (!m_open)
        return 0;
    uint32_t bits = 0;
    uint32_t bit = ClBaudBit(baudRate);
    if (bit != 0 && supported(m_serialRef, &bits) == kClNoError && (bits & bit) != 0) {
        set(m_serialRef, bit);
        return 1;
    }
    showBaudRateRefusal(text);
    return 0;
}

void ClSerialCommon::showBaudRateRefusal(const std::string& text)
{
    notice().Message(text, "", NoticeIcon::Exclamation);
}
