#pragma once
// Mode 3, the Camera Link 1.1 library generation: the one libclallserial.so found by the
// platform's library search, which numbers the ports of all installed vendors; the port list
// holds "manufacturer - port identifier" per port.
#include "ClSerialCommon.h"

class ClSerialV11 : public ClSerialCommon {
public:
    static constexpr const char* kLibraryName = "libclallserial.so";
    using ClSerialCommon::Open;

    int Enumerate() override;
    int Open(int index) override;
    int SetBaudRate(uint32_t baudRate) override;

private:
    struct Entries {
        ClFlushPortFn* flushPort = nullptr;
        ClGetErrorTextFn* getErrorText = nullptr;
        ClGetNumPortsFn* getNumPorts = nullptr;
        ClGetNumBytesAvailFn* getNumBytesAvail = nullptr;
        ClGetPortInfoFn* getPortInfo = nullptr;
        ClGetSupportedBaudRatesFn* getSupportedBaudRates = nullptr;
        ClSerialCloseFn* serialClose = nullptr;
        ClSerialInitFn* serialInit = nullptr;
        ClSerialReadFn* serialRead = nullptr;
        ClSerialWriteFn* serialWrite = nullptr;
        ClSetBaudRateFn* setBaudRate = nullptr;
    };
    static bool Load(ClLibrary& library, Entries& entries);

    Entries m_entries;
    int m_openIndex = -1;
};
