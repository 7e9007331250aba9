// libclserial.so: the simulated camera behind the 2001 Camera Link serial interface, which
// serves all vendors through one library. There is one vendor with one port.
#include "SimClPorts.h"

#include <cstring>
#include <mutex>
#include <type_traits>

namespace {
constexpr const char* kManufacturer = "Lumora Simulator";
constexpr uint32_t kVersion = 2;
std::mutex g_mutex;
bool g_selected = false;
}

SIMCL_EXPORT int32_t clGetNumManufacturers(uint32_t* count)
{
    if (!count)
        return kClErrInvalidReference;
    *count = 1;
    return kClNoError;
}

SIMCL_EXPORT int32_t clGetManufacturer(uint32_t index, char* name, uint32_t* nameBytes, uint32_t* version)
{
    if (index != 0)
        return kClErrInvalidIndex;
    if (version)
        *version = kVersion;
    return simcl::CopyText(kManufacturer, name, nameBytes);
}

SIMCL_EXPORT int32_t clSelectManufacturer(const char* name)
{
    if (!name || std::strcmp(name, kManufacturer) != 0)
        return kClErrManufacturerDoesNotExist;
    std::lock_guard lock(g_mutex);
    g_selected = true;
    return kClNoError;
}

SIMCL_EXPORT int32_t clGetNumSerialPorts(uint32_t* count)
{
    if (!count)
        return kClErrInvalidReference;
    *count = 1;
    return kClNoError;
}

SIMCL_EXPORT int32_t clGetSerialPortIdentifier(uint32_t serialIndex, char* portId, uint32_t* idBytes)
{
    if (serialIndex != 0)
        return kClErrInvalidIndex;
    return simcl::CopyText("Port 0", portId, idBytes);
}

SIMCL_EXPORT int32_t clSerialInit(uint32_t serialIndex, hSerRef* serialRefPtr)
{
    {
        std::lock_guard lock(g_mutex);
        if (!g_selected)
            return kClErrManufacturerDoesNotExist;
    }
    return simcl::SerialInit(1, serialIndex, serialRefPtr);
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

SIMCL_EXPORT int32_t clGetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates)
{
    return simcl::GetSupportedBaudRates(serialRef, baudRates);
}

SIMCL_EXPORT int32_t clSetBaudRate(hSerRef serialRef, uint32_t baudRate)
{
    return simcl::SetBaudRate(serialRef, baudRate);
}

SIMCL_EXPORT int32_t clGetErrorText(int32_t errorCode, char* text, uint32_t* textBytes)
{
    return simcl::GetErrorText(errorCode, text, textBytes);
}

static_assert(std::is_same_v<decltype(clGetManufacturer), ClGetManufacturerFn>);
static_assert(std::is_same_v<decltype(clGetNumManufacturers), ClGetNumManufacturersFn>);
static_assert(std::is_same_v<decltype(clSelectManufacturer), ClSelectManufacturerFn>);
static_assert(std::is_same_v<decltype(clGetNumSerialPorts), ClGetNumSerialPortsFn>);
static_assert(std::is_same_v<decltype(clGetSerialPortIdentifier), ClGetSerialPortIdentifierFn>);
static_assert(std::is_same_v<decltype(clSerialInit), ClSerialInitFn>);
static_assert(std::is_same_v<decltype(clSerialClose), ClSerialCloseFn>);
static_assert(std::is_same_v<decltype(clSerialRead), ClSerialReadFn>);
static_assert(std::is_same_v<decltype(clSerialWrite), ClSerialWriteFn>);
static_assert(std::is_same_v<decltype(clGetSupportedBaudRates), ClGetSupportedBaudRatesFn>);
static_assert(std::is_same_v<decltype(clSetBaudRate), ClSetBaudRateFn>);
static_assert(std::is_same_v<decltype(clGetErrorText), ClGetErrorTextFn>);
