// Blemish lists (positions by number, counts, clearing) and the frame counters.
#include "SimCamera.h"

#include <cmath>

namespace {

// The colour of a blemish mnemonic by its last letter: BMPXWR -> 0, ...G -> 1, ...B -> 2.
int colourOf(const std::string& mnemonic, const std::string& stem)
{
    if (mnemonic.size() != stem.size() + 1 || mnemonic.compare(0, stem.size(), stem) != 0)
        return -1;
    switch (mnemonic.back()) {
    case 'R': return 0;
    case 'G': return 1;
    case 'B': return 2;
    default: return -1;
    }
}

} // namespace

bool SimCamera::handleBlemish(const Request& r, std::string& out)
{
    const std::string& m = r.mnemonic;
    int x = colourOf(m, "BMPXW");
    int y = colourOf(m, "BMPYW");
    if (x >= 0 || y >= 0) {
        bool horizontal = x >= 0;
        int colour = horizontal ? x : y;
        auto& slots = horizontal ? m_blemishX[colour] : m_blemishY[colour];
        int32_t limit = horizontal ? SensorWidth() - 1 : SensorHeight() - 1;
        int32_t number = 0, value = 0;
        if (r.query) {
            if (!parseInt(r.arg, number))
                out = kErrSyntax;
            else if (number < 1 || number > kBlemishSlots)
                out = kErrRange;
            else
                out = reply(m, slots[number - 1]);
            return true;
        }
        if (!parsePair(r.arg, number, value))
            out = kErrSyntax;
        else if (number < 1 || number > kBlemishSlots || value < -1 || value > limit)
            out = kErrRange;
        else {
            slots[number - 1] = value;
            out = kComplete;
        }
        return true;
    }
    int clear = colourOf(m, "BMCLR");
    if (clear >= 0 && !r.query) {
        int32_t number = 0;
        if (!parseInt(r.arg, number))
            out = kErrSyntax;
        else if (number < 1 || number > kBlemishSlots)
            out = kErrRange;
        else {
            m_blemishX[clear][number - 1] = m_blemishY[clear][number - 1] = -1;
            out = kComplete;
        }
        return true;
    }
    int count = colourOf(m, "BNUM");
    if (count >= 0 && r.query && r.arg.empty()) {
        int32_t n = 0;
        for (int i = 0; i < kBlemishSlots; ++i)
            n += m_blemishX[count][i] >= 0 && m_blemishY[count][i] >= 0;
        out = reply(m, n);
        return true;
    }
    return false;
}

int32_t SimCamera::counterValue(int which)
{
    // Frames since the last reset while the counter is enabled; AR is the frame period in us.
    const Counter& c = m_counters[which];
    std::string enable = "CE" + std::to_string(which);
    if (num(enable) == 0)
        return static_cast<int32_t>(c.base);
    double period = std::max<int32_t>(1, num("AR")) * 1e-6;
    int64_t frames = c.base + static_cast<int64_t>(std::floor((now() - c.since) / period));
    return static_cast<int32_t>(std::min<int64_t>(frames, INT32_MAX));
}

bool SimCamera::handleCounters(const Request& r, std::string& out)
{
    const std::string& m = r.mnemonic;
    if (m.size() != 3 || (m[0] != 'C') || m[2] < '0' || m[2] > '2')
        return false;
    int which = m[2] - '0';
    if (m[1] == 'V' && r.query && r.arg.empty()) {
        out = reply(m, counterValue(which));
        return true;
    }
    if (m[1] == 'R' && !r.query) {
        out = genericSet(r);
        if (out == kComplete && num(m) == 1)
            m_counters[which] = Counter{now(), 0};
        return true;
    }
    if (m[1] == 'E' && !r.query) {
        // Keep what was counted so far when the counter is switched on or off.
        int32_t before = counterValue(which);
        out = genericSet(r);
        if (out == kComplete)
            m_counters[which] = Counter{now(), before};
        return true;
    }
    return false;
}
