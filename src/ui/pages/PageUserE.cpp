// Page 5, "User E": colour transformation and matrix, edge and colour enhancers, and the
// white blemish compensation of each colour.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
constexpr const char* kOffOn = "Off|On";

// One colour's white blemish compensation: threshold, count, index and position.
// The ids WhiteBlemish<colour>Threshold ... WhiteBlemish<colour>VerticalRead.
#define BLEMISH_COLOUR(title, colour)                                                              \
    group(title), number(WhiteBlemish##colour##Threshold, WhiteBlemish##colour##ThresholdSpin),    \
        group("Compensation number"), box(WhiteBlemish##colour##Count),                           \
        button(WhiteBlemish##colour##CountRead, "Read", kSameRow),                                 \
        group("Index"), number(WhiteBlemish##colour##Index, WhiteBlemish##colour##IndexSpin),      \
        button(WhiteBlemish##colour##Clear, "Clear", kSameRow),                                    \
        group("Horizontal"), number(WhiteBlemish##colour##Horizontal, WhiteBlemish##colour##HorizontalSpin), \
        button(WhiteBlemish##colour##HorizontalWrite, "Write", kSameRow),                          \
        button(WhiteBlemish##colour##HorizontalRead, "Read", kSameRow),                            \
        group("Vertical"), number(WhiteBlemish##colour##Vertical, WhiteBlemish##colour##VerticalSpin), \
        button(WhiteBlemish##colour##VerticalWrite, "Write", kSameRow),                            \
        button(WhiteBlemish##colour##VerticalRead, "Read", kSameRow)

const PageItem kItems[] = {
    BLEMISH_COLOUR("Blemis White(Red)", Red),
    group("Blemish"),
    list(WhiteBlemishEnable, nullptr, kOffOn),
    button(WhiteBlemishStore, "BlemishStore", kWide),
    button(WhiteBlemishRecalibrate, "ReCalibrate White", kWide),

    column(),
    BLEMISH_COLOUR("Blemis White(Green)", Green),
    group("Edge Enhancer"),
    list(EdgeEnhancer, "Edge Enhancer Enable", kOffOn),
    list(EdgeEnhancerLevel, "Edge Enhancer Level", "0|1|2|3"),

    group("Color Enhancer"),
    list(ColorEnhancer, "Color Enhancer Enable", kOffOn),

    column(),
    BLEMISH_COLOUR("Blemis White(Blue)", Blue),
    group("Color Transformation Control"),
    list(ColorTransformationMode, "Color Transformation Mode", "0|1|2"),
    list(ColorTransformationRgbMode, "Color Transformation RGB Mode", "0|1|2|3"),

    column(),

    group("Color Matrix Value"),
    number(ColorMatrixRR, 0, "Color Matrix R-R"),
    number(ColorMatrixRG, 0, "Color Matrix R-G"),
    number(ColorMatrixRB, 0, "Color Matrix R-B"),
    number(ColorMatrixGR, 0, "Color Matrix G-R"),
    number(ColorMatrixGG, 0, "Color Matrix G-G"),
    number(ColorMatrixGB, 0, "Color Matrix G-B"),
    number(ColorMatrixBR, 0, "Color Matrix B-R"),
    number(ColorMatrixBG, 0, "Color Matrix B-G"),
    number(ColorMatrixBB, 0, "Color Matrix B-B"),


    group("Value"),
    number(ColorEnhancerRed, 0, "Color Enhancer(Red)"),
    number(ColorEnhancerCyan, 0, "Color Enhancer(Cyan)"),
    number(ColorEnhancerGreen, 0, "Color Enhancer(Green)"),
    number(ColorEnhancerMagenta, 0, "Color Enhancer(Magenta)"),
    number(ColorEnhancerBlue, 0, "Color Enhancer(Blue)"),
    number(ColorEnhancerYellow, 0, "Color Enhancer(Yellow)"),
};
#undef BLEMISH_COLOUR
} // namespace

extern const PageDef kPageUserE = {125, "User E", false, kItems, int(std::size(kItems))};
