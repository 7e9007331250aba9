// Flash areas (0 factory, 1..3 user), camera reset, and the identity data with the unlock
// that the camera id needs.
#include "SimCamera.h"

bool SimCamera::handleFlash(const Request& r, std::string& out)
{
    const std::string& m = r.mnemonic;
    if (r.query || (m != "LD" && m != "SA" && m != "SA00" && m != "CRS00"))
        return false;
    int32_t area = 0;
    out = checkedNumber(m, r.arg, r.initial, area);
    if (!out.empty())
        return true;
    if (m == "LD") {
        m_work = m_areas[area];
        m_lastForm.clear();
        updateVideoSendMode();
    } else if (m == "SA") {
        m_areas[area] = m_work;
    } else if (m == "SA00") {
        m_areas[0] = m_work;
    } else {
        powerOn();
    }
    setNum(m, area);
    m_extraMs = m_options.flashMs;
    out = kComplete;
    return true;
}

bool SimCamera::handleIdentity(const Request& r, std::string& out)
{
    const std::string& m = r.mnemonic;
    if (m == "ULCK") {
        if (r.query) {
            out = r.arg.empty() ? reply(m, m_unlocked ? 1 : 0) : kErrSyntax;
            return true;
        }
        int32_t code = 0;
        if (!parseInt(r.arg, code))
            out = kErrSyntax;
        else if (code == 0) {
            m_unlocked = false;
            out = kComplete;
        } else if (code != kUnlockCode)
            out = kErrRange;
        else {
            m_unlocked = true;
            out = kComplete;
        }
        return true;
    }
    if (r.query || (m != "ID" && m != "MD00"))
        return false;
    if (m == "ID" && !m_unlocked && !r.initial) {
        out = kErrLocked;
        return true;
    }
    if (r.arg.empty()) {
        out = kErrRange;
        return true;
    }
    out = genericSet(r);
    if (out != kComplete)
        return true;
    if (m == "ID")
        m_unlocked = false; // the unlock is good for one write
    else
        m_fixed["MD"].text = r.arg; // the model id is what the model query reports
    return true;
}
