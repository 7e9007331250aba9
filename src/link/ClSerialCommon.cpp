#include "ClSerialCommon.h"

#include "UserNotice.h"

#include <algorithm>

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
    return 1;
}

int ClSerialCommon::WriteBytes(const char* bytes, int count, uint32_t timeoutMs)
{
    if (!m_open || count < 0)
        return 0;
    uint32_t n = static_cast<uint32_t>(count);
    // The standard's write takes a non-const buffer; the libraries only read from it.
    return m_serialWrite(m_serialRef, const_cast<char*>(bytes), &n, timeoutMs) == kClNoError ? 1 : 0;
}

int ClSerialCommon::ReadBytes(char* buffer, int count, uint32_t timeoutMs)
{
    if (!m_open || count <= 0)
        return 0;
    uint32_t n = static_cast<uint32_t>(count);
    if (m_serialRead(m_serialRef, buffer, &n, timeoutMs) != kClNoError)
        return 0;
    // A library that claims more than was asked for must not make the caller read past
    // what it owns.
    return static_cast<int>(std::min<uint32_t>(n, static_cast<uint32_t>(count)));
}

void ClSerialCommon::Close()
{
    if (m_open) {
        m_serialClose(m_serialRef);
        m_serialRef = nullptr;
        m_open = false;
    }
    m_library.Unload();
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
    ClShowBaudRateRefusal(text);
    return 0;
}

void ClShowBaudRateRefusal(const std::string& text)
{
    Notices().Message(text, "", NoticeIcon::Exclamation);
}
