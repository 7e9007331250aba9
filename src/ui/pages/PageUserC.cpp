// Page 2, "User C": pulse generators, NAND inputs, user outputs, counters, lines and the
// input filter.
#include "Ids.h"
#include "PageData.h"
#include "PageIds.h"

using namespace CtrlId;
using namespace page;

namespace {
constexpr const char* kOffOn = "Off|On";
// Signal codes of the camera's internal routing, as the lists carry them.
constexpr const char* kLineSources =
    "0=0|1=1|5=5|6=6|7=7|8=8|10=10|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27";
constexpr const char* kNandSources =
    "0=0|1=1|5=5|6=6|7=7|8=8|9=9|10=10|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27";

// Pulse generator n: the ids PulseGenerator<n>Length ... PulseGenerator<n>Invert.
#define PULSE_GENERATOR(title, n, inEntries)                                                      \
    group(title), number(PulseGenerator##n##Length, PulseGenerator##n##LengthSpin, "Length"),     \
        number(PulseGenerator##n##Start, PulseGenerator##n##StartSpin, "Start"),                  \
        number(PulseGenerator##n##End, PulseGenerator##n##EndSpin, "End"),                        \
        number(PulseGenerator##n##Repeat, PulseGenerator##n##RepeatSpin, "Repeat"),               \
        list(PulseGenerator##n##Clear, "Clear", "Off|High Level|Low Level|Rising Edge|Falling Edge"), \
        list(PulseGenerator##n##Sync, "Sync", "Async|Sync"), list(PulseGenerator##n##Input, "Input", inEntries), \
        list(PulseGenerator##n##Invert, "Invert", kOffOn)

// Counter n: the ids Counter<n>EventSource, Counter<n>Reset, Counter<n>Value, Counter<n>Read.
#define COUNTER(title, n, ceEntries)                                                               \
    group(title), list(Counter##n##EventSource, "Event Source", ceEntries),                        \
        button(Counter##n##Reset, "Reset", kWide), box(Counter##n##Value, "Value", kExtraLabel),   \
        button(Counter##n##Read, "Read", kSameRow)

const PageItem kItems[] = {
    PULSE_GENERATOR("Pulse Generator 0", 0,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|11=11|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27"),
    PULSE_GENERATOR("Pulse Generator 1", 1,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|10=10|12=12|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27"),
    group(nullptr),
    number(ClockPreScaler, ClockPreScalerSpin, "ClockPreScaler"),

    column(),
    PULSE_GENERATOR("Pulse Generator 2", 2,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|10=10|11=11|13=13|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27"),
    PULSE_GENERATOR("Pulse Generator 3", 3,
                    "0=0|1=1|3=3|4=4|5=5|6=6|7=7|8=8|9=9|10=10|11=11|12=12|14=14|15=15|16=16|17=17|21=21|22=22|23=23|26=26|27=27"),

    column(),
    COUNTER("Counter 0", 0, "Off=0|On=1"),
    COUNTER("Counter 1", 1, "Off=0|On=3"),
    COUNTER("Counter 2", 2, "Off=0|On=2"),

    group("UserOutput"),
    list(UserOutput0, "UserOputput0", kOffOn),
    list(UserOutput1, "UserOputput1", kOffOn),
    list(UserOutput2, "UserOputput2", kOffOn),
    list(UserOutput3, "UserOputput3", kOffOn),

    column(),
    group("NAND0 Input"),
    list(Nand0Source1, "Source1", kNandSources),
    list(Nand0Invert1, "Invert1", kOffOn),
    list(Nand0Invert2, "Invert2", kOffOn),
    list(Nand0Source2, "Source2", kNandSources),

    group("NAND1 Input"),
    list(Nand1Source1, "Source1", kNandSources),
    list(Nand1Invert1, "Invert1", kOffOn),
    list(Nand1Source2, "Source2", kNandSources),
    list(Nand1Invert2, "Invert2", kOffOn),

    group("Line1"),
    list(Line1Source, "Source", kLineSources),
    list(Line1Invert, "Invert", kOffOn),

    group("Line2"),
    list(Line2Source, "Source", kLineSources),
    list(Line2Invert, "Invert", kOffOn),

    group("OptIn Filter"),
    list(OptInFilter, nullptr, "0|1|2|3|4|5"),
};
#undef PULSE_GENERATOR
#undef COUNTER
} // namespace

extern const PageDef kPageUserC = {114, "User C", false, kItems, int(std::size(kItems))};
