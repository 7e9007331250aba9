// The camera's power-on state: every mnemonic of the command table, seeded from the parameter
// table's initial values and ranges, corrected by the camera's own facts below.
#include "SimCamera.h"

#include "TableData.h"

#include <algorithm>


namespace {

enum : uint32_t {
    kReadOnly = 1,  // the camera reports it; a setting is refused
    kNotStored = 2, // identity, status and actions: not part of a flash area
    kRange = 4,     // min..max below replace the parameter table's range
    kInitial = 8,   // initial below replaces the parameter table's initial value
};

struct CameraFact {
    const char* mnemonic;
    uint32_t flags;
    int32_t min;
    int32_t max;
    int32_t initial;
};

// What the parameter table does not say about the camera itself. Ranges listed here are the
// camera's where the tool's own lists send values outside the table's list positions (GMA
// carries the gamma x 100, FCBDRT the baud-rate bit, VSM may report 4 for multi-ROI).
constexpr CameraFact kCameraFacts[] = {
    {"VN", kReadOnly | kNotStored | kInitial, 0, 0, 105},      // firmware 1.05
    {"FPVN", kReadOnly | kNotStored | kInitial, 0, 0, 212},    // FPGA 2.12
    {"XMLVR", kNotStored | kRange | kInitial, 0, 999, 123},    // XML 1.2.3
    {"SBDRT", kNotStored | kRange | kInitial, 1, 255, 31},     // up to 115200 bit/s
    {"FCBDRT", kNotStored | kRange | kInitial, 1, 128, 1},     // 9600 bit/s
    {"ERRER", kReadOnly | kNotStored, 0, 0, 0},
    {"TMP0", kReadOnly | kNotStored | kInitial, 0, 0, 5440},   // 42.50 degrees in 1/128
    {"ALCST", kReadOnly | kNotStored, 0, 0, 0},
    {"AWRS", kReadOnly | kNotStored | kInitial, 0, 0, 255},    // idle
    {"ATCS", kReadOnly | kNotStored | kInitial, 0, 0, 255},
    {"SDRS", kReadOnly | kNotStored | kInitial, 0, 0, 255},
    {"BNUMR", kReadOnly | kNotStored | kInitial, 0, 200, 12},
    {"BNUMG", kReadOnly | kNotStored | kInitial, 0, 200, 9},
    {"BNUMB", kReadOnly | kNotStored | kInitial, 0, 200, 15},
    {"FBNUM", kReadOnly | kNotStored | kInitial, 0, 0, 36},
    {"FBBNUM", kReadOnly | kNotStored | kInitial, 0, 0, 4},
    {"CV0", kReadOnly | kNotStored, 0, 0, 0},
    {"CV1", kReadOnly | kNotStored, 0, 0, 0},
    {"CV2", kReadOnly | kNotStored, 0, 0, 0},
    {"SQIDX", kReadOnly | kNotStored | kInitial, 0, 0, 1},
    {"AR", kInitial, 0, 0, 33333},                             // 30 frames/s
    {"GA", kInitial, 0, 0, 100},
    {"AWB", kRange, 0, 8, 0},
    {"GMA", kRange, 0, 100, 0},
    {"VSM", kRange, 0, 4, 0},
    {"FGR", kRange, 47, 6400, 0},                              // 47..400 without individual gain
    {"FGB", kRange, 47, 6400, 0},
    {"MLI", kNotStored | kRange, 0, 2, 0},
    {"MLZ", kNotStored | kRange, 0, 2, 0},
    {"MLF", kNotStored | kRange, 0, 2, 0},
    {"CRS00", kNotStored | kRange, 1, 1, 0},
    {"LD", kNotStored | kRange, 0, 3, 0},
    {"SA", kNotStored | kRange, 1, 3, 0},
    {"SA00", kNotStored | kRange, 0, 0, 0},
    {"ULCK", kNotStored, 0, 0, 0},
    {"STRG", kNotStored, 0, 0, 0},
    {"SQRST", kNotStored, 0, 0, 0},
    {"RS", kNotStored | kRange, 0, 1, 0},
    {"BMRCW", kNotStored, 0, 0, 0},
    {"BMS", kNotStored, 0, 0, 0},
    {"CR0", kNotStored | kRange, 0, 1, 0},
    {"CR1", kNotStored | kRange, 0, 1, 0},
    {"CR2", kNotStored | kRange, 0, 1, 0},
};

struct TextFact {
    const char* mnemonic;
    size_t maxLength;
    const char* initial; // nullptr: the model name
};

constexpr TextFact kTextFacts[] = {
    {"MD", 32, nullptr}, {"MD00", 32, nullptr}, {"UD", 16, "LUMORA-SIM"}, {"ID", 10, "SIM0000001"}, {"DV", 16, "1.0.0.0"},
};

// Baud-rate bits of FCBDRT by line speed.
constexpr std::pair<uint32_t, int32_t> kBaudBits[] = {
    {9600, 1}, {19200, 2}, {38400, 4}, {57600, 8}, {115200, 16}, {230400, 32}, {460800, 64}, {921600, 128},
};

// Mnemonics of the sensor multi-ROI, which only the first model has.
bool isMultiRoi(const std::string& mnemonic) { return mnemonic.rfind("SMR", 0) == 0; }

} // namespace

