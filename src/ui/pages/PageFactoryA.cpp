// Page 6, "Factory A": factory gain and black level, blemish compensation, identity and the
// camera's serial port; shown only in the factory control mode.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
const PageItem kItems[] = {
    group("Factory Gain"),
    number(FactoryGainAnalog, FactoryGainAnalogSpin, "Factory Gain Analog All"),
    number(FactoryGainDigital, FactoryGainDigitalSpin, "Factory Gain Digital All"),
    number(FactoryGainRow3, FactoryGainRow3Spin, nullptr),
    number(FactoryGainRow4, FactoryGainRow4Spin, nullptr),
    number(FactoryGainRow5, FactoryGainRow5Spin, nullptr),
    number(FactoryGainRow6, FactoryGainRow6Spin, nullptr),

    group("Black Level for Factory"),
    number(FactoryBlackOffset, FactoryBlackOffsetSpin, "Factroy Black Offset All"),
    number(FactoryBlackLevelRaw, FactoryBlackLevelRawSpin, "Factroy Black Level Raw All"),
    number(FactoryBlackLevelRow3, FactoryBlackLevelRow3Spin, nullptr),
    number(FactoryBlackLevelRow4, FactoryBlackLevelRow4Spin, nullptr),
    number(FactoryBlackLevelRow5, FactoryBlackLevelRow5Spin, nullptr),
    number(FactoryBlackLevelRow6, FactoryBlackLevelRow6Spin, nullptr),

    group("Temperature Factor"),
    number(TemperatureFactor, TemperatureFactorSpin),

    group("Boot Area Set"),
    list(BootArea, nullptr, "0|1|2|3"),

    column(),
    group("Blemish White"),
    number(BlemishWhiteThreshold, BlemishWhiteThresholdSpin, "Threshold"),
    button(BlemishWhiteRecalibrate, "ReCalibrate", kWide),

    group("Horizontal"),
    number(BlemishWhiteHorizontalIndex, BlemishWhiteHorizontalIndexSpin, "No"),
    number(BlemishWhiteHorizontal, BlemishWhiteHorizontalSpin, "H Position"),
    button(BlemishWhiteHorizontalWrite, "Write", kWide),
    button(BlemishWhiteHorizontalRead, "Read", kSameRow),

    group("Vertical"),
    number(BlemishWhiteVerticalIndex, BlemishWhiteVerticalIndexSpin, "No"),
    number(BlemishWhiteVertical, BlemishWhiteVerticalSpin, "V Position"),
    button(BlemishWhiteVerticalWrite, "Write", kWide),
    button(BlemishWhiteVerticalRead, "Read", kSameRow),

    group("Compensation number"),
    box(BlemishWhiteCount),
    button(BlemishWhiteCountRead, "Read", kSameRow),

    column(),
    group("Blemish Black"),
    number(BlemishBlackThreshold, BlemishBlackThresholdSpin),
    button(BlemishBlackRecalibrate, "ReCalibrate", kWide),

    group("Horizontal"),
    number(BlemishBlackHorizontalIndex, BlemishBlackHorizontalIndexSpin, "No"),
    number(BlemishBlackHorizontal, BlemishBlackHorizontalSpin, "H Position"),
    button(BlemishBlackHorizontalWrite, "Write", kWide),
    button(BlemishBlackHorizontalRead, "Read", kSameRow),

    group("Vertical"),
    number(BlemishBlackVerticalIndex, BlemishBlackVerticalIndexSpin, "No"),
    number(BlemishBlackVertical, BlemishBlackVerticalSpin, "V Position"),
    button(BlemishBlackVerticalWrite, "Write", kWide),
    button(BlemishBlackVerticalRead, "Read", kSameRow),

    group("Compensation number"),
    box(BlemishBlackCount),
    button(BlemishBlackCountRead, "Read", kSameRow),

    column(),
    group("DeviceSerialPort"),
    list(FactoryBaudRate, "Baud Rate", "Baud9600=1|Baud19200=2|Baud38400=4|Baud57600=8|Baud115200=16"),

    group("HightSpeedCom Mode"),
    check(HighSpeedCom, "Hight Speed ON", nullptr, kWide),

    group("SupportedBaudRate"),
    box(SupportedBaudBox, nullptr, kText),

    group("Camera Model"),
    list(CameraModelList, nullptr, nullptr),
    button(WriteModelId, "Set", kSameRow),

    group("XML Version"),
    number(XmlVersionMajor, 0, nullptr, kNarrow),
    label(0, ".", kSameRow),
    number(XmlVersionMinor, 0, nullptr, kSameRow | kNarrow),
    label(0, ".", kSameRow),
    number(XmlVersionPatch, 0, nullptr, kSameRow | kNarrow),
    button(WriteXmlVersion, "Write", kSameRow),
    button(ReadXmlVersion, "Read", kSameRow),

    group(nullptr),
    button(CameraReset, "Camera Reset", kWide),
    button(TerminalButton, "Terminal", kWide),
    button(StoreAllAreas, "Store All", kWide),
};
} // namespace

extern const PageDef kPageFactoryA = {107, "Factory A", true, kItems, int(std::size(kItems))};
