#pragma once
// The six press-and-hold buttons of the motor lens window: label, control id, place in the
// window (client pixels at the standard font: left, top, right, bottom), the motor and way a
// press runs, and the word the status text shows meanwhile.
#include "MotorLens.h"

#include <array>

struct MotorButton {
    const char* label;
    int ctrlId;
    int left, top, right, bottom;
    MotorLens::Motor motor;
    MotorLens::Way way;
    const char* status;
};

inline constexpr int kMotorButtonCount = 6;
extern const std::array<MotorButton, kMotorButtonCount> kMotorButtons;
