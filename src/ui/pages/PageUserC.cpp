// Page 2, "User C": pulse generators, NAND inputs, user outputs, counters, lines and the
// input filter.
#include "PageData.h"

using namespace page;

namespace {
constexpr const char* kOffOn = "Off|On";
// Signal codes of the camera's internal routing, as the lists carry them.
constexpr const char* kLineSources =
    "0=0|1=1|5=5|6=6|7=7|8=8|10=10|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27";
constexpr const char* kNandSources =
    "0=0|1=1|5=5|6=6|7=7|8=8|9=9|10=10|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27";

#define PULSE_GENERATOR(title, l, ls, st, sts, en, ens, rpt, rpts, clr, sync, in, inEntries, inv)    \
    group(title), number(l, ls, "Length"), number(st, sts, "Start"), number(en, ens, "End"),         \
        number(rpt, rpts, "Repeat"), list(clr, "Clear", "Off|High Level|Low Level|Rising Edge|Falling Edge"), \
        list(sync, "Sync", "Async|Sync"), list(in, "Input", inEntries), list(inv, "Invert", kOffOn)

#define COUNTER(title, ce, ceEntries, reset, read, value)                                          \
    group(title), list(ce, "Event Source", ceEntries), button(reset, "Reset", kWide),              \
        box(value, "Value", kExtraLabel), button(read, "Read", kSameRow)

const PageItem kItems[] = {
    PULSE_GENERATOR("Pulse Generator 0", 2296, 3615, 2304, 3616, 2312, 3617, 2321, 3618, 2329, 2335, 2345,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27",
                    2349),
    PULSE_GENERATOR("Pulse Generator 1", 2298, 3619, 2306, 3620, 2314, 3621, 2323, 3622, 2330, 2336, 2346,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|10=10|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27",
                    2350),
    group(nullptr),
    number(2343, 3623, "ClockPreScaler"),

    column(),
    PULSE_GENERATOR("Pulse Generator 2", 2300, 3624, 2308, 3625, 2316, 3626, 2325, 3627, 2332, 2337, 2347,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|10=10|11=11|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27",
                    2351),
    PULSE_GENERATOR("Pulse Generator 3", 2302, 3628, 2310, 3629, 2319, 3630, 2327, 3631, 2334, 2338, 2348,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|10=10|11=11|12=12|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27",
                    2352),

    column(),
    COUNTER("Counter 0", 2810, "Off=0|On=1", 2811, 2814, 2812),
    COUNTER("Counter 1", 2815, "Off=0|On=3", 2816, 2819, 2817),
    COUNTER("Counter 2", 2820, "Off=0|On=2", 2821, 2824, 2822),

    group("UserOutput"),
    list(2868, "UserOputput0", kOffOn),
    list(2869, "UserOputput1", kOffOn),
    list(2871, "UserOputput2", kOffOn),
    list(2873, "UserOputput3", kOffOn),

    column(),
    group("NAND0 Input"),
    list(2339, "Source1", kNandSources),
    list(2353, "Invert1", kOffOn),
    list(2354, "Invert2", kOffOn),
    list(2340, "Source2", kNandSources),

    group("NAND1 Input"),
    list(2341, "Source1", kNandSources),
    list(2355, "Invert1", kOffOn),
    list(2342, "Source2", kNandSources),
    list(2356, "Invert2", kOffOn),

    group("Line1"),
    list(1356, "Source", kLineSources),
    list(1361, "Invert", kOffOn),

    group("Line2"),
    list(2907, "Source", kLineSources),
    list(2908, "Invert", kOffOn),

    group("OptIn Filter"),
    list(2909, nullptr, "0|1|2|3|4|5"),
};
#undef PULSE_GENERATOR
#undef COUNTER
} // namespace

extern const PageDef kPageUserC = {114, "User C", false, kItems, int(std::size(kItems))};
