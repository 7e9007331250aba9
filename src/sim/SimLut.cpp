// The three output lookup tables. LUTSR/LUTSG/LUTSB carry no entry index: a run of 32 queries
// or 32 settings of one channel addresses entries 0..31 in order. The camera keeps its place
// as long as lines of the same form follow one another; any other line (or a refused one)
// ends the run, and after the 32nd line the next run starts again at entry 0.
// LUTR/LUTG/LUTB address the fine tables by index: LUTR?7, LUTR=7,200.
#include "SimCamera.h"

namespace {

int channelOf(const std::string& mnemonic, const char* prefix)
{
    static const char kColours[] = {'R', 'G', 'B'};
    std::string p = prefix;
    if (mnemonic.size() != p.size() + 1 || mnemonic.compare(0, p.size(), p) != 0)
        return -1;
    for (int c = 0; c < 3; ++c)
        if (mnemonic.back() == kColours[c])
            return c;
    return -1;
}

constexpr int32_t kMaxEntry = 4095;
// A start-up table may hold wider values than the camera takes over the line, so that a
// reader's handling of them can be tried.
constexpr int32_t kMaxSeededEntry = 65535;

} // namespace

bool SimCamera::seedLutRun(int channel, const std::string& values, std::string& out)
{
    // "--set LUTSG=v0,v1,...": the table from entry 0 on.
    std::array<int32_t, kLutEntries> table = m_work.luts[size_t(channel)];
    size_t at = 0;
    for (int entry = 0; entry < kLutEntries; ++entry) {
        const size_t comma = values.find(',', at);
        int32_t value = 0;
        if (!parseInt(values.substr(at, comma == std::string::npos ? std::string::npos : comma - at), value)
            || value < 0 || value > kMaxSeededEntry) {
            out = kErrRange;
            return true;
        }
        table[size_t(entry)] = value;
        if (comma == std::string::npos)
            break;
        at = comma + 1;
        if (entry + 1 == kLutEntries) {
            out = kErrRange; // more values than entries
            return true;
        }
    }
    m_work.luts[size_t(channel)] = table;
    out = kComplete;
    return true;
}

bool SimCamera::handleLut(const Request& r, std::string& out)
{
    int run = channelOf(r.mnemonic, "LUTS");
    if (run >= 0 && r.initial)
        return seedLutRun(run, r.arg, out);
    if (run >= 0) {
        std::string form = r.mnemonic + (r.query ? "?" : "=");
        if (form != m_lastForm || m_lutCursor >= kLutEntries)
            m_lutCursor = 0;
        int32_t& entry = m_work.luts[run][m_lutCursor];
        if (r.query) {
            if (!r.arg.empty()) {
                out = kErrSyntax;
                return true;
            }
            out = reply(r.mnemonic, entry);
            ++m_lutCursor;
            return true;
        }
        int32_t value = 0;
        if (!parseInt(r.arg, value))
            out = kErrSyntax;
        else if (value < 0 || value > kMaxEntry)
            out = kErrRange;
        else {
            entry = value;
            ++m_lutCursor;
            out = kComplete;
        }
        return true;
    }
    int fine = channelOf(r.mnemonic, "LUT");
    if (fine < 0)
        return false;
    int32_t index = 0, value = 0;
    if (r.query) {
        if (!parseInt(r.arg, index))
            out = kErrSyntax;
        else if (index < 0 || index >= kFineLutEntries)
            out = kErrRange;
        else
            out = reply(r.mnemonic, m_work.fineLuts[fine][index]);
        return true;
    }
    if (!parsePair(r.arg, index, value))
        out = kErrSyntax;
    else if (index < 0 || index >= kFineLutEntries || value < 0 || value > kMaxEntry)
        out = kErrRange;
    else {
        m_work.fineLuts[fine][index] = value;
        out = kComplete;
    }
    return true;
}
