// Page 1, "User B": the automatic level and white balance areas, shading correction, the
// automatic level status and the lookup tables.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
// A 4 x 4 grid of area check boxes: rows High..Low, columns Left..Right. The 16 ids of a grid
// count from its first (the lowest row's right box) leftwards and upwards; a row names its
// right box.
#define AREA_HEADERS(flags)                                                                        \
    label(0, "Left", kHeader | (flags)), label(0, "Mid-Left", kSameRow | (flags)),                \
        label(0, "Mid-Right", kSameRow | (flags)), label(0, "Right", kSameRow | (flags))
#define AREA_ROW(text, flags, right)                                                               \
    check((right) + 3, nullptr, text, flags), check((right) + 2, nullptr, nullptr, kSameRow),     \
        check((right) + 1, nullptr, nullptr, kSameRow), check(right, nullptr, nullptr, kSameRow)

const PageItem kItems[] = {
    group("ALC Channel Area"),
    AREA_HEADERS(kPlain),
    AREA_ROW("High", kPlain, AlcAreaFirst + 12),
    AREA_ROW("Mid-High", kPlain, AlcAreaFirst + 8),
    AREA_ROW("Mid-Low", kPlain, AlcAreaFirst + 4),
    AREA_ROW("Low", kPlain, AlcAreaFirst),
    check(AlcAreaSelectAll, "Select all", nullptr, kWide),

    group("AWB Channel Area"),
    AREA_HEADERS(kExtraLabel),
    AREA_ROW("High", kExtraLabel, AwbAreaFirst + 12),
    AREA_ROW("Mid-High", kExtraLabel, AwbAreaFirst + 8),
    AREA_ROW("Mid-Low", kExtraLabel, AwbAreaFirst + 4),
    AREA_ROW("Low", kExtraLabel, AwbAreaFirst),
    check(AwbAreaSelectAll, "Select all", nullptr, kWide),

    group(nullptr),
    number(AlcSpeed, AlcSpeedSpin, "ALC Speed"),
    number(AwbSpeed, AwbSpeedSpin, "AWB Speed", kExtraLabel),

    column(),
    group("Shading Correction"),
    list(Shading, "Shading", "Off|On", kExtraLabel),
    list(ShadingMode, "Correction Mode", "Flat Shading|Color Shading"),
    button(RecalibrateShading, "Recalibrate Shading", kWide),
    box(ShadingResult, "Result", kExtraLabel),

    group("ALC Status"),
    box(AlcStatusBox, nullptr, kText),
    button(AlcStatusRead, "Read", kSameRow),

    group("LUT"),
    list(LutMode, "LUT Mode", "Off|Gamma|LUT"),
    list(Gamma, "Gamma", "0.45=45|0.50=50|0.55=55|0.60=60|0.65=65|0.75=75|0.80=80|0.90=90|1.00=100",
         kExtraLabel, GammaLabel),
    button(OpenLutTable, "Open LUT Table", kWide),
    label(0, "Index", kHeader),
    label(0, "Data", kSameRow),
    number(LutIndexRed, LutIndexSpinRed, "Red", kExtraLabel),
    number(LutDataRed, LutDataRedSpin, nullptr, kSameRow),
    button(LutReadRed, "Read", kSameRow),
    button(LutWriteRed, "Write", kSameRow),
    number(LutIndexGreen, LutIndexSpinGreen, "Green", kExtraLabel),
    number(LutDataGreen, LutDataGreenSpin, nullptr, kSameRow),
    button(LutReadGreen, "Read", kSameRow),
    button(LutWriteGreen, "Write", kSameRow),
    number(LutIndexBlue, LutIndexSpinBlue, "Blue", kExtraLabel),
    number(LutDataBlue, LutDataBlueSpin, nullptr, kSameRow),
    button(LutReadBlue, "Read", kSameRow),
    button(LutWriteBlue, "Write", kSameRow),
};
#undef AREA_HEADERS
#undef AREA_ROW
} // namespace

extern const PageDef kPageUserB = {113, "User B", false, kItems, int(std::size(kItems))};
