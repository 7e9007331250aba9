#pragma once
// The state and the command semantics of one simulated Lumora camera: every mnemonic of the
// command table with its value, range and flags, the sequencer sets, the lookup tables, the
// flash areas, the automatic functions, the blemish lists, the counters and the identity data.
// It knows nothing about bytes, pacing or faults (SimSession) nor about devices (SimServer).
//
// The wire grammar from the camera's side: every line gets exactly one reply line.
//   "MN?"           -> "MN=value"
//   "MN?ARG"        -> "MN=value" for the argument forms (BMPXWR?5, LUTR?7)
//   "MN=value"      -> "COMPLETE", the value stored
//   "MN=a,b"        -> "COMPLETE" for the pair forms (BMPXWR=5,100, LUTG=10,200)
//   "SQW5=1936", "SQF3?" -> the field of sequencer set 1..128
// An unknown mnemonic, a value out of range, a write to a read-only value and a malformed line
// get one of the error texts below (never silence). Mnemonics are taken without regard to case;
// spaces around mnemonic and value are ignored.
//
// Behaviour beyond storing values:
//   LD=n loads flash area n (0 factory, 1..3 user) into the working settings, SA=n stores them
//   into user area n, SA00=0 into the factory area; CRS00=1 returns to the power-on state (the
//   factory area). Areas hold every stored value, the sequencer sets and the lookup tables;
//   identity and status values are not part of them.
//   LUTSR/LUTSG/LUTSB: a run of 32 index-less lines of one form addresses entries 0..31.
//   AWB=2/4, AGC=2, ASC=2: AWRS/ATCS answer busy (or values below 8) for the chosen number of
//   polls, then the chosen result; RS=0 sets SDRS. SQM, SQSEL and SMRMD show in VSM.
//   ID is written only right after ULCK=7315048 (ULCK=0 withdraws the unlock); MD00 also
//   changes what MD reports.
//   MLI/MLZ/MLF run a lens motor (1 or 2) until it is set to 0; each accepted setting is a
//   state change, reported by TakeEvents() as "motor iris: open", "motor iris: stop" ...
#include "SimOptions.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class SimCamera {
public:
    // The acknowledgement and the error replies. No error holds "=" or "?", so no reader can
    // take one for a value reply.
    static constexpr const char* kComplete = "COMPLETE";
    static constexpr const char* kErrUnknown = "ERROR: UNKNOWN COMMAND";
    static constexpr const char* kErrRange = "ERROR: OUT OF RANGE";
    static constexpr const char* kErrSyntax = "ERROR: SYNTAX";
    static constexpr const char* kErrReadOnly = "ERROR: READ ONLY";
    static constexpr const char* kErrLocked = "ERROR: LOCKED";
    static constexpr const char* kErrTooLong = "ERROR: LINE TOO LONG";

    static constexpr int kSequencerSets = 128;
    static constexpr int kLutEntries = 32;     // the tables of the index-less runs (LUTSR...)
    static constexpr int kFineLutEntries = 257; // the indexed tables (LUTR?i, LUTR=i,v)
    static constexpr int kBlemishSlots = 200;
    static constexpr int32_t kUnlockCode = 7315048;

    // Seconds on a monotonic clock; the counters count frames against it.
    using Clock = std::function<double()>;

    // The camera at power-on: the parameter table's initial values, the model, then opts.sets.
    // An initial value that the camera would not take is reported by InitError().
    explicit SimCamera(const SimOptions& options = SimOptions(), Clock clock = Clock());

    // One received line without its line end -> the one reply line without CR LF.
    std::string HandleLine(const std::string& line);

    // True when the line is a setting (has "=" before any "?"), the form the error-replies
    // fault refuses.
    static bool IsSettingLine(const std::string& line);

    const std::string& InitError() const { return m_initError; }
    const std::string& Model() const;
    // Sensor size of the model: 1456 x 1088 for KT-5100W-QBCL, 2064 x 1544 otherwise.
    int SensorWidth() const;
    int SensorHeight() const;

    // Extra time in ms that the camera takes before answering the line just handled (flash
    // memory work); front ends add it to the latency.
    uint32_t ExtraTimeMs() const { return m_extraMs; }

    // What changed in the camera's state since the last call, oldest first (lens motors).
    std::vector<std::string> TakeEvents();

    // A plain value as a query would report it (without "MN="); empty for an unknown mnemonic.
    // It is a query: asking for a status polls a running one-shot function.
    std::string Value(const std::string& mnemonic);

