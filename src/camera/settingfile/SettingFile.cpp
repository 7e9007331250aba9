#include "SettingFile.h"

#include "Camera.h"
#include "Command.h"
#include "ControlMode.h"
#include "ErrorReport.h"
#include "GammaCsv.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "ReplacingFile.h"
#include "UserNotice.h"
#include "Walk.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace SettingFile {

namespace {

constexpr const char* kOpenErrorCaption = "File Open Error";
constexpr const char* kLoadMessage = "Now, reading camera setting file.";
constexpr auto kFollowUpPause = std::chrono::milliseconds(20);

ParameterTable& table()
{
    return ParameterTable::Instance();
}

std::string mnemonicOfRow(const ParameterRow& row)
{
    return Camera::Mnemonic(int(row.cmdId));
}

std::string mnemonicOfControl(int ctrlId)
{
    return Camera::Mnemonic(table().ToCmdId(uint32_t(ctrlId)));
}

std::string settingLine(const std::string& mnemonic, int32_t value)
{
    return mnemonic + "=" + std::to_string(value) + "\r\n";
}

// The next read of a line from pos: through its LF, or kPieceChars characters.
std::string nextPiece(const std::string& text, size_t& pos)
{
    const size_t begin = pos;
    while (pos < text.size() && pos - begin < kPieceChars)
        if (text[pos++] == '\n')
            break;
    return text.substr(begin, pos - begin);
}

// The row whose command bears the mnemonic, also where the command table holds the mnemonic
// twice and the row is bound to the second entry; -1 without one.
int rowOfMnemonic(const std::string& mnemonic)
{
    const ParameterTable& rows = table();
    for (int i = 0; i < rows.RowCount(); ++i)
        if (mnemonicOfRow(rows.Row(i)) == mnemonic)
            return i;
    return -1;
}

// The binning rows keep the list position, the camera (and so the file) the factor: a file
// holds what the camera takes, so that "x2" is written as 2 and read back as the second item.
bool isBinning(int ctrlId)
{
    return ctrlId == CtrlId::HorizontalBinning || ctrlId == CtrlId::VerticalBinning;
}

int32_t fileValueOfRow(const ParameterRow& row, const WindowState& window)
{
    const auto shown = window.cameraValues.find(int(row.ctrlId));
    if (shown != window.cameraValues.end())
        return shown->second;
    return isBinning(int(row.ctrlId)) ? row.value + 1 : row.value;
}

int32_t rowValueOfFile(int ctrlId, int32_t value)
{
    return isBinning(ctrlId) ? value - 1 : value;
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

int write(const std::string& path, Variant variant, const WindowState& window)
{
    std::string reason;
    if (!WriteFileReplacing(path, FileText(variant, window), &reason)) {
        // The fixed text first; the second line says what the system found wrong.
        Notices().Message(OpenErrorText(path) + "\n" + reason, kOpenErrorCaption, NoticeIcon::Warning);
        return 0;
    }
    return 1;
}

// Sends one line; true when the camera accepted it.
bool apply(const Line& line, FollowUp* followUp)
{
    Camera& camera = Camera::Instance();
    switch (line.kind) {
    case Line::Kind::Model: {
        const bool accepted = camera.SetText(line.commandIndex, line.text, kTextTimeoutMs) == 1;
        camera.CheckModel();
        return accepted;
    }
    case Line::Kind::DeviceVersion:
        // The device version is a text ("1.2.3.4"); as a number it would lose all but its
        // first part.
        return camera.SetText(line.commandIndex, line.text, kRowTimeoutMs) == 1;
    case Line::Kind::LutPair:
        return camera.SetText(line.commandIndex, std::to_string(line.value) + "," + std::to_string(line.second),
                              kTextTimeoutMs)
            == 1;
    case Line::Kind::Row:
        break;
    }
    if (camera.Set(line.commandIndex, line.value, kRowTimeoutMs) != 1)
        return false;
    table().SetDataValue(uint32_t(line.ctrlId), rowValueOfFile(line.ctrlId, line.value));

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
        return true;
    }
    // The camera settles the dependent modes after these settings before it is asked again.
    std::this_thread::sleep_for(kFollowUpPause);
    if (followUp)
        followUp->applied(line.ctrlId);
    std::this_thread::sleep_for(kFollowUpPause);
    return true;
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

Parsed Parse(const std::string& text, unsigned controlMode)
{
    Parsed out;
    size_t pos = 0;
    while (pos < text.size()) {
        const std::string piece = nextPiece(text, pos);
        const int index = out.pieces++;
        Line line;
        line.piece = index;
        std::string mnemonic;
        if (!Command::ParseLine(piece, line.commandIndex, mnemonic, line.value, line.text) || mnemonic.empty())
            continue;
        if (line.commandIndex == CmdIndex::MD00) {
            line.kind = Line::Kind::Model;
        } else if (line.commandIndex == CmdIndex::DV) {
            line.kind = Line::Kind::DeviceVersion;
        } else if (isLutLine(line.commandIndex)) {
            if (!Command::ParsePair(piece, line.value, line.second))
                continue;
            line.kind = Line::Kind::LutPair;
        } else {
            const int row = rowOfMnemonic(mnemonic);
            if (row < 0)
                continue;
            const ParameterRow& found = table().Row(row);
            if ((found.paramClass == kFactoryClass && controlMode == 0) || found.inFile == 0)
                continue;
            line.kind = Line::Kind::Row;
            line.commandIndex = int(found.cmdId);
            line.ctrlId = int(found.ctrlId);
        }
        out.lines.push_back(std::move(line));
    }
    return out;
}

std::string Format(Variant variant, unsigned controlMode, const std::string& modelName, const WindowState& window)
{
    std::string text;
    if (!modelName.empty())
        text += Camera::Mnemonic(CmdIndex::MD00) + "=" + modelName + "\r\n";
    text += settingLine(mnemonicOfControl(CtrlId::ExposureMode), 1);
    text += settingLine(mnemonicOfControl(CtrlId::TriggerMode), 0);
    const ParameterTable& rows = table();
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

std::string FileText(Variant variant, const WindowState& window)
{
    const unsigned mode = ControlMode::Get();
    std::string model;
    if (variant == Variant::AllData && mode == 1) {
        Camera& camera = Camera::Instance();
        camera.CheckModel();
        const CameraModel& known = camera.Model();
        if (known.IsSupported())
            model = known.modelType == 0 ? CameraModel::kModel5100 : CameraModel::kModel5200;
    }
    return Format(variant, mode, model, window);
}

WindowState StateOfTable()
{
    WindowState state;
    state.exposureModeFirst = table().GetDataValue(uint32_t(CtrlId::ExposureMode)) == 0;
    return state;
}

int WriteAllData(const std::string& path, const WindowState& window)
{
    return write(path, Variant::AllData, window);
}

int WriteShippingData(const std::string& path, const WindowState& window)
{
    return write(path, Variant::ShippingData, window);
}

LoadResult ReadSettingFile(const std::string& path, Progress& progress, FollowUp* followUp)
{
    LoadResult result;
    std::string text;
    std::string reason;
    if (!ReadWhole(path, text, reason)) {
        Notices().Message(OpenErrorText(path) + "\n" + reason, kOpenErrorCaption, NoticeIcon::Warning);
        return result;
    }
    result.read = true;
    const Parsed parsed = Parse(text, ControlMode::Get());
    result.lines = int(parsed.lines.size());

    // The whole load is one action: its refusals are counted here and said once, below.
    ErrorReport errors("lines");
    {
        Walk walk(progress, kLoadMessage, result.lines, "lines");
        for (const Line& line : parsed.lines) {
            if (!apply(line, followUp))
                ++result.refused;
            ++result.sent;
            if (!walk.Next(line.piece * 100 / parsed.pieces))
                break;
        }
        result.complete = walk.Complete();
        table().CommitAll();
    }
    if (result.refused > 0) {
        errors.TakeSuppressed();
        Notices().Message(RefusedText(result.refused, result.lines), "", NoticeIcon::Exclamation);
    }
    return result;
}

} // namespace SettingFile
