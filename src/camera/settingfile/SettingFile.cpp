#include "SettingFile.h"

#include "Camera.h"
#include "Command.h"
#include "CommandTable.h"
#include "ControlMode.h"
#include "ErrorReport.h"
#include "GammaCsv.h"
#include "Ids.h"
#include "LinkEvents.h"
#include "ParameterPath.h"
#include "ParameterTable.h"
#include "ReplacingFile.h"
#include "Timeouts.h"
#include "UserNotice.h"
#include "Walk.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace SettingFile {

namespace {

constexpr const char* kOpenErrorCaption = "File Open Error";
constexpr const char* kLoadMessage = "Now, reading camera setting file.";
constexpr auto kFollowUpPause = std::chrono::milliseconds(20);
// The closing message names at most this many lines of each kind; the message list all.
constexpr size_t kNamedLines = 20;

std::string mnemonicOfRow(const ParameterRow& row)
{
    return Camera::Mnemonic(int(row.cmdId));
}

std::string mnemonicOfControl(int ctrlId)
{
    return Camera::Mnemonic(ParameterTable::Layout().ToCmdId(uint32_t(ctrlId)));
}

std::string settingLine(const std::string& mnemonic, int32_t value)
{
    return mnemonic + "=" + std::to_string(value) + "\r\n";
}

// The next read of a line from pos: through its line end (LF, CR LF or a lone CR), or
// kPieceChars characters. ended: the read took the line end.
std::string nextPiece(const std::string& text, size_t& pos, bool& ended)
{
    const size_t begin = pos;
    ended = false;
    while (pos < text.size() && pos - begin < kPieceChars) {
        const char c = text[pos++];
        if (c == '\n' || c == '\r') {
            if (c == '\r' && pos < text.size() && text[pos] == '\n')
                ++pos;
            ended = true;
            break;
        }
    }
    return text.substr(begin, pos - begin);
}

// The read without spaces and line ends, as the line parser sees it.
std::string squeezed(const std::string& piece)
{
    std::string text;
    for (char c : piece)
        if (c != ' ' && c != '\r' && c != '\n')
            text.push_back(c);
    return text;
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

// A whole signed 32-bit integer as the files hold it: decimal with an optional sign, or
// "&H" and up to eight hexadecimal digits as the camera writes them.
bool isInteger(const std::string& text)
{
    if (text.size() > 2 && (text.compare(0, 2, "&H") == 0 || text.compare(0, 2, "&h") == 0))
        return text.size() <= 10 && text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos;
    const size_t digits = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (text.size() == digits || text.size() - digits > 11
        || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= INT32_MIN && value <= INT32_MAX;
}

// Two integers separated by a comma, as a table entry line holds them ("10,200").
bool isPair(const std::string& text)
{
    const size_t comma = text.find(',');
    return comma != std::string::npos && isInteger(text.substr(0, comma)) && isInteger(text.substr(comma + 1));
}

// The row whose command bears the mnemonic, also where the command table holds the mnemonic
// twice and the row is bound to the second entry; -1 without one.
int rowOfMnemonic(const std::string& mnemonic)
{
    const ParameterTable& rows = ParameterTable::Layout();
    for (int i = 0; i < rows.RowCount(); ++i)
        if (mnemonicOfRow(rows.Row(i)) == mnemonic)
            return i;
    return -1;
}

// A file holds what the camera takes; the binning rows keep the list position (ParameterPath),
// so that "x2" is written as 2 and read back as the second item.
int32_t fileValueOfRow(const ParameterRow& row, const WindowState& window)
{
    const auto shown = window.cameraValues.find(int(row.ctrlId));
    if (shown != window.cameraValues.end())
        return shown->second;
    return ParameterPath::CameraValue(int(row.ctrlId), row.value);
}

bool isLutLine(int commandIndex)
{
    return commandIndex == CmdIndex::LUTR || commandIndex == CmdIndex::LUTG || commandIndex == CmdIndex::LUTB;
}

} // namespace

bool ReadWhole(const std::string& path, std::string& text, std::string& reason)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = std::strerror(errno);
        return false;
    }
    text.assign(kMaxFileBytes + 1, '\0');
    const size_t got = std::fread(text.data(), 1, text.size(), file);
    const bool failed = std::ferror(file) != 0;
    const int code = errno;
    std::fclose(file);
    text.resize(got);
    if (failed)
        reason = std::strerror(code ? code : EIO);
    else if (got > kMaxFileBytes)
        reason = "larger than any camera setting file";
    return !failed && got <= kMaxFileBytes;
}

