#include "Transport.h"

#include "ClSerial2000.h"
#include "ClSerial2001.h"
#include "ClSerialV11.h"
#include "NetworkPort.h"
#include "SerialPort.h"
#include "SettingsStore.h"
#include "UserNotice.h"

SettingsStore& Transport::settings() const
{
    return m_context.settings ? *m_context.settings : Settings();
}

UserNotice& Transport::notice() const
{
    return m_context.notice ? *m_context.notice : StandardErrorNotice();
}

namespace {

std::unique_ptr<Transport> make(unsigned mode, bool network)
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

} // namespace

std::unique_ptr<Transport> MakeTransport(unsigned mode, bool network, PortContext context)
{
    std::unique_ptr<Transport> transport = make(mode, network);
    if (transport)
        transport->SetContext(context);
    return transport;
}
