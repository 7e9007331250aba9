#pragma once
// The typed value of one command table entry, as it is set on and read from the camera.
#include <cstdint>
#include <string>

struct CommandValue {
    int32_t valueKind = 0; // 0 integer, 1 decimal, 2 text
    int32_t intValue = 0;
    double decimalValue = 0.0;
    std::string textValue;
};
