// The automatic functions. A one-shot run (AWB=2 or 4, AGC=2, ASC=2) answers busy on its
// status for the chosen number of polls (or for ever), then its result code, and leaves its
// mode at 0 (off) with the adjusted values in place. RS=0 recalibrates the shading at once and reports SDRS.
#include "SimCamera.h"

#include <algorithm>

namespace {

constexpr int32_t kBusy = 4;
constexpr int32_t kIdle = 255;
constexpr int32_t kDone = 0;
constexpr int32_t kConvergent = 8;
// What ATCS reports while gain or exposure converge: busy, too dark, too bright, ...
constexpr int32_t kConverging[] = {4, 2, 1};

} // namespace

bool SimCamera::handleAutomatic(const Request& r, std::string& out)
{
    const std::string& m = r.mnemonic;
    if (r.query && r.arg.empty()) {
        if (m == "AWRS" && m_awb.running) {
            if (m_awb.busyLeft != 0) {
                m_awb.busyLeft -= m_awb.busyLeft > 0;
                out = reply(m, kBusy);
                return true;
            }
            // The balance is found: the digital gains move, the mode drops back to off.
            m_awb.running = false;
            setNum("AWRS", m_awb.result);
            setNum("AWB", 0);
            setNum("PGR", 104);
            setNum("PGB", 97);
        } else if (m == "ATCS" && m_atcs.running) {
            if (m_atcs.busyLeft != 0) {
                m_atcs.busyLeft -= m_atcs.busyLeft > 0;
                out = reply(m, kConverging[m_atcs.polls++ % std::size(kConverging)]);
                return true;
            }
            m_atcs.running = false;
            setNum("ATCS", m_atcs.result);
            if (m_atcsIsExposure) {
                setNum("ASC", 0);
                for (const char* pe : {"PE", "PER", "PEG", "PEB"})
                    setNum(pe, std::clamp<int32_t>(num("AR") / 2, 1, 8000000));
            } else {
                setNum("AGC", 0);
                setNum("FGA", 240);
            }
        } else if (m == "ALCST") {
            // Which automatic level control runs: 2 exposure, 3 gain, 0 none.
            out = reply(m, num("ASC") == 1 ? 2 : num("AGC") == 1 ? 3 : 0);
            return true;
        }
        return false; // the stored value answers
    }
    if (r.query || (m != "AWB" && m != "AGC" && m != "ASC" && m != "RS"))
        return false;
    out = genericSet(r);
    if (out != kComplete)
        return true;
    int32_t mode = num(m);
    if (m == "AWB") {
        m_awb = OneShot();
        if (mode == 2 || mode == 4) {
            m_awb = OneShot{true, m_options.busyPolls, 0, m_options.results.awb};
            setNum("AWRS", kBusy);
        } else {
            setNum("AWRS", mode == 0 ? kIdle : (mode == 1 || mode == 3) ? kConvergent : kDone);
        }
    } else if (m == "AGC" || m == "ASC") {
        bool exposure = m == "ASC";
        if (mode == 2) {
            m_atcs = OneShot{true, m_options.busyPolls, 0, exposure ? m_options.results.asc : m_options.results.agc};
            m_atcsIsExposure = exposure;
            setNum("ATCS", kBusy);
        } else if (!m_atcs.running || m_atcsIsExposure == exposure) {
            m_atcs = OneShot();
            setNum("ATCS", mode == 1 ? kConvergent : kIdle);
        }
    } else {
        setNum("SDRS", m_options.results.rs);
        setNum("RS", 0);
    }
    return true;
}
