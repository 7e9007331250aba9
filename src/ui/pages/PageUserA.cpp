// Page 0, "User A": triggering, acquisition, gain, exposure, image format and the other
// everyday settings.
#include "PageData.h"

using namespace page;

namespace {
constexpr const char* kOffOn = "Off|On";
constexpr const char* kAutoModes = "Off|Continuous|Once";

const PageItem kItems[] = {
    group("Trigger control Operation"),
    list(1341, "Mode", kOffOn),
    list(1349, "Trigger Source", "0=0|1=1|2=2|10=10|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27"),
    list(1350, "Trigger Activation", "Rising Edge|Falling Edge"),
    list(1352, "Trigger Overlap", "Off|Read Out"),
    number(1382, 3601, "TriggerDelay"),
    button(1882, "Soft Trigger", kWide),

    group("Acquisition control Operation"),
    number(1363, 1364, "Total Frame  Period"),

    group("Exposure Control Operation"),
    list(1368, "ExposureTimeMode", "Common|Individual"),
    list(1337, "Exposure Mode", "OFF|Timed|Trigger width"),
    list(2538, "Exposure Auto", kAutoModes),
    list(2541, "Exposure Mode Option", kOffOn),

    group("Exposure Time"),
    number(1338, 1339, "Common"),
    number(1343, 1344, "Red"),
    number(1345, 1346, "Green"),
    number(1347, 1348, "Blue"),


    group("Alc Reference"),
    number(1366, 3609),

    column(),
    group("Gain"),
    list(2542, "Individual Gain Mode", kOffOn, kExtraLabel),
    list(2539, "Gain Auto", kAutoModes, kExtraLabel, 1020),

    group("Manual"),
    number(1055, 1059, "Analog All", kExtraLabel),
    number(1782, 3602, "Digital Red", kExtraLabel),
    number(1786, 3603, "Digital Blue", kExtraLabel),
    number(1787, 3604, "Gain Red", kExtraLabel),
    number(1789, 1796, "Gain Green", kExtraLabel),
    number(1791, 3605, "Gain Blue", kExtraLabel),

    group("AGC Continuous"),
    number(1369, 1373, "Maximum Gain"),
    number(1370, 1374, "Minimum Gain"),

    group("Balance White Auto", 1843),
    list(1580, "Auto Switch",
         "Off=0|Continuous=1|Once=2|ExposureContinuous=3|ExposureOnce=4|Preset3200K=5|Preset5000K=6|Preset6500K=7|Preset7500K=8",
         kExtraLabel, 1803),
    box(2904, "Status", kExtraLabel),

    group("Black Level"),
    number(1797, 3606, "All", kExtraLabel),
    number(1754, 3607, "Red", kExtraLabel),
    number(1759, 3608, "Blue", kExtraLabel),

    column(),
    group("Image format Operation"),
    list(2870, "Sensor Digitization Taps", "10=10|12=12"),
    list(1407, "ClConfiguration", "Base=0|Medium=1|Full=2|Eighty-Bit=3"),
    list(1354, "Pixel Format", "RGB8=3"),
    number(2513, 2514, "Offset X"),
    number(2515, 2516, "Width"),
    number(1357, 1358, "Offset Y", kExtraLabel),
    number(1359, 1579, "Height", kExtraLabel),
    list(1406, "H Binning", "Off|x2", kExtraLabel),
    list(1408, "V Binning", "Off|x2", kExtraLabel),

    group("Binning Mode"),
    list(2661, "Horizontal", "Sum|Average", kExtraLabel),
    list(2664, "Vertical", "Sum|Average", kExtraLabel),

    group("CL Clock Frequency"),
    list(2573, nullptr, "37.1MHz=0|74.3MHz=1|84.9MHz=2"),

    group("Video Process Bypass"),
    list(2594, nullptr, kOffOn),

    column(),
    group("Test Image Selector"),
    list(1386, nullptr, "Off|Black|White|Gray Ramp|Horizontal Colorbar|Vertical Colorbar|Moving Colorbar"),

    group("ASC Continuous"),
    number(1376, 1379, "Exposure time auto Max"),
    number(1377, 1380, "Exposure time auto Min"),

    group("Temperature"),
    box(1134),
    label(0, "C", kSameRow),
    button(1432, "Get", kSameRow),
};
} // namespace

extern const PageDef kPageUserA = {112, "User A", false, kItems, int(std::size(kItems))};
