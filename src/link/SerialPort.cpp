#include "SerialPort.h"

std::string SerialPort::PortName(int index) const
{
    if (index < 0 || index >= kPortCount)
        return "ERROR";
    return "COM" + std::to_string(index + 1);
}

int SerialPort::Open(unsigned index, uint32_t baudRate)
{
    // Any index names a port here; only the list offered stops at COM32.
    return Open("COM" + std::to_string(uint64_t(index) + 1), baudRate, 8, 0, 0, 0);
}

void SerialPort::ResetRing()
{
    if (m_reader.active())
        m_receive.ring().discard();
    else
        m_receive.ring().reset();
}
