#pragma once
// The C interface of the Camera Link serial libraries, as this program calls it: one function
// type per entry point, the status codes, and the baud-rate bit values. The transports call
// through pointers of these types; the simulated camera's libraries export functions of
// exactly these types, so one mistake cannot hide on both sides.
#include <cstdint>
#include <initializer_list>

using hSerRef = void*;

using ClSerialInitFn = int32_t(uint32_t serialIndex, hSerRef* serialRefPtr);
using ClSerialCloseFn = int32_t(hSerRef serialRef);
// numBytes: in the bytes wanted (or to write), out the bytes read (or written).
using ClSerialReadFn = int32_t(hSerRef serialRef, char* buffer, uint32_t* numBytes, uint32_t timeoutMs);
using ClSerialWriteFn = int32_t(hSerRef serialRef, char* buffer, uint32_t* numBytes, uint32_t timeoutMs);
using ClGetManufacturerFn = int32_t(uint32_t index, char* name, uint32_t* nameBytes, uint32_t* version);
using ClGetNumManufacturersFn = int32_t(uint32_t* count);
using ClSelectManufacturerFn = int32_t(const char* name);
using ClGetNumSerialPortsFn = int32_t(uint32_t* count);
using ClGetSerialPortIdentifierFn = int32_t(uint32_t serialIndex, char* portId, uint32_t* idBytes);
using ClGetSupportedBaudRatesFn = int32_t(hSerRef serialRef, uint32_t* baudRates);
using ClSetBaudRateFn = int32_t(hSerRef serialRef, uint32_t baudRate);
using ClGetErrorTextFn = int32_t(int32_t errorCode, char* text, uint32_t* textBytes);
using ClFlushPortFn = int32_t(hSerRef serialRef);
using ClGetNumPortsFn = int32_t(uint32_t* count);
using ClGetNumBytesAvailFn = int32_t(hSerRef serialRef, uint32_t* count);
using ClGetPortInfoFn = int32_t(uint32_t serialIndex, char* manufacturer, uint32_t* manufacturerBytes,
                                char* portId, uint32_t* idBytes, uint32_t* version);

// Status codes of the standard; anything but kClNoError is a failure.
enum : int32_t {
    kClNoError = 0,
    kClErrBufferTooSmall = -10001,
    kClErrManufacturerDoesNotExist = -10002,
    kClErrPortInUse = -10003,
    kClErrTimeout = -10004,
    kClErrInvalidIndex = -10005,
    kClErrInvalidReference = -10006,
    kClErrErrorNotFound = -10007,
    kClErrBaudRateNotSupported = -10008,
    kClErrOutOfMemory = -10009,
    kClErrUnableToLoadLibrary = -10098,
    kClErrFunctionNotFound = -10099,
};

// The bit value that stands for a baud rate in clGetSupportedBaudRates and clSetBaudRate;
// 0 for a rate the standard does not name.
constexpr uint32_t ClBaudBit(uint32_t baudRate)
{
    switch (baudRate) {
    case 9600: return 1;
    case 19200: return 2;
    case 38400: return 4;
    case 57600: return 8;
    case 115200: return 16;
    case 230400: return 32;
    case 460800: return 64;
    case 921600: return 128;
    default: return 0;
    }
}

// The rate a bit value stands for; 0 unless exactly one known bit is set.
constexpr uint32_t ClBaudFromBit(uint32_t bit)
{
    for (uint32_t rate : {9600u, 19200u, 38400u, 57600u, 115200u, 230400u, 460800u, 921600u})
        if (ClBaudBit(rate) == bit)
            return rate;
    return 0;
}
