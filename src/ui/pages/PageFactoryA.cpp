// Page 6, "Factory A": factory gain and black level, blemish compensation, identity and the
// camera's serial port; shown only in the factory control mode.
#include "PageData.h"

using namespace page;

namespace {
const PageItem kItems[] = {
    group("Factory Gain"),
    number(2825, 3654, "Factory Gain Analog All"),
    number(2827, 3655, "Factory Gain Digital All"),
    number(2829, 3656, nullptr),
    number(2831, 3657, nullptr),
    number(2833, 3658, nullptr),
    number(2835, 3659, nullptr),

    group("Black Level for Factory"),
    number(2837, 3660, "Factroy Black Offset All"),
    number(2411, 3661, "Factroy Black Level Raw All"),
    number(2839, 3662, nullptr),
    number(2841, 3663, nullptr),
    number(2843, 3664, nullptr),
    number(2845, 3665, nullptr),

    group("Temperature Factor"),
    number(2708, 3666),

    group("Boot Area Set"),
    list(1470, nullptr, "0|1|2|3"),

    column(),
    group("Blemish White"),
    number(2555, 3667, "Threshold"),
    button(2553, "ReCalibrate", kWide),

    group("Horizontal"),
    number(2557, 1567, "No"),
    number(2559, 3668, "H Position"),
    button(2561, "Write", kWide),
    button(2562, "Read", kSameRow),

    group("Vertical"),
    number(2563, 1569, "No"),
    number(2565, 3669, "V Position"),
    button(2567, "Write", kWide),
    button(2568, "Read", kSameRow),

    group("Compensation number"),
    box(2586),
    button(2584, "Read", kSameRow),

    column(),
    group("Blemish Black"),
    number(1448, 3670),
    button(1650, "ReCalibrate", kWide),

    group("Horizontal"),
    number(1452, 1547, "No"),
    number(1457, 3671, "H Position"),
    button(1520, "Write", kWide),
    button(1522, "Read", kSameRow),

    group("Vertical"),
    number(1461, 1549, "No"),
    number(1465, 3672, "V Position"),
    button(1523, "Write", kWide),
    button(1524, "Read", kSameRow),

    group("Compensation number"),
    box(2590),
    button(2588, "Read", kSameRow),

    column(),
    group("DeviceSerialPort"),
    list(1422, "Baud Rate", "Baud9600=1|Baud19200=2|Baud38400=4|Baud57600=8|Baud115200=16"),

    group("HightSpeedCom Mode"),
    check(2876, "Hight Speed ON", nullptr, kWide),

    group("SupportedBaudRate"),
    box(2898, nullptr, kText),

    group("Camera Model"),
    list(1855, nullptr, nullptr),
    button(1016, "Set", kSameRow),

    group("XML Version"),
    number(2602, 0, nullptr, kNarrow),
    label(0, ".", kSameRow),
    number(2603, 0, nullptr, kSameRow | kNarrow),
    label(0, ".", kSameRow),
    number(2604, 0, nullptr, kSameRow | kNarrow),
    button(2606, "Write", kSameRow),
    button(2605, "Read", kSameRow),

    group(nullptr),
    button(1014, "Camera Reset", kWide),
    button(1012, "Terminal", kWide),
    button(1024, "Store All", kWide),
};
} // namespace

extern const PageDef kPageFactoryA = {107, "Factory A", true, kItems, int(std::size(kItems))};
