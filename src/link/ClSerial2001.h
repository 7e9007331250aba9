#pragma once
// Mode 2, the Camera Link 2001 library generation: the one libclserial.so found by the
// platform's library search, which serves every installed vendor; the port list holds the
// manufacturer names.
#include "ClSerialCommon.h"

class ClSerial2001 : public ClSerialCommon {
public:
    static constexpr const char* kLibraryName = "libclserial.so";
    using ClSerialCommon::Open;

    int Enumerate() override;
    int Open(int index) override;
    int SetBaudRate(uint32_t baudRate) override;

private:
    struct Entries {
        ClGetManufacturerFn* getManufacturer = nullptr;
        ClGetNumManufacturersFn* getNumManufacturers = nullptr;
        ClSelectManufacturerFn* selectManufacturer = nullptr;
        ClGetNumSerialPortsFn* getNumSerialPorts = nullptr;
        ClGetSerialPortIdentifierFn* getSerialPortIdentifier = nullptr;
        ClSerialInitFn* serialInit = nullptr;
        ClSerialCloseFn* serialClose = nullptr;
        ClSerialReadFn* serialRead = nullptr;
        ClSerialWriteFn* serialWrite = nullptr;
        ClGetSupportedBaudRatesFn* getSupportedBaudRates = nullptr;
        ClSetBaudRateFn* setBaudRate = nullptr;
        ClGetErrorTextFn* getErrorText = nullptr;
    };
    static bool Load(ClLibrary& library, Entries& entries);

    Entries m_entries;
};
