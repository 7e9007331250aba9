// Page 4, "User E" (template 123): the lens iris controls. The page is created like the
// others so that its controls can be found by id, but it never gets a tab.
#include "PageData.h"

using namespace page;

namespace {
const PageItem kItems[] = {
    group("P-IRIS"),
    list(2770, nullptr, "0|1"),
    list(2771, nullptr, "0|1|2|3|4|5|6"),
    button(2778, "Read", kWide),
    number(2760, 3639),
    number(2762, 3640),
    list(2772, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11"),
    list(2773, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11"),
    button(2777, "Read", kWide),
    list(2774, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11"),
    number(2764, 3641),
    number(2766, 3642),
    number(2768, 3643),
    list(2775, nullptr, "0|1"),
    list(2776, nullptr, "0|1"),
};
} // namespace

extern const PageDef kPageLensIris = {123, "User E", false, kItems, int(std::size(kItems))};
