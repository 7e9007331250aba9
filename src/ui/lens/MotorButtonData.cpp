#include "MotorButtons.h"

using Motor = MotorLens::Motor;
using Way = MotorLens::Way;

const std::array<MotorButton, kMotorButtonCount> kMotorButtons = {{
    {"IRIS Open", 40001, 20, 10, 80, 40, Motor::Iris, Way::First, "Open"},
    {"IRIS Close", 40002, 90, 10, 150, 40, Motor::Iris, Way::Second, "Close"},
    {"Zoom Wide", 40003, 20, 40, 80, 70, Motor::Zoom, Way::First, "Wide"},
    {"Zoom Tele", 40004, 90, 40, 150, 70, Motor::Zoom, Way::Second, "Tele"},
    {"Focus Near", 40005, 20, 70, 80, 100, Motor::Focus, Way::First, "Near"},
    {"Focus Far", 40006, 90, 70, 150, 100, Motor::Focus, Way::Second, "Far"},
}};
