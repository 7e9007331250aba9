#include "SimOptions.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool parseNumber(const std::string& text, long long lo, long long hi, long long& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    out = v;
    return true;
}

bool parseFault(const std::string& text, SimFaults& faults, std::string& error)
{
    long long n = 0;
    auto countAfter = [&](const std::string& prefix, int& target) {
        if (!parseNumber(text.substr(prefix.size()), 0, INT_MAX, n)) {
            error = "--fault " + text + ": N must be a whole number of lines";
            return false;
        }
        target = static_cast<int>(n);
        return true;
    };
    if (text.rfind("silent-after=", 0) == 0)
        return countAfter("silent-after=", faults.silentAfter);
    if (text.rfind("hangup-after=", 0) == 0)
        return countAfter("hangup-after=", faults.hangupAfter);
    if (text.rfind("garbage-after=", 0) == 0)
        return countAfter("garbage-after=", faults.garbageAfter);
    if (text.rfind("error-replies-after=", 0) == 0)
        return countAfter("error-replies-after=", faults.errorsAfter);
    if (text.rfind("refuse-once=", 0) == 0 && text.size() > 12) {
        faults.refuseOnce.push_back(text.substr(12));
        return true;
    }
    if (text == "garbage")
        faults.garbage = true;
    else if (text == "overflow")
        faults.overflow = true;
    else if (text == "error-replies")
        faults.errorReplies = true;
    else {
        error = "unknown fault \"" + text + "\"";
        return false;
    }
    return true;
}

bool parseResult(const std::string& text, SimResults& results, std::string& error)
{
    size_t eq = text.find('=');
    long long code = 0;
    if (eq == std::string::npos || !parseNumber(text.substr(eq + 1), 0, 255, code)) {
        error = "--result " + text + ": expected FUNCTION=CODE with a code 0..255";
        return false;
    }
    std::string name = text.substr(0, eq);
    int* target = name == "awb" ? &results.awb : name == "agc" ? &results.agc
                : name == "asc" ? &results.asc : name == "rs" ? &results.rs : nullptr;
    if (!target) {
        error = "--result: unknown function \"" + name + "\" (awb, agc, asc, rs)";
        return false;
    }
    *target = static_cast<int>(code);
    return true;
}

} // namespace

bool ParseSimArgs(const std::vector<std::string>& args, SimOptions& out, std::string& error)
{
    static const char* const kWithValue[] = {"--model", "--set", "--step", "--device", "--link", "--log", "--baud",
                                             "--latency-ms", "--flash-ms", "--busy-polls", "--result", "--fault", "--seed", "--genicam"};
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        size_t eq = name.find('=');
        if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            out.help = true;
            continue;
        }
        bool known = false;
        for (const char* option : kWithValue)
            known = known || name == option;
        if (!known) {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        long long n = 0;
        if (name == "--model") {
            if (value.empty()) {
                error = "--model needs a name";
                return false;
            }
            out.model = value;
        } else if (name == "--set") {
            size_t split = value.find('=');
            if (split == std::string::npos || split == 0) {
                error = "--set " + value + ": expected MN=VALUE";
                return false;
            }
            std::string mnemonic = value.substr(0, split);
            for (char& c : mnemonic)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            out.sets.emplace_back(mnemonic, value.substr(split + 1));
        } else if (name == "--step") {
            const size_t split = value.find('=');
            if (split == std::string::npos || split == 0 || !parseNumber(value.substr(split + 1), 1, INT32_MAX, n)) {
                error = "--step " + value + ": expected MN=N with N from 1";
                return false;
            }
            std::string mnemonic = value.substr(0, split);
            for (char& c : mnemonic)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            out.steps[mnemonic] = static_cast<int32_t>(n);
        } else if (name == "--device") {
            out.device = value;
        } else if (name == "--link") {
            out.link = value;
        } else if (name == "--log") {
            out.log = value;
        } else if (name == "--baud") {
            if (!parseNumber(value, 1, 4000000, n)) {
                error = "--baud " + value + ": expected a rate of 1 to 4000000 bit/s";
                return false;
            }
            out.baud = static_cast<uint32_t>(n);
        } else if (name == "--latency-ms") {
            if (!parseNumber(value, 0, 600000, n)) {
                error = "--latency-ms " + value + ": expected 0 to 600000";
                return false;
            }
            out.latencyMs = static_cast<uint32_t>(n);
        } else if (name == "--flash-ms") {
            if (!parseNumber(value, 0, 600000, n)) {
                error = "--flash-ms " + value + ": expected 0 to 600000";
                return false;
            }
            out.flashMs = static_cast<uint32_t>(n);
        } else if (name == "--busy-polls") {
            if (value == "never") {
                out.busyPolls = SimOptions::kBusyForever;
            } else if (!parseNumber(value, 0, 100000, n)) {
                error = "--busy-polls " + value + ": expected 0 to 100000 or never";
                return false;
            } else {
                out.busyPolls = static_cast<int>(n);
            }
        } else if (name == "--genicam") {
            out.genicam = value;
        } else if (name == "--seed") {
            if (!parseNumber(value, 0, UINT32_MAX, n)) {
                error = "--seed " + value + ": expected a whole number";
                return false;
            }
            out.seed = static_cast<uint32_t>(n);
        } else if (name == "--result") {
            if (!parseResult(value, out.results, error))
                return false;
        } else if (name == "--fault") {
            if (!parseFault(value, out.faults, error))
                return false;
        }
    }
    if (!out.device.empty() && !out.link.empty() && out.device == out.link) {
        error = "--link must not name the served device itself";
        return false;
    }
    return true;
}

std::string SimUsage()
{
    return "Usage: lumora-camsim [options]\n"
           "A simulated Lumora camera on a pseudo-terminal; prints the device path first.\n"
           "  --model NAME            model name (KT-5100W-QBCL, KT-5200W-QBCL or any other)\n"
           "  --set MN=VALUE          initial value of a command (repeatable)\n"
           "  --step MN=N             store MN rounded down to a multiple of N, still acknowledged\n"
           "  --device PATH           serve an existing serial device instead of a pty\n"
           "  --link PATH             make a symbolic link to the device\n"
           "  --log FILE              log every line as JSON: {\"t\": s, \"dir\": \"rx\"|\"tx\", \"line\": ...}\n"
           "                          (\"dir\": \"state\" for a change it caused, e.g. \"motor iris: stop\")\n"
           "  --baud N                pace answers to N bit/s (10 bits per byte)\n"
           "  --latency-ms N          the camera's own time to answer\n"
           "  --flash-ms N            extra time of flash loads, stores and resets\n"
           "  --busy-polls N|never    status polls a one-shot function answers busy (default 3;\n"
           "                          never: the run never ends)\n"
           "  --result F=CODE         result of a one-shot function: awb, agc, asc, rs (repeatable)\n"
           "  --fault silent-after=N | garbage | garbage-after=N | overflow | error-replies |\n"
           "          error-replies-after=N | hangup-after=N | refuse-once=LINE\n"
           "  --seed N                seed of the garbage fault\n"
           "  --genicam FILE|none     feature description served over GenCP (default: the model's)\n";
}
