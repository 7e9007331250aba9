#include "Transport.h"

#include "ClSerial2000.h"
#include "ClSerial2001.h"
#include "ClSerialV11.h"
#include "NetworkPort.h"
#include "SerialPort.h"

std::unique_ptr<Transport> MakeTransport(unsigned mode, bool network)
{
    switch (mode) {
    case 0:
        if (network)
            return std::make_unique<NetworkPort>();
        return std::make_unique<SerialPort>();
    case 1: return std::make_unique<ClSerial2000>();
    case 2: return std::make_unique<ClSerial2001>();
    case 3: return std::make_unique<ClSerialV11>();
    default: return nullptr;
    }
}
