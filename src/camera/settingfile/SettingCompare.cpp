#include "SettingCompare.h"

#include "Camera.h"
#include "Ids.h"
#include "Timeouts.h"
#include "Walk.h"

#include <map>

namespace SettingFile {

namespace {

constexpr const char* kCompareMessage = "Now, comparing camera setting file.";

// Lines that set the same thing share a key.
std::string keyOf(const Line& line)
{
    std::string key = std::to_string(int(line.kind)) + ":" + std::to_string(line.commandIndex);
    if (line.kind == Line::Kind::LutPair)
        key += ":" + std::to_string(line.value);
    return key;
}

std::string settingOf(const Line& line)
{
    const std::string mnemonic = Camera::Mnemonic(line.commandIndex);
    return line.kind == Line::Kind::LutPair ? mnemonic + " " + std::to_string(line.value) : mnemonic;
}

std::string fileValueOf(const Line& line)
{
    switch (line.kind) {
    case Line::Kind::Model:
    case Line::Kind::DeviceVersion:
        return line.text;
    case Line::Kind::LutPair:
        return std::to_string(line.second);
    case Line::Kind::Row:
        break;
    }
    return std::to_string(line.value);
}

// The camera's value of the line's setting, in the file's form; false without one.
bool cameraValueOf(Camera& camera, const Line& line, std::string& value)
{
    switch (line.kind) {
    case Line::Kind::Model:
        // The model line writes the model id; the camera reports it as its model name.
        return camera.QueryRawText(CmdIndex::MD, value, Timeouts::kAcknowledgeMs) == 1;
    case Line::Kind::DeviceVersion:
        return camera.QueryRawText(CmdIndex::DV, value, Timeouts::kExchangeMs) == 1;
    case Line::Kind::LutPair: {
        int32_t entry = 0;
        if (camera.QueryWithArgument(line.commandIndex, line.value, entry) != 1)
            return false;
        value = std::to_string(entry);
        return true;
    }
    case Line::Kind::Row:
        break;
    }
    uint32_t raw = 0;
    if (camera.Query(line.commandIndex, raw, Timeouts::kExchangeMs) != 1)
        return false;
    value = std::to_string(int32_t(raw));
    return true;
}

} // namespace

std::vector<Line> EffectiveLines(const Parsed& parsed)
{
    std::vector<Line> lines;
    std::map<std::string, size_t> placeOf;
    for (const Line& line : parsed.lines) {
        const auto [place, first] = placeOf.emplace(keyOf(line), lines.size());
        if (first)
            lines.push_back(line);
        else
            lines[place->second] = line;
    }
    return lines;
}

Comparison Compare(Camera& camera, const Parsed& parsed, Progress& progress)
{
    const std::vector<Line> lines = EffectiveLines(parsed);
    Comparison result;
    result.settings = int(lines.size());
    Walk walk(camera, progress, kCompareMessage, result.settings, "settings");
    for (const Line& line : lines) {
        std::string answer;
        const bool answered = cameraValueOf(camera, line, answer);
        const std::string file = fileValueOf(line);
        if (!answered || answer != file)
            result.differences.push_back({settingOf(line), file, answered ? answer : std::string()});
        ++result.compared;
        if (!walk.Next(result.compared * 100 / result.settings))
            break;
    }
    result.complete = walk.Complete();
    return result;
}

} // namespace SettingFile
