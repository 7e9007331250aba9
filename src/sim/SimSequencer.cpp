// Sequencer sets 1..128 (SQF3?, SQW5=1936, ...), the sequencer and multi-ROI modes and how
// they show in the video send mode VSM.
#include "SimCamera.h"

#include <cctype>

bool SimCamera::handleSequencer(const Request& r, std::string& out)
{
    // The mnemonic is a field name followed by the set number; some of these names are also
    // whole table mnemonics (SQF3), and the set form is what the camera means by them.
    size_t digits = r.mnemonic.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(r.mnemonic[digits - 1])))
        --digits;
    if (digits == r.mnemonic.size() || digits == 0)
        return false;
    std::string field = r.mnemonic.substr(0, digits);
    int32_t min = 0, max = 0;
    if (!sequencerField(field, min, max))
        return false;
    std::string number = r.mnemonic.substr(digits);
    int32_t set = 0;
    if (number.size() > 3 || !parseInt(number, set) || set < 1 || set > kSequencerSets) {
        out = kErrRange;
        return true;
    }
    int32_t& stored = m_work.sets[set - 1].fields[field];
    if (r.query) {
        out = r.arg.empty() ? reply(r.mnemonic, stored) : kErrSyntax;
        return true;
    }
    int32_t value = 0;
    if (!parseInt(r.arg, value))
        out = kErrSyntax;
    else if (value < min || value > max)
        out = kErrRange;
    else {
        stored = value;
        out = kComplete;
    }
    return true;
}

bool SimCamera::handleModes(const Request& r, std::string& out)
{
    const std::string& m = r.mnemonic;
    if (m == "SQIDX" && r.query && r.arg.empty()) {
        out = reply(m, m_activeSet);
        return true;
    }
    if (m == "SQRST" && !r.query) {
        int32_t value = 0;
        if (!parseInt(r.arg, value)) {
            out = kErrSyntax;
            return true;
        }
        m_activeSet = std::max<int32_t>(1, num("SQSS"));
        out = kComplete;
        return true;
    }
    if (m == "STRG" && !r.query) {
        // A software trigger moves a running trigger sequencer on to the next set.
        int32_t value = 0;
        if (!parseInt(r.arg, value)) {
            out = kErrSyntax;
            return true;
        }
        if (num("SQM") == 1 && num("SQSEL") == 0) {
            int32_t next = m_work.sets[m_activeSet - 1].fields["SQNI"];
            m_activeSet = next >= 1 && next <= kSequencerSets ? next : 1;
        }
        out = kComplete;
        return true;
    }
    if (r.query || (m != "SQM" && m != "SQSEL" && m != "SMRMD" && m != "CSQI") || !known(m))
        return false;
    out = genericSet(r);
    if (out == kComplete) {
        if (m == "CSQI" && num("SQM") == 1 && num("SQSEL") == 1)
            m_activeSet = num("CSQI");
        if (m == "SQM" && num("SQM") == 1)
            m_activeSet = num("SQSEL") == 1 ? std::max<int32_t>(1, num("CSQI")) : std::max<int32_t>(1, num("SQSS"));
        updateVideoSendMode();
    }
    return true;
}

void SimCamera::updateVideoSendMode()
{
    // Multi-ROI wins; otherwise the sequencer mode and its kind; a camera without either
    // keeps the normal mode.
    int32_t mode = 0;
    if (known("SMRMD") && num("SMRMD") == 1)
        mode = 4;
    else if (num("SQM") == 1)
        mode = num("SQSEL") == 1 ? 2 : 1;
    setNum("VSM", mode);
}
