// Page 5, "User E": colour transformation and matrix, edge and colour enhancers, and the
// white blemish compensation of each colour.
#include "PageData.h"

using namespace page;

namespace {
constexpr const char* kOffOn = "Off|On";

// One colour's white blemish compensation: threshold, count, index and position.
#define BLEMISH_COLOUR(title, threshold, thresholdSpin, count, countBox, index, indexSpin, clear,    \
                       x, xSpin, xWrite, xRead, y, ySpin, yWrite, yRead)                           \
    group(title), number(threshold, thresholdSpin),                                                \
        group("Compensation number"), box(countBox), button(count, "Read", kSameRow),             \
        group("Index"), number(index, indexSpin), button(clear, "Clear", kSameRow),               \
        group("Horizontal"), number(x, xSpin), button(xWrite, "Write", kSameRow),                 \
        button(xRead, "Read", kSameRow),                                                           \
        group("Vertical"), number(y, ySpin), button(yWrite, "Write", kSameRow),                   \
        button(yRead, "Read", kSameRow)

const PageItem kItems[] = {
    BLEMISH_COLOUR("Blemis White(Red)", 1410, 3644, 2581, 2583, 1417, 1416, 2882,
                   1424, 3645, 1430, 1512, 1438, 3646, 1431, 1513),
    group("Blemish"),
    list(1387, nullptr, kOffOn),
    button(1413, "BlemishStore", kWide),
    button(1409, "ReCalibrate White", kWide),

    column(),
    BLEMISH_COLOUR("Blemis White(Green)", 1415, 3647, 2585, 2587, 1423, 1434, 2883,
                   1427, 3648, 1433, 1515, 1441, 3649, 1437, 1517),
    group("Edge Enhancer"),
    list(2665, "Edge Enhancer Enable", kOffOn),
    list(2675, "Edge Enhancer Level", "0|1|2|3"),

    group("Color Enhancer"),
    list(2667, "Color Enhancer Enable", kOffOn),

    column(),
    BLEMISH_COLOUR("Blemis White(Blue)", 1445, 3650, 2589, 2592, 1456, 3651, 2884,
                   1449, 3652, 1453, 1519, 1460, 3653, 1464, 1521),
    group("Color Transformation Control"),
    list(2660, "Color Transformation Mode", "0|1|2"),
    list(2662, "Color Transformation RGB Mode", "0|1|2|3"),

    column(),

    group("Color Matrix Value"),
    number(2631, 0, "Color Matrix R-R"),
    number(2633, 0, "Color Matrix R-G"),
    number(2635, 0, "Color Matrix R-B"),
    number(2637, 0, "Color Matrix G-R"),
    number(2640, 0, "Color Matrix G-G"),
    number(2643, 0, "Color Matrix G-B"),
    number(2646, 0, "Color Matrix B-R"),
    number(2649, 0, "Color Matrix B-G"),
    number(2652, 0, "Color Matrix B-B"),


    group("Value"),
    number(2655, 0, "Color Enhancer(Red)"),
    number(2657, 0, "Color Enhancer(Cyan)"),
    number(2659, 0, "Color Enhancer(Green)"),
    number(2669, 0, "Color Enhancer(Magenta)"),
    number(2671, 0, "Color Enhancer(Blue)"),
    number(2673, 0, "Color Enhancer(Yellow)"),
};
#undef BLEMISH_COLOUR
} // namespace

extern const PageDef kPageUserE = {125, "User E", false, kItems, int(std::size(kItems))};