namespace {

int write(Camera& camera, const std::string& path, Variant variant, const WindowState& window)
{
    std::string reason;
    if (!WriteFileReplacing(path, FileText(camera, variant, window), &reason)) {
        // The fixed text first; the second line says what the system found wrong.
        camera.Notice().Message(OpenErrorText(path) + "\n" + reason, kOpenErrorCaption, NoticeIcon::Warning);
        return 0;
    }
    return 1;
}

// The value of a line as it is sent.
std::string valueText(const Line& line)
{
    switch (line.kind) {
    case Line::Kind::Model:
    case Line::Kind::DeviceVersion:
        return line.text;
    case Line::Kind::LutPair:
        return std::to_string(line.value) + "," + std::to_string(line.second);
    case Line::Kind::Row:
        break;
    }
    return std::to_string(line.value);
}

// How the camera took a line: the outcome of its set command, and the camera's reply when it
// refused.
struct Taken {
    bool accepted = false;
    Command::Outcome outcome = Command::Outcome::NotSent;
    std::string answer;
};

Taken taken(const Command::Result& result)
{
    return {result.Answered(), result.outcome, result.refusal};
}

// Sends one line and stores what the camera accepted.
Taken apply(Camera& camera, const Line& line, FollowUp* followUp)
{
    switch (line.kind) {
    case Line::Kind::Model: {
        const Taken result = taken(camera.SetText(line.commandIndex, line.text, Timeouts::kAcknowledgeMs));
        camera.CheckModel();
        return result;
    }
    case Line::Kind::DeviceVersion:
        // The device version is a text ("1.2.3.4"); as a number it would lose all but its
        // first part.
        return taken(camera.SetText(line.commandIndex, line.text, Timeouts::kExchangeMs));
    case Line::Kind::LutPair:
        return taken(camera.SetText(line.commandIndex, valueText(line), Timeouts::kAcknowledgeMs));
    case Line::Kind::Row:
        break;
    }
    const Taken result = taken(camera.Set(line.commandIndex, line.value, Timeouts::kExchangeMs));
    if (!result.accepted)
        return result;
    camera.Table().SetDataValue(uint32_t(line.ctrlId), ParameterPath::RowValue(line.ctrlId, line.value));

    ClOutputFormat& format = camera.Format();
    switch (line.ctrlId) {
    case CtrlId::BitAllocation:
        format.m_BitAllocation = line.value;
        break;
    case CtrlId::ClConfiguration:
        format.m_ClConfguration = line.value;
        break;
    case CtrlId::SensorClockFrequency:
        format.m_SensClkFreq = line.value;
        break;
    case CtrlId::ExposureMode:
        break;
    default:
        return result;
    }
    // The camera settles the dependent modes after these settings before it is asked again.
    std::this_thread::sleep_for(kFollowUpPause);
    if (followUp)
        followUp->applied(line.ctrlId);
    std::this_thread::sleep_for(kFollowUpPause);
    return result;
}

// "Line 7: " and the text, one line for each entry, at most kNamedLines of them.
template <typename Entry, typename Name>
std::string namedLines(const std::vector<Entry>& entries, Name name)
{
    std::string text;
    for (size_t i = 0; i < entries.size() && i < kNamedLines; ++i)
        text += "\n" + name(entries[i]);
    if (entries.size() > kNamedLines)
        text += "\n... and " + std::to_string(entries.size() - kNamedLines) + " more (see the message list).";
    return text;
}

} // namespace

