#pragma once
// The serial ports of the simulated camera's Camera Link libraries. Each port is one
// simulated camera (a SimSession) behind a line paced as SimWire describes; the camera is
// powered on at the first clSerialInit of its port and lives while the library is loaded.
//
// The environment configures the cameras when they power on:
//   LUMORA_CAMSIM_LOG   the JSON-lines traffic log (as lumora-camsim --log); every port of
//                       the process appends to it
//   LUMORA_CAMSIM_ARGS  further lumora-camsim options separated by blanks, e.g.
//                       "--model KT-5200W-QBCL --latency-ms 2"; --baud N turns pacing on, at
//                       N bit/s until clSetBaudRate picks another rate
//
// Every entry point of the three libraries is a thin wrapper around these functions.
#include "ClSerialApi.h"

namespace simcl {

// The rates the simulated grabbers can run the serial line at (9600 to 115200).
constexpr uint32_t kSupportedBaudBits = 31;

int32_t SerialInit(uint32_t portCount, uint32_t serialIndex, hSerRef* serialRefPtr);
int32_t SerialClose(hSerRef serialRef);
int32_t SerialRead(hSerRef serialRef, char* buffer, uint32_t* numBytes, uint32_t timeoutMs);
int32_t SerialWrite(hSerRef serialRef, const char* buffer, uint32_t* numBytes, uint32_t timeoutMs);
int32_t GetSupportedBaudRates(hSerRef serialRef, uint32_t* baudRates);
int32_t SetBaudRate(hSerRef serialRef, uint32_t baudRate);
int32_t GetNumBytesAvail(hSerRef serialRef, uint32_t* numBytes);
int32_t FlushPort(hSerRef serialRef);
int32_t GetErrorText(int32_t errorCode, char* text, uint32_t* textBytes);
// Copies text with its terminating zero into a buffer of *size bytes; *size becomes the
// bytes needed when it does not fit.
int32_t CopyText(const char* text, char* buffer, uint32_t* size);

} // namespace simcl

#define SIMCL_EXPORT extern "C" __attribute__((visibility("default")))
