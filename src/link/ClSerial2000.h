#pragma once
// Mode 1, the Camera Link 2000 library generation: one library per frame grabber vendor,
// every libclser*.so in the folder named by the settings value "Camera Link Library Folder";
// the port list holds their file names. These libraries have no rate functions, so only
// 9600 bit/s is offered.
#include "ClSerialCommon.h"

class ClSerial2000 : public ClSerialCommon {
public:
    using ClSerialCommon::Open;

    int Enumerate() override;
    int Open(int index) override;
    int SetBaudRate(uint32_t baudRate) override;
};
