// Page 0, "User A": triggering, acquisition, gain, exposure, image format and the other
// everyday settings.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
constexpr const char* kOffOn = "Off|On";
constexpr const char* kAutoModes = "Off|Continuous|Once";

const PageItem kItems[] = {
    group("Trigger control Operation"),
    list(TriggerMode, "Mode", kOffOn),
    list(TriggerSource, "Trigger Source", "0=0|1=1|2=2|10=10|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27"),
    list(TriggerActivation, "Trigger Activation", "Rising Edge|Falling Edge"),
    list(TriggerOverlap, "Trigger Overlap", "Off|Read Out"),
    number(TriggerDelay, TriggerDelaySpin, "TriggerDelay"),
    button(SoftTrigger, "Soft Trigger", kWide),

    group("Acquisition control Operation"),
    number(FramePeriod, FramePeriodSpin, "Total Frame  Period"),

    group("Exposure Control Operation"),
    list(ExposureTimeMode, "ExposureTimeMode", "Common|Individual"),
    list(ExposureMode, "Exposure Mode", "OFF|Timed|Trigger width"),
    list(ExposureAuto, "Exposure Auto", kAutoModes),
    list(TriggerOperation, "Exposure Mode Option", kOffOn),

    group("Exposure Time"),
    number(ExposureTime, ExposureTimeSpin, "Common"),
    number(ExposureTimeRed, ExposureTimeRedSpin, "Red"),
    number(ExposureTimeGreen, ExposureTimeGreenSpin, "Green"),
    number(ExposureTimeBlue, ExposureTimeBlueSpin, "Blue"),


    group("Alc Reference"),
    number(AlcReference, AlcReferenceSpin),

    column(),
    group("Gain"),
    list(IndividualGainMode, "Individual Gain Mode", kOffOn, kExtraLabel),
    list(GainAuto, "Gain Auto", kAutoModes, kExtraLabel, GainAutoLabel),

    group("Manual"),
    number(AnalogGain, AnalogGainSpin, "Analog All", kExtraLabel),
    number(DigitalGainRed, DigitalGainRedSpin, "Digital Red", kExtraLabel),
    number(DigitalGainBlue, DigitalGainBlueSpin, "Digital Blue", kExtraLabel),
    number(GainRed, GainRedSpin, "Gain Red", kExtraLabel),
    number(GainGreen, GainGreenSpin, "Gain Green", kExtraLabel),
    number(GainBlue, GainBlueSpin, "Gain Blue", kExtraLabel),

    group("AGC Continuous"),
    number(GainAutoMax, GainAutoMaxSpin, "Maximum Gain"),
    number(GainAutoMin, GainAutoMinSpin, "Minimum Gain"),

    group("Balance White Auto", WhiteBalanceGroup),
    list(WhiteBalanceAuto, "Auto Switch",
         "Off=0|Continuous=1|Once=2|ExposureContinuous=3|ExposureOnce=4|Preset3200K=5|Preset5000K=6|Preset6500K=7|Preset7500K=8",
         kExtraLabel, WhiteBalanceLabel),
    box(WhiteBalanceStatus, "Status", kExtraLabel),

    group("Black Level"),
    number(BlackLevel, BlackLevelSpin, "All", kExtraLabel),
    number(BlackLevelRed, BlackLevelRedSpin, "Red", kExtraLabel),
    number(BlackLevelBlue, BlackLevelBlueSpin, "Blue", kExtraLabel),

    column(),
    group("Image format Operation"),
    list(SensorTaps, "Sensor Digitization Taps", "10=10|12=12"),
    list(ClConfiguration, "ClConfiguration", "Base=0|Medium=1|Full=2|Eighty-Bit=3"),
    list(BitAllocation, "Pixel Format", "RGB8=3"),
    number(OffsetX, OffsetXSpin, "Offset X"),
    number(Width, WidthSpin, "Width"),
    number(OffsetY, OffsetYSpin, "Offset Y", kExtraLabel),
    number(Height, HeightSpin, "Height", kExtraLabel),
    list(HorizontalBinning, "H Binning", "Off|x2", kExtraLabel),
    list(VerticalBinning, "V Binning", "Off|x2", kExtraLabel),

    group("Binning Mode"),
    list(HorizontalBinningMode, "Horizontal", "Sum|Average", kExtraLabel),
    list(VerticalBinningMode, "Vertical", "Sum|Average", kExtraLabel),

    group("CL Clock Frequency"),
    list(SensorClockFrequency, nullptr, "37.1MHz=0|74.3MHz=1|84.9MHz=2"),

    group("Video Process Bypass"),
    list(VideoProcessBypass, nullptr, kOffOn),

    column(),
    group("Test Image Selector"),
    list(TestPattern, nullptr, "Off|Black|White|Gray Ramp|Horizontal Colorbar|Vertical Colorbar|Moving Colorbar"),

    group("ASC Continuous"),
    number(ExposureTimeAutoMax, ExposureTimeAutoMaxSpin, "Exposure time auto Max"),
    number(ExposureTimeAutoMin, ExposureTimeAutoMinSpin, "Exposure time auto Min"),

    group("Temperature"),
    box(TemperatureBox),
    label(0, "C", kSameRow),
    button(ReadTemperature, "Get", kSameRow),
};
} // namespace

extern const PageDef kPageUserA = {112, "User A", false, kItems, int(std::size(kItems))};
