#include "SimCamera.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>

namespace {

std::string trim(const std::string& text)
{
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool isMnemonic(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c));
    }) && std::isupper(static_cast<unsigned char>(text[0]));
}

} // namespace

SimCamera::SimCamera(const SimOptions& options, Clock clock) : m_options(options), m_clock(std::move(clock))
{
    buildCatalog();
    seedSequencer(m_work);
    seedLuts(m_work);
    for (const auto& [mnemonic, value] : m_options.sets) {
        Request r;
        r.mnemonic = upper(mnemonic);
        r.arg = trim(value);
        r.initial = true;
        std::string answer = dispatch(r);
        if (answer != kComplete && m_initError.empty())
            m_initError = "--set " + mnemonic + "=" + value + ": " + answer;
    }
    seedBlemishes();
    for (Settings& area : m_areas)
        area = m_work;
    powerOn();
    m_events.clear(); // the power-on state is no change
}

void SimCamera::powerOn()
{
    m_work = m_areas[0];
    m_lastForm.clear();
    m_lutCursor = 0;
    m_awb = m_atcs = m_shading = OneShot();
    m_unlocked = false;
    m_activeSet = std::max<int32_t>(1, num("SQSS"));
    double t = now();
    for (Counter& c : m_counters)
        c = Counter{t, 0};
    updateVideoSendMode();
}

bool SimCamera::IsSettingLine(const std::string& line)
{
    size_t eq = line.find('=');
    size_t q = line.find('?');
    return eq != std::string::npos && (q == std::string::npos || eq < q);
}

std::string SimCamera::HandleLine(const std::string& line)
{
    std::string text = trim(line);
    size_t eq = text.find('=');
    size_t q = text.find('?');
    Request r;
    size_t split = std::string::npos;
    if (q != std::string::npos && (eq == std::string::npos || q < eq)) {
        r.query = true;
        split = q;
    } else if (eq != std::string::npos) {
        split = eq;
    }
    std::string answer;
    std::string form;
    m_extraMs = 0;
    if (split == std::string::npos) {
        answer = kErrSyntax;
    } else {
        r.mnemonic = upper(trim(text.substr(0, split)));
        r.arg = trim(text.substr(split + 1));
        if (!isMnemonic(r.mnemonic)) {
            answer = kErrSyntax;
        } else {
            form = r.mnemonic + (r.query ? "?" : "=");
            answer = dispatch(r);
        }
    }
    // A lookup-table run goes on only while lines of its own form follow one another and are
    // taken; anything else starts the next run at entry 0.
    bool accepted = answer.rfind("ERROR", 0) != 0;
    m_lastForm = accepted ? form : std::string();
    return answer;
}

std::string SimCamera::dispatch(const Request& r)
{
    std::string out;
    if (handleSequencer(r, out) || handleLut(r, out) || handleFlash(r, out) || handleAutomatic(r, out)
        || handleIdentity(r, out) || handleBlemish(r, out) || handleCounters(r, out) || handleModes(r, out)
        || handleLens(r, out))
        return out;
    if (!known(r.mnemonic))
        return kErrUnknown;
    return r.query ? genericQuery(r) : genericSet(r);
}

bool SimCamera::known(const std::string& mnemonic) const { return m_info.count(mnemonic) > 0; }

std::string SimCamera::genericQuery(const Request& r)
{
    if (!r.arg.empty())
        return kErrSyntax;
    const Info& info = m_info.at(r.mnemonic);
    auto stored = info.stored ? m_work.values.find(r.mnemonic) : m_fixed.find(r.mnemonic);
    const Stored& v = stored->second;
    return info.text ? reply(r.mnemonic, v.text) : reply(r.mnemonic, v.number);
}

std::string SimCamera::genericSet(const Request& r)
{
    const Info& info = m_info.at(r.mnemonic);
    if (info.readOnly && !r.initial)
        return kErrReadOnly;
    Stored& v = info.stored ? m_work.values[r.mnemonic] : m_fixed[r.mnemonic];
    if (info.text) {
        if (r.arg.size() > info.maxLength)
            return kErrRange;
        v.text = r.arg;
        return kComplete;
    }
    int32_t value = 0;
    std::string error = checkedNumber(r.mnemonic, r.arg, r.initial, value);
    if (!error.empty())
        return error;
    const auto step = m_options.steps.find(r.mnemonic);
    if (step != m_options.steps.end() && !r.initial)
        value -= value % step->second;
    v.number = value;
    return kComplete;
}

std::string SimCamera::checkedNumber(const std::string& mnemonic, const std::string& text, bool initial,
                                     int32_t& out) const
{
    if (!parseInt(text, out))
        return kErrSyntax;
    const Info& info = m_info.at(mnemonic);
    if (info.ranged && (out < info.min || out > info.max))
        return kErrRange;
    return {};
}

bool SimCamera::parseInt(const std::string& text, int32_t& out) const
{
    std::string t = trim(text);
    if (t.size() > 2 && (t[0] == '&') && (t[1] == 'H' || t[1] == 'h')) {
        long long v = 0;
        for (size_t i = 2; i < t.size(); ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(t[i])) || v > 0xFFFFFFFLL)
                return false;
            v = v * 16 + (std::isdigit(static_cast<unsigned char>(t[i])) ? t[i] - '0' : std::toupper(t[i]) - 'A' + 10);
        }
        if (v > INT32_MAX)
            return false;
        out = static_cast<int32_t>(v);
        return true;
    }
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negative = t[i++] == '-';
    if (i >= t.size())
        return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i])))
            return false;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL)
            return false;
    }
    v = negative ? -v : v;
    if (v > INT32_MAX || v < INT32_MIN)
        return false;
    out = static_cast<int32_t>(v);
    return true;
}

bool SimCamera::parsePair(const std::string& text, int32_t& first, int32_t& second) const
{
    size_t comma = text.find(',');
    return comma != std::string::npos && parseInt(text.substr(0, comma), first)
        && parseInt(text.substr(comma + 1), second);
}

std::string SimCamera::reply(const std::string& mnemonic, int32_t value) const
{
    return mnemonic + "=" + std::to_string(value);
}

std::string SimCamera::reply(const std::string& mnemonic, const std::string& value) const
{
    return mnemonic + "=" + value;
}

int32_t SimCamera::num(const std::string& mnemonic) const
{
    auto it = m_work.values.find(mnemonic);
    if (it != m_work.values.end())
        return it->second.number;
    it = m_fixed.find(mnemonic);
    return it != m_fixed.end() ? it->second.number : 0;
}

void SimCamera::setNum(const std::string& mnemonic, int32_t value)
{
    auto it = m_work.values.find(mnemonic);
    if (it != m_work.values.end())
        it->second.number = value;
    else if (known(mnemonic))
        m_fixed[mnemonic].number = value;
}

double SimCamera::now() const
{
    if (m_clock)
        return m_clock();
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

const std::string& SimCamera::Model() const { return m_fixed.at("MD").text; }

int SimCamera::SensorWidth() const { return m_options.model == "KT-5100W-QBCL" ? 1456 : 2064; }

int SimCamera::SensorHeight() const { return m_options.model == "KT-5100W-QBCL" ? 1088 : 1544; }

std::vector<std::string> SimCamera::TakeEvents()
{
    std::vector<std::string> events;
    events.swap(m_events);
    return events;
}

std::string SimCamera::Value(const std::string& mnemonic)
{
    Request r;
    r.query = true;
    r.mnemonic = upper(mnemonic);
    std::string answer = dispatch(r);
    size_t eq = answer.find('=');
    return eq == std::string::npos ? std::string() : answer.substr(eq + 1);
}