std::string OpenErrorText(const std::string& path)
{
    return path + "\nCouldn't open this file";
}

std::string RefusedText(int refused, int lines)
{
    return std::to_string(refused) + " of " + std::to_string(lines)
        + " lines of the setting file were not accepted by the camera.\n"
          "Those settings keep the values the camera holds.";
}

std::string RefusalText(const Refusal& refusal)
{
    return "Line " + std::to_string(refusal.number) + ": " + refusal.setting + "=" + refusal.value
        + (refusal.answer.empty() ? ", no answer" : ", the camera answered " + refusal.answer);
}

std::string DamagedText(const Damaged& line)
{
    return "Line " + std::to_string(line.number) + ": " + line.text;
}

std::string LoadReport(const LoadResult& result)
{
    std::string text;
    if (result.refused > 0)
        text = RefusedText(result.refused, result.lines) + namedLines(result.refusals, RefusalText);
    if (!result.damaged.empty()) {
        const size_t count = result.damaged.size();
        if (!text.empty())
            text += "\n\n";
        text += std::to_string(count) + (count == 1 ? " line" : " lines")
            + " of the setting file " + (count == 1 ? "was" : "were")
            + " not sent: the value is missing, not a number or out of range."
            + namedLines(result.damaged, DamagedText);
    }
    return text;
}

Parsed Parse(const std::string& text, unsigned controlMode)
{
    Parsed out;
    size_t pos = 0;
    int number = 1;
    while (pos < text.size()) {
        bool ended = false;
        const std::string piece = nextPiece(text, pos, ended);
        Line line;
        line.piece = out.pieces++;
        line.number = number;
        if (ended)
            ++number;
        // The mnemonic and the value as the line parser splits them: at the first "=", or
        // else at a "?"; without a separator the whole line names the setting.
        const std::string bare = squeezed(piece);
        size_t separator = bare.find('=');
        const bool assigns = separator != std::string::npos;
        if (!assigns)
            separator = bare.find('?');
        const std::string mnemonic = upper(bare.substr(0, separator));
        line.commandIndex = mnemonic.empty() ? -1 : CommandTable::Instance().FindCommand(mnemonic);
        if (line.commandIndex < 0)
            continue;
        const std::string value = assigns ? bare.substr(separator + 1) : std::string();
        bool fits = assigns && !value.empty();
        int rowCommand = -1;
        if (line.commandIndex == CmdIndex::MD00) {
            line.kind = Line::Kind::Model;
        } else if (line.commandIndex == CmdIndex::DV) {
            line.kind = Line::Kind::DeviceVersion;
        } else if (isLutLine(line.commandIndex)) {
            line.kind = Line::Kind::LutPair;
            fits = fits && isPair(value) && Command::ParsePair(piece, line.value, line.second);
        } else {
            const int row = rowOfMnemonic(mnemonic);
            if (row < 0)
                continue;
            const ParameterRow& found = ParameterTable::Layout().Row(row);
            if ((found.paramClass == kFactoryClass && controlMode == 0) || found.inFile == 0)
                continue;
            line.kind = Line::Kind::Row;
            line.ctrlId = int(found.ctrlId);
            rowCommand = int(found.cmdId);
            fits = fits && isInteger(value);
        }
        std::string parsedMnemonic;
        if (fits)
            fits = Command::ParseLine(piece, line.commandIndex, parsedMnemonic, line.value, line.text) == 1;
        if (!fits) {
            // Sent as it stands it would go out as 0 or clamped: it is named instead.
            std::string shown = piece;
            while (!shown.empty() && (shown.back() == '\r' || shown.back() == '\n'))
                shown.pop_back();
            out.damaged.push_back({line.number, shown});
            continue;
        }
        // The row's own entry, also where the command table holds the mnemonic twice.
        if (line.kind == Line::Kind::Row)
            line.commandIndex = rowCommand;
        out.lines.push_back(std::move(line));
    }
    return out;
}

