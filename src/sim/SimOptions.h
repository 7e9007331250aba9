#pragma once
// Start-up options of the simulated camera, shared by the pty program and the Camera Link
// front ends. ParseSimArgs reads the program's arguments (without the program name); the
// front ends that have no command line may fill SimOptions directly.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Ways in which the simulated camera misbehaves on request (--fault ...). Several may be on.
struct SimFaults {
    int silentAfter = -1;      // silent-after=N: lines after the N-th are ignored: no answer, no effect
    bool garbage = false;      // garbage: every answer is a line of random bytes
    int garbageAfter = -1;     // garbage-after=N: answers after the N-th are random bytes
    bool overflow = false;     // overflow: every answer is 2000 bytes without a LF
    bool errorReplies = false; // error-replies: settings are refused with an error text
    int errorsAfter = -1;      // error-replies-after=N: every answer after the N-th is an error text
    int hangupAfter = -1;      // hangup-after=N: the line is closed after the N-th answer (0: at once)
    // refuse-once=LINE: the first time exactly this line arrives it is refused with an error
    // text and not applied (a lens stop that did not take, say); repeatable.
    std::vector<std::string> refuseOnce;
};

// Outcome codes that the automatic functions report when a one-shot run ends.
struct SimResults {
    int awb = 0;   // AWRS after AWB=2 / AWB=4 (0 "Complete")
    int agc = 8;   // ATCS after AGC=2 (8 "Convergent")
    int asc = 8;   // ATCS after ASC=2
    int rs = 0;    // SDRS after RS=0
};

struct SimOptions {
    std::string model = "KT-5100W-QBCL";
    // Initial values, applied in order after the model: mnemonic (upper case) and value text.
    std::vector<std::pair<std::string, std::string>> sets;
    // Settings the camera stores coarser than it takes them: MN's value is rounded down to a
    // multiple of the step and still acknowledged (--step MN=N).
    std::map<std::string, int32_t> steps;
    std::string device; // serve this serial device instead of a new pseudo-terminal
    std::string link;   // make this symbolic link to the served device
    std::string log;    // JSON-lines traffic log
    uint32_t baud = 0;  // pace answers to this line speed; 0 answers at once
    uint32_t latencyMs = 0;
    uint32_t flashMs = 0; // extra time that LD, SA, SA00 and CRS00 take (flash memory)
    static constexpr int kBusyForever = -1;
    int busyPolls = 3;  // status polls that a one-shot function answers busy before its result;
                        // kBusyForever: a run that never ends
    SimResults results;
    SimFaults faults;
    uint32_t seed = 1;  // for the garbage fault
    // The feature description served over GenCP: a file, "none" for none, empty for the
    // model's own.
    std::string genicam;
    bool help = false;
};

// Reads the options. On a mistake returns false with a one-line explanation in error.
// Options: --model NAME, --set MN=VALUE (repeatable), --step MN=N (repeatable), --device PATH, --link PATH, --log FILE,
// --baud N, --latency-ms N, --flash-ms N, --busy-polls N|never, --result awb|agc|asc|rs=CODE (repeatable),
// --fault silent-after=N|garbage|garbage-after=N|overflow|error-replies|hangup-after=N
// (repeatable),
// --genicam FILE|none, --seed N, --help. "--opt value" and "--opt=value" are both accepted.
bool ParseSimArgs(const std::vector<std::string>& args, SimOptions& out, std::string& error);

// The usage text that the program prints for --help and after a mistake.
std::string SimUsage();
