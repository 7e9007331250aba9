// The motors of a motorised lens: each runs while its setting is 1 or 2 and stands at 0. The
// camera reports every accepted setting as a state change, so that a test can see a motor
// being left running.
#include "SimCamera.h"

namespace {

struct LensMotor {
    const char* mnemonic;
    const char* name;
    const char* ways[3]; // by setting: 0 stands, 1 and 2 run
};

constexpr LensMotor kMotors[] = {
    {"MLI", "iris", {"stop", "open", "close"}},
    {"MLZ", "zoom", {"stop", "wide", "tele"}},
    {"MLF", "focus", {"stop", "near", "far"}},
};

} // namespace

bool SimCamera::handleLens(const Request& r, std::string& out)
{
    if (r.query)
        return false;
    for (const LensMotor& motor : kMotors) {
        if (r.mnemonic != motor.mnemonic)
            continue;
        out = genericSet(r); // 0..2, anything else is refused
        if (out == kComplete)
            m_events.push_back(std::string("motor ") + motor.name + ": " + motor.ways[num(r.mnemonic)]);
        return true;
    }
    return false;
}
