// The units of the camera commands whose feature description (data/genicam) names one: the
// image region in pixels, the frame period and every exposure time in microseconds.
#include "ControlTips.h"

#include <map>

QString ControlTips::UnitOf(const std::string& mnemonic)
{
    static const std::map<std::string, const char*> kUnits = {
        {"WTC", "px"},     {"HTL", "px"},    {"OFC", "px"},    {"OFL", "px"},    {"SQW", "px"},
        {"SQH", "px"},     {"SQOX", "px"},   {"SQOY", "px"},   {"AR", "µs"},     {"PE", "µs"},
        {"PER", "µs"},     {"PEG", "µs"},    {"PEB", "µs"},    {"SQPE", "µs"},   {"SQPER", "µs"},
        {"SQPEG", "µs"},   {"SQPEB", "µs"},  {"ASCEA", "µs"},  {"ASCEI", "µs"},
    };
    const auto found = kUnits.find(mnemonic);
    return found == kUnits.end() ? QString() : QString::fromUtf8(found->second);
}