private:
    struct Info {               // what the camera knows about one mnemonic
        bool text = false;
        bool ranged = false;
        int32_t min = 0;
        int32_t max = 0;
        size_t maxLength = 32;  // text values
        bool readOnly = false;
        bool stored = true;     // part of the working settings that flash areas keep
    };
    struct Stored {
        int32_t number = 0;
        std::string text;
    };
    struct SequencerSet {
        std::map<std::string, int32_t> fields;
    };
    // Everything that LD loads and SA stores.
    struct Settings {
        std::map<std::string, Stored> values;
        std::array<SequencerSet, kSequencerSets> sets;
        std::array<std::array<int32_t, kLutEntries>, 3> luts{};
        std::array<std::array<int32_t, kFineLutEntries>, 3> fineLuts{};
    };
    struct Request {
        bool query = false;
        std::string mnemonic; // upper case
        std::string arg;      // query argument or setting value, trimmed
        bool initial = false; // an initial value: read-only and lock rules do not apply
    };
    struct OneShot {          // a running one-shot automatic function
        bool running = false;
        int busyLeft = 0;
        int polls = 0;
        int result = 0;
    };

    std::string dispatch(const Request& r);
    std::string genericQuery(const Request& r);
    std::string genericSet(const Request& r);
    std::string reply(const std::string& mnemonic, int32_t value) const;
    std::string reply(const std::string& mnemonic, const std::string& value) const;
    bool known(const std::string& mnemonic) const;
    int32_t num(const std::string& mnemonic) const;
    void setNum(const std::string& mnemonic, int32_t value);
    bool parseInt(const std::string& text, int32_t& out) const;
    bool parsePair(const std::string& text, int32_t& first, int32_t& second) const;
    std::string checkedNumber(const std::string& mnemonic, const std::string& text, bool initial, int32_t& out) const;

    // Feature handlers: each returns true when it owns the request and then fills out.
    bool handleSequencer(const Request& r, std::string& out);
    bool handleLut(const Request& r, std::string& out);
    bool handleFlash(const Request& r, std::string& out);
    bool handleAutomatic(const Request& r, std::string& out);
    bool handleIdentity(const Request& r, std::string& out);
    bool handleBlemish(const Request& r, std::string& out);
    bool handleCounters(const Request& r, std::string& out);
    bool handleModes(const Request& r, std::string& out);
    bool handleLens(const Request& r, std::string& out);

    void buildCatalog();
    bool sequencerField(const std::string& name, int32_t& min, int32_t& max) const;
    void seedSequencer(Settings& s) const;
    void seedLuts(Settings& s) const;
    void seedBlemishes();
    void powerOn();
    void updateVideoSendMode();
    double now() const;
    int32_t counterValue(int which);

    SimOptions m_options;
    Clock m_clock;
    std::string m_initError;
    std::map<std::string, Info> m_info;
    Settings m_work;
    std::array<Settings, 4> m_areas; // 0 factory, 1..3 user
    std::map<std::string, Stored> m_fixed; // values outside the working settings (identity, status)

    // Lookup-table runs: the entry that the next index-less line of a channel addresses.
    std::string m_lastForm;
    int m_lutCursor = 0;

    OneShot m_awb, m_atcs, m_shading;
    bool m_atcsIsExposure = false;
    bool m_unlocked = false;
    uint32_t m_extraMs = 0;
    std::vector<std::string> m_events;
    int32_t m_activeSet = 1;
    std::array<std::array<int32_t, kBlemishSlots>, 3> m_blemishX{};
    std::array<std::array<int32_t, kBlemishSlots>, 3> m_blemishY{};
    struct Counter {
        double since = 0;
        int64_t base = 0;
    };
    std::array<Counter, 3> m_counters{};
};
