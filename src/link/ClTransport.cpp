#include "ClTransport.h"

#include "ClSerial2000.h"
#include "ClSerial2001.h"
#include "ClSerialV11.h"

ClTransport* ClTransportForMode(unsigned mode)
{
    switch (mode) {
    case 1: return &ClSerial2000::Instance();
    case 2: return &ClSerial2001::Instance();
    case 3: return &ClSerialV11::Instance();
    default: return nullptr;
    }
}
