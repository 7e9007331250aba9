// libclallserial.so: the simulated camera behind the ver. 1.1 Camera Link serial interface,
// which numbers the ports of all vendors. One vendor with two ports, a camera on each.
#include "SimClPorts.h"

#include <string>
#include <type_traits>

namespace {
constexpr const char* kManufacturer = "Lumora Simulator";
constexpr uint32_t kPorts = 2;
constexpr uint32_t kVersion = 3;
}

SIMCL_EXPORT int32_t clGetNumPorts(uint32_t* count)
{
    if (!count)
        return kClErrInvalidReference;
    *count = kPorts;
    return kClNoError;
}

SIMCL_EXPORT int32_t clGetPortInfo(uint32_t serialIndex, char* manufacturer, uint32_t* manufacturerBytes,
                                   char* portId, uint32_t* idBytes, uint32_t* version)
{
    if (serialIndex >= kPorts)
        return kClErrInvalidIndex;
    if (version)
        *version = kVersion;
    std::string id = "Port " + std::to_string(serialIndex);
    int32_t status = simcl::CopyText(kManufacturer, manufacturer, manufacturerBytes);
    int32_t idStatus = simcl::CopyText(id.c_str(), portId, idBytes);
    return status != kClNoError ? status : idStatus;
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

SIMCL_EXPORT int32_t clGetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates)
{
    return simcl::GetSupportedBaudRates(serialRef, baudRates);
}

SIMCL_EXPORT int32_t clSetBaudRate(hSerRef serialRef, uint32_t baudRate)
{
    return simcl::SetBaudRate(serialRef, baudRate);
}

SIMCL_EXPORT int32_t clGetNumBytesAvail(hSerRef serialRef, uint32_t* numBytes)
{
    return simcl::GetNumBytesAvail(serialRef, numBytes);
}

SIMCL_EXPORT int32_t clFlushPort(hSerRef serialRef)
{
    return simcl::FlushPort(serialRef);
}

SIMCL_EXPORT int32_t clGetErrorText(int32_t errorCode, char* text, uint32_t* textBytes)
{
    return simcl::GetErrorText(errorCode, text, textBytes);
}

static_assert(std::is_same_v<decltype(clGetNumPorts), ClGetNumPortsFn>);
static_assert(std::is_same_v<decltype(clGetPortInfo), ClGetPortInfoFn>);
static_assert(std::is_same_v<decltype(clSerialInit), ClSerialInitFn>);
static_assert(std::is_same_v<decltype(clSerialClose), ClSerialCloseFn>);
static_assert(std::is_same_v<decltype(clSerialRead), ClSerialReadFn>);
static_assert(std::is_same_v<decltype(clSerialWrite), ClSerialWriteFn>);
static_assert(std::is_same_v<decltype(clGetSupportedBaudRates), ClGetSupportedBaudRatesFn>);
static_assert(std::is_same_v<decltype(clSetBaudRate), ClSetBaudRateFn>);
static_assert(std::is_same_v<decltype(clGetNumBytesAvail), ClGetNumBytesAvailFn>);
static_assert(std::is_same_v<decltype(clFlushPort), ClFlushPortFn>);
static_assert(std::is_same_v<decltype(clGetErrorText), ClGetErrorTextFn>);