void SimCamera::buildCatalog()
{
    // Every command of the table, with the value kind the table gives it.
    for (int i = 0; i < CommandTable::kCount; ++i) {
        const CommandSeed& seed = kCommandSeeds[i];
        if (!seed.mnemonic || !*seed.mnemonic)
            continue;
        Info& info = m_info[seed.mnemonic];
        info.text = info.text || seed.valueKind == 2;
    }
    // Range and initial value from the first row that gives the command a range, else its
    // first row.
    std::map<std::string, bool> ranged;
    for (int row = 0; row < ParameterTable::kRowCount; ++row) {
        const ParameterRow& p = kInitialParameterRows[row];
        if (p.cmdId >= static_cast<uint32_t>(CommandTable::kCount))
            continue;
        const char* name = kCommandSeeds[p.cmdId].mnemonic;
        if (!name || !*name)
            continue;
        std::string mnemonic = name;
        bool hasRange = p.minValue < p.maxValue;
        bool seen = m_work.values.count(mnemonic) > 0;
        if (seen && (ranged[mnemonic] || !hasRange))
            continue;
        Info& info = m_info[mnemonic];
        info.ranged = hasRange;
        info.min = p.minValue;
        info.max = p.maxValue;
        ranged[mnemonic] = hasRange;
        m_work.values[mnemonic].number = p.value;
    }
    for (const auto& [mnemonic, info] : m_info)
        m_work.values[mnemonic]; // commands without a row start at 0
    for (const CameraFact& fact : kCameraFacts) {
        Info& info = m_info[fact.mnemonic];
        info.readOnly = fact.flags & kReadOnly;
        info.stored = !(fact.flags & kNotStored);
        if (fact.flags & kRange) {
            info.ranged = true;
            info.min = fact.min;
            info.max = fact.max;
        }
        if (fact.flags & kInitial)
            m_work.values[fact.mnemonic].number = fact.initial;
    }
    for (const TextFact& fact : kTextFacts) {
        Info& info = m_info[fact.mnemonic];
        info.text = true;
        info.stored = false;
        info.ranged = false;
        info.maxLength = fact.maxLength;
        info.readOnly = std::string(fact.mnemonic) == "MD"; // the model is written through MD00
        m_work.values[fact.mnemonic].text = fact.initial ? fact.initial : m_options.model;
    }
    for (const auto& [baud, bits] : kBaudBits)
        if (m_options.baud == baud)
            m_work.values["FCBDRT"].number = bits;
    if (m_options.model == "KT-5200W-QBCL") {
        for (auto it = m_info.begin(); it != m_info.end();)
            it = isMultiRoi(it->first) ? m_info.erase(it) : std::next(it);
    }
    // Identity and status live outside the working settings.
    for (auto it = m_work.values.begin(); it != m_work.values.end();) {
        auto info = m_info.find(it->first);
        if (info == m_info.end()) {
            it = m_work.values.erase(it);
        } else if (!info->second.stored) {
            m_fixed[it->first] = it->second;
            it = m_work.values.erase(it);
        } else {
            ++it;
        }
    }
}

namespace {

struct SequencerField {
    const char* name;
    int32_t min;
    int32_t max; // -1: the sensor width, -2: the sensor height
    int32_t initial;
};

// The fields of one sequencer set. The ranges are the widest the tool may send: binning x2
// halves the minimum width, exposure times go down to 1.
constexpr SequencerField kSequencerFields[] = {
    {"SQF", 1, 255, 1},           {"SQNI", 1, 128, 2},        {"SQHB", 1, 2, 1},        {"SQVB", 1, 2, 1},
    {"SQW", 48, -1, 1936},        {"SQH", 2, -2, 1216},       {"SQOX", 0, -1, 0},       {"SQOY", 0, -2, 0},
    {"SQGA", 100, 800, 100},      {"SQPE", 1, 8000000, 18000}, {"SQPER", 1, 8000000, 18000},
    {"SQPEG", 1, 8000000, 18000}, {"SQPEB", 1, 8000000, 18000}, {"SQLUT", 0, 1, 0},     {"SQBL", -133, 255, 0},
    {"SQGR", 47, 6400, 100},      {"SQGG", 47, 6400, 100},    {"SQGB", 47, 6400, 100},
};

} // namespace

bool SimCamera::sequencerField(const std::string& name, int32_t& min, int32_t& max) const
{
    for (const SequencerField& f : kSequencerFields) {
        if (name != f.name)
            continue;
        min = f.min;
        max = f.max == -1 ? SensorWidth() : f.max == -2 ? SensorHeight() : f.max;
        return true;
    }
    return false;
}

void SimCamera::seedSequencer(Settings& s) const
{
    for (SequencerSet& set : s.sets)
        for (const SequencerField& f : kSequencerFields) {
            int32_t min = 0, max = 0;
            sequencerField(f.name, min, max);
            set.fields[f.name] = std::min(f.initial, max);
        }
}

void SimCamera::seedLuts(Settings& s) const
{
    // Straight tables: entry j stands for the input level 128 j (the last for 4095).
    for (auto& table : s.luts)
        for (int j = 0; j < kLutEntries; ++j)
            table[j] = j == kLutEntries - 1 ? 4095 : 128 * j;
    for (auto& table : s.fineLuts)
        for (int j = 0; j < kFineLutEntries; ++j)
            table[j] = std::min(4095, 16 * j);
}

void SimCamera::seedBlemishes()
{
    // Scattered, reproducible positions for the first BNUMx slots of each colour.
    static const char* const kCounts[] = {"BNUMR", "BNUMG", "BNUMB"};
    for (int c = 0; c < 3; ++c) {
        int count = std::clamp<int32_t>(num(kCounts[c]), 0, kBlemishSlots);
        for (int i = 0; i < kBlemishSlots; ++i) {
            bool used = i < count;
            m_blemishX[c][i] = used ? (37 + 397 * (i + 1) + 101 * c) % SensorWidth() : -1;
            m_blemishY[c][i] = used ? (19 + 211 * (i + 1) + 53 * c) % SensorHeight() : -1;
        }
    }
}
