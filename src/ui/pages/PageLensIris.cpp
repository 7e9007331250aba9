// Page 4, "User E" (template 123): the lens iris controls. The page is created like the
// others so that its controls can be found by id, but it never gets a tab.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
const PageItem kItems[] = {
    group("P-IRIS"),
    list(PIrisList1, nullptr, "0|1"),
    list(PIrisList2, nullptr, "0|1|2|3|4|5|6"),
    button(PIrisRead1, "Read", kWide),
    number(PIrisNumber1, PIrisNumber1Spin),
    number(PIrisNumber2, PIrisNumber2Spin),
    list(PIrisList3, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11"),
    list(PIrisList4, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11"),
    button(PIrisRead2, "Read", kWide),
    list(PIrisList5, nullptr, "0|1|2|3|4|5|6|7|8|9|10|11"),
    number(PIrisNumber3, PIrisNumber3Spin),
    number(PIrisNumber4, PIrisNumber4Spin),
    number(PIrisNumber5, PIrisNumber5Spin),
    list(PIrisList6, nullptr, "0|1"),
    list(PIrisList7, nullptr, "0|1"),
};
} // namespace

extern const PageDef kPageLensIris = {123, "User E", false, kItems, int(std::size(kItems))};
