// Page 3, "User D": one sequencer set at a time, the sequencer control and the sensor
// multi-ROI regions.
#include "PageData.h"

using namespace page;

namespace {
const PageItem kItems[] = {
    group("Sequencer Control Setting"),
    number(2779, 2780, "Set Index", kExtraLabel),
    button(2806, "Write", kSameRow),
    number(2781, 3632, "FrameNumber"),
    number(2783, 3633, "SetNext"),
    number(2785, 2786, "Width"),
    number(2787, 2788, "Height"),
    list(2550, "AOI Index", "Index1|Index2|Index3|Index4|Index5|Index6|Index7|Index8|Index9|Index10", kHidden),
    number(2789, 2790, "OffsetX"),
    number(2551, 0, "Repetition", kHidden),
    number(2791, 2792, "OffsetY"),
    list(2797, "H binning", "Off|x2", kExtraLabel),
    list(2798, "V binning", "Off|x2", kExtraLabel),
    list(2799, "Lut Enable", "Off|ON"),
    number(2800, 3634, "Black Level"),
    number(2793, 2794, "GainAnalogAll "),
    number(2802, 3635, "Gain Red", kExtraLabel),
    number(2918, 2919, "Gain Green", kExtraLabel),
    number(2804, 3636, "Gain Blue", kExtraLabel),
    list(2572, "LUT mode", "Gamma|LUT"),

    group("Sequencer Contlol Setting(Exposure Time)"),
    number(2795, 2796, "Common"),
    number(2912, 2913, "Red"),
    number(2914, 2915, "Green"),
    number(2916, 2917, "Blue"),

    column(),
    group("Sequencer Control"),
    list(2901, "Sequencer Mode", "Off|On"),
    list(2902, "SequencerModeSel", "TriggerSequencerMode|CommandSequencerMode"),
    box(2903, "Video Send Mode", kText),
    list(2517, nullptr, "Normal=0|Trigger Sequence=1|Command Sequence=2|SensorMultiRoiMode=4", kHidden),
    number(2807, 3637, "Command Sequence Index"),
    box(2570, "SequencerSetActive"),
    button(2569, "Read Index", kSameRow),
    button(2571, "Reset", kPlain, "Sequencer Reset"),
    number(2910, 3638, "SequencerSetStart"),

    group("Multi ROI", 2886),
    label(2887, "Index 1", kHeader),
    label(2888, "Index 2", kSameRow),
    number(2712, 2713, "Width", kPlain, 2889),
    number(2714, 2715, nullptr, kSameRow),
    number(2720, 2721, "Height", kPlain, 2890),
    number(2722, 2723, nullptr, kSameRow),
    number(2728, 2729, "Offset X", kPlain, 2891),
    number(2730, 2731, nullptr, kSameRow),
    number(2736, 2737, "Offset Y", kPlain, 2892),
    number(2738, 2739, nullptr, kSameRow),
    number(2744, 2745, "H Enable", kPlain, 2893),
    number(2746, 2747, nullptr, kSameRow),
    number(2752, 2753, "V Enable", kPlain, 2894),
    number(2754, 2755, nullptr, kSameRow),
    button(2872, "Sensor Multi ROI Enable", kWide),
    box(2906, "Sensor Multi ROI Mode"),
};
} // namespace

extern const PageDef kPageUserD = {115, "User D", false, kItems, int(std::size(kItems))};
