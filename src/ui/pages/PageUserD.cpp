// Page 3, "User D": one sequencer set at a time, the sequencer control and the sensor
// multi-ROI regions.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
const PageItem kItems[] = {
    group("Sequencer Control Setting"),
    number(SequencerIndex, SequencerIndexSpin, "Set Index", kExtraLabel),
    button(SequencerWrite, "Write", kSameRow),
    number(SequencerFrameNumber, SequencerFrameNumberSpin, "FrameNumber"),
    number(SequencerSetNext, SequencerSetNextSpin, "SetNext"),
    number(SequencerWidth, SequencerWidthSpin, "Width"),
    number(SequencerHeight, SequencerHeightSpin, "Height"),
    list(SequencerAoiIndex, "AOI Index", "Index1|Index2|Index3|Index4|Index5|Index6|Index7|Index8|Index9|Index10", kHidden),
    number(SequencerOffsetX, SequencerOffsetXSpin, "OffsetX"),
    number(SequencerRepetition, 0, "Repetition", kHidden),
    number(SequencerOffsetY, SequencerOffsetYSpin, "OffsetY"),
    list(SequencerHorizontalBinning, "H binning", "Off|x2", kExtraLabel),
    list(SequencerVerticalBinning, "V binning", "Off|x2", kExtraLabel),
    list(SequencerLut, "Lut Enable", "Off|ON"),
    number(SequencerBlackLevel, SequencerBlackLevelSpin, "Black Level"),
    number(SequencerGain, SequencerGainSpin, "GainAnalogAll "),
    number(SequencerGainRed, SequencerGainRedSpin, "Gain Red", kExtraLabel),
    number(SequencerGainGreen, SequencerGainGreenSpin, "Gain Green", kExtraLabel),
    number(SequencerGainBlue, SequencerGainBlueSpin, "Gain Blue", kExtraLabel),
    list(SequencerLutMode, "LUT mode", "Gamma|LUT"),

    group("Sequencer Contlol Setting(Exposure Time)"),
    number(SequencerExposureCommon, SequencerExposureCommonSpin, "Common"),
    number(SequencerExposureRed, SequencerExposureRedSpin, "Red"),
    number(SequencerExposureGreen, SequencerExposureGreenSpin, "Green"),
    number(SequencerExposureBlue, SequencerExposureBlueSpin, "Blue"),

    column(),
    group("Sequencer Control"),
    list(SequencerMode, "Sequencer Mode", "Off|On"),
    list(SequencerModeSelect, "SequencerModeSel", "TriggerSequencerMode|CommandSequencerMode"),
    box(CameraModeBox, "Video Send Mode", kText),
    list(VideoSendModeList, nullptr, "Normal=0|Trigger Sequence=1|Command Sequence=2|SensorMultiRoiMode=4", kHidden),
    number(CommandSequenceIndex, CommandSequenceIndexSpin, "Command Sequence Index"),
    box(SequencerActiveSet, "SequencerSetActive"),
    button(SequencerReadIndex, "Read Index", kSameRow),
    button(SequencerReset, "Reset", kPlain, "Sequencer Reset"),
    number(SequencerSetStart, SequencerSetStartSpin, "SequencerSetStart"),

    group("Multi ROI", MultiRoiGroup),
    label(MultiRoiIndex1Header, "Index 1", kHeader),
    label(MultiRoiIndex2Header, "Index 2", kSameRow),
    number(MultiRoiWidth1, MultiRoiWidth1Spin, "Width", kPlain, MultiRoiWidthLabel),
    number(MultiRoiWidth2, MultiRoiWidth2Spin, nullptr, kSameRow),
    number(MultiRoiHeight1, MultiRoiHeight1Spin, "Height", kPlain, MultiRoiHeightLabel),
    number(MultiRoiHeight2, MultiRoiHeight2Spin, nullptr, kSameRow),
    number(MultiRoiOffsetX1, MultiRoiOffsetX1Spin, "Offset X", kPlain, MultiRoiOffsetXLabel),
    number(MultiRoiOffsetX2, MultiRoiOffsetX2Spin, nullptr, kSameRow),
    number(MultiRoiOffsetY1, MultiRoiOffsetY1Spin, "Offset Y", kPlain, MultiRoiOffsetYLabel),
    number(MultiRoiOffsetY2, MultiRoiOffsetY2Spin, nullptr, kSameRow),
    number(MultiRoiHorizontalEnable1, MultiRoiHorizontalEnable1Spin, "H Enable", kPlain, MultiRoiHorizontalEnableLabel),
    number(MultiRoiHorizontalEnable2, MultiRoiHorizontalEnable2Spin, nullptr, kSameRow),
    number(MultiRoiVerticalEnable1, MultiRoiVerticalEnable1Spin, "V Enable", kPlain, MultiRoiVerticalEnableLabel),
    number(MultiRoiVerticalEnable2, MultiRoiVerticalEnable2Spin, nullptr, kSameRow),
    button(MultiRoiEnable, "Sensor Multi ROI Enable", kWide),
    box(MultiRoiModeBox, "Sensor Multi ROI Mode"),
};
} // namespace

extern const PageDef kPageUserD = {115, "User D", false, kItems, int(std::size(kItems))};
