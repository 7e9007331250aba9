// Page 1, "User B": the automatic level and white balance areas, shading correction, the
// automatic level status and the lookup tables.
#include "PageData.h"

using namespace page;

namespace {
// A 4 x 4 grid of area check boxes: rows High..Low, columns Left..Right.
#define AREA_HEADERS(flags)                                                                        \
    label(0, "Left", kHeader | (flags)), label(0, "Mid-Left", kSameRow | (flags)),                \
        label(0, "Mid-Right", kSameRow | (flags)), label(0, "Right", kSameRow | (flags))
#define AREA_ROW(text, flags, a, b, c, d)                                                          \
    check(a, nullptr, text, flags), check(b, nullptr, nullptr, kSameRow),                         \
        check(c, nullptr, nullptr, kSameRow), check(d, nullptr, nullptr, kSameRow)

const PageItem kItems[] = {
    group("ALC Channel Area"),
    AREA_HEADERS(kPlain),
    AREA_ROW("High", kPlain, 1958, 1957, 1956, 1955),
    AREA_ROW("Mid-High", kPlain, 1954, 1953, 1952, 1951),
    AREA_ROW("Mid-Low", kPlain, 1950, 1949, 1948, 1947),
    AREA_ROW("Low", kPlain, 1946, 1945, 1944, 1943),
    check(2540, "Select all", nullptr, kWide),

    group("AWB Channel Area"),
    AREA_HEADERS(kExtraLabel),
    AREA_ROW("High", kExtraLabel, 1974, 1973, 1972, 1971),
    AREA_ROW("Mid-High", kExtraLabel, 1970, 1969, 1968, 1967),
    AREA_ROW("Mid-Low", kExtraLabel, 1966, 1965, 1964, 1963),
    AREA_ROW("Low", kExtraLabel, 1962, 1961, 1960, 1959),
    check(2543, "Select all", nullptr, kWide),

    group(nullptr),
    number(1885, 3610, "ALC Speed"),
    number(2703, 3611, "AWB Speed", kExtraLabel),

    column(),
    group("Shading Correction"),
    list(1404, "Shading", "Off|On", kExtraLabel),
    list(1868, "Correction Mode", "Flat Shading|Color Shading"),
    button(1405, "Recalibrate Shading", kWide),
    box(1875, "Result", kExtraLabel),

    group("ALC Status"),
    box(1873, nullptr, kText),
    button(1871, "Read", kSameRow),

    group("LUT"),
    list(1381, "LUT Mode", "Off|Gamma|LUT"),
    list(2575, "Gamma", "0.45=45|0.50=50|0.55=55|0.60=60|0.65=65|0.75=75|0.80=80|0.90=90|1.00=100",
         kExtraLabel, 1848),
    button(1573, "Open LUT Table", kWide),
    label(0, "Index", kHeader),
    label(0, "Data", kSameRow),
    number(2518, 2519, "Red", kExtraLabel),
    number(2520, 3612, nullptr, kSameRow),
    button(2522, "Read", kSameRow),
    button(2523, "Write", kSameRow),
    number(2524, 2525, "Green", kExtraLabel),
    number(2526, 3613, nullptr, kSameRow),
    button(2528, "Read", kSameRow),
    button(2529, "Write", kSameRow),
    number(2530, 2531, "Blue", kExtraLabel),
    number(2532, 3614, nullptr, kSameRow),
    button(2534, "Read", kSameRow),
    button(2535, "Write", kSameRow),
};
#undef AREA_HEADERS
#undef AREA_ROW
} // namespace

extern const PageDef kPageUserB = {113, "User B", false, kItems, int(std::size(kItems))};
