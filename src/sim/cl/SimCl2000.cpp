// libclsersim.so: the simulated camera behind the entry points of the first Camera Link serial
// interface (one library per vendor). The tool passes its list index as the serial index, so
// the library answers on several indexes, each a camera of its own.
#include "SimClPorts.h"

#include <type_traits>

namespace {
constexpr uint32_t kPorts = 8;
}

SIMCL_EXPORT int32_t clSerialInit(uint32_t serialIndex, hSerRef* serialRefPtr)
{
    return simcl::SerialInit(kPorts, serialIndex, serialRefPtr);
}

SIMCL_EXPORT int32_t clSerialClose(hSerRef serialRef)
{
    return simcl::SerialClose(serialRef);
}

SIMCL_EXPORT int32_t clSerialRead(hSerRef serialRef, char* buffer, uint32_t* numBytes, uint32_t timeoutMs)
{
    return simcl::SerialRead(serialRef, buffer, numBytes, timeoutMs);
}

SIMCL_EXPORT int32_t clSerialWrite(hSerRef serialRef, char* buffer, uint32_t* numBytes, uint32_t timeoutMs)
{
    return simcl::SerialWrite(serialRef, buffer, numBytes, timeoutMs);
}

static_assert(std::is_same_v<decltype(clSerialInit), ClSerialInitFn>);
static_assert(std::is_same_v<decltype(clSerialClose), ClSerialCloseFn>);
static_assert(std::is_same_v<decltype(clSerialRead), ClSerialReadFn>);
static_assert(std::is_same_v<decltype(clSerialWrite), ClSerialWriteFn>);