std::string Format(const ParameterTable& rows, Variant variant, unsigned controlMode, const std::string& modelName,
                   const WindowState& window)
{
    std::string text;
    if (!modelName.empty())
        text += Camera::Mnemonic(CmdIndex::MD00) + "=" + modelName + "\r\n";
    text += settingLine(mnemonicOfControl(CtrlId::ExposureMode), 1);
    text += settingLine(mnemonicOfControl(CtrlId::TriggerMode), 0);
    for (int i = 0; i < rows.RowCount(); ++i) {
        const ParameterRow& row = rows.Row(i);
        const std::string mnemonic = mnemonicOfRow(row);
        if (row.inFile != 1 || mnemonic.empty())
            continue;
        if (row.paramClass == kFactoryClass && (variant == Variant::ShippingData || controlMode == 0))
            continue;
        if (variant == Variant::AllData && int(row.ctrlId) == CtrlId::TriggerMode && window.exposureModeFirst)
            continue;
        text += settingLine(mnemonic, fileValueOfRow(row, window));
    }
    return text;
}

std::string FileText(Camera& camera, Variant variant, const WindowState& window)
{
    const unsigned mode = ControlMode::Get();
    std::string model;
    if (variant == Variant::AllData && mode == 1) {
        camera.CheckModel();
        const CameraModel& known = camera.Model();
        if (known.IsSupported())
            model = known.modelType == 0 ? CameraModel::kModel5100 : CameraModel::kModel5200;
    }
    return Format(camera.Table(), variant, mode, model, window);
}

WindowState StateOfTable(const ParameterTable& rows)
{
    WindowState state;
    state.exposureModeFirst = rows.GetDataValue(uint32_t(CtrlId::ExposureMode)) == 0;
    return state;
}

int WriteAllData(Camera& camera, const std::string& path, const WindowState& window)
{
    return write(camera, path, Variant::AllData, window);
}

int WriteShippingData(Camera& camera, const std::string& path, const WindowState& window)
{
    return write(camera, path, Variant::ShippingData, window);
}

LoadResult ReadSettingFile(Camera& camera, const std::string& path, Progress& progress, FollowUp* followUp)
{
    LoadResult result;
    std::string text;
    std::string reason;
    if (!ReadWhole(path, text, reason)) {
        camera.Notice().Message(OpenErrorText(path) + "\n" + reason, kOpenErrorCaption, NoticeIcon::Warning);
        return result;
    }
    result.read = true;
    Parsed parsed = Parse(text, ControlMode::Get());
    result.lines = int(parsed.lines.size());
    result.damaged = std::move(parsed.damaged);

    // The whole load is one action: its refusals are counted here and said once, below.
    ErrorReport errors(camera, "lines");
    {
        Walk walk(camera, progress, kLoadMessage, result.lines, "lines");
        for (const Line& line : parsed.lines) {
            const Taken took = apply(camera, line, followUp);
            ++result.sent;
            const bool goOn = walk.Next(line.piece * 100 / parsed.pieces, took.outcome);
            // A line the camera answered with a refusal, or left unanswered while the load went
            // on; the line in flight when the link was lost or the camera fell silent says
            // nothing about the camera's view of it.
            if (!took.accepted && (took.outcome == Command::Outcome::Refused || goOn))
                result.refusals.push_back({line.number, Camera::Mnemonic(line.commandIndex), valueText(line),
                                           took.answer});
            if (!goOn)
                break;
        }
        result.complete = walk.Complete();
        camera.Table().CommitAll();
    }
    result.refused = int(result.refusals.size());
    for (const Refusal& refusal : result.refusals)
        camera.Events().LogNote(RefusalText(refusal));
    for (const Damaged& line : result.damaged)
        camera.Events().LogNote("Not sent: " + DamagedText(line));
    if (result.refused > 0)
        errors.TakeSuppressed();
    const std::string report = LoadReport(result);
    if (!report.empty())
        camera.Notice().Message(report, "", NoticeIcon::Exclamation);
    return result;
}

} // namespace SettingFile
