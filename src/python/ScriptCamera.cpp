#include "ScriptCamera.h"

#include "CommLink.h"
#include "ControlMode.h"
#include "ErrorReport.h"
#include "FlashAreas.h"
#include "LutTransfer.h"
#include "Reload.h"
#include "SettingFile.h"
#include "TypedLine.h"

#include <algorithm>

using Kind = ScriptError::Kind;

void ScriptCamera::Capture::Message(const std::string& text, const std::string&, NoticeIcon)
{
    // The link layer names a device path given as the port by the COM name it is opened under.
    texts.push_back(alias ? alias->AsGiven(text) : text);
}

ScriptCamera::Call::Call(ScriptCamera& camera, bool needsLink) : m_camera(camera), m_lock(camera.m_busy, std::defer_lock)
{
    if (camera.m_owner.load() == std::this_thread::get_id())
        throw ScriptError(Kind::Usage, "The camera is in the middle of another call on this thread "
                                       "(a progress callback cannot use its own camera).");
    m_lock.lock();
    camera.m_owner.store(std::this_thread::get_id());
    if (needsLink && !camera.m_open) {
        camera.m_owner.store({});
        throw ScriptError(Kind::Usage, "The camera is closed.");
    }
    camera.m_capture.texts.clear();
}

ScriptCamera::Call::~Call()
{
    m_camera.m_owner.store({});
}

ScriptCamera::ScriptCamera() : m_settings(IniSettings::DefaultPath()), m_camera(&m_settings)
{
    m_capture.alias = &m_choice;
    m_camera.Notice().SetTarget(&m_capture);
    m_camera.SetWalkAdvice({"Check its power and cable, then open it again.",
                            "Check the cable or adapter (lumora.ports() lists the ports), then open it again."});
}

ScriptCamera::~ScriptCamera()
{
    m_camera.Link().Close();
}

ScriptError ScriptCamera::error(Kind kind, const std::string& headline) const
{
    std::string message = headline;
    for (const std::string& text : m_capture.texts)
        if (text != headline)
            message += "\n" + text;
    return ScriptError(kind, message);
}

void ScriptCamera::failExchange(const Command::Result& ended, const std::string& headline) const
{
    if (ended.outcome == Command::Outcome::Refused) {
        ScriptError refused = error(Kind::Refused, headline + ": the camera answered " + ended.refusal);
        refused.answer = ended.refusal;
        throw refused;
    }
    if (ended.outcome == Command::Outcome::LinkLost)
        throw error(Kind::NoCamera, headline + ": the connection to the camera on " + m_choice.where + " was lost");
    throw error(Kind::NoCamera, headline + ": no answer from the camera on " + m_choice.where);
}

void ScriptCamera::Open(const LinkRequest& request, uint32_t timeoutMs)
{
    Call call(*this, false);
    if (m_open)
        throw ScriptError(Kind::Usage, "The camera is open already.");
    m_choice = ChooseLink(request, m_settings);
    if (m_choice.problem == LinkChoice::Problem::ModeOutOfRange)
        throw ScriptError(Kind::Usage, "mode " + std::to_string(m_choice.mode) + " is not 0 to 3");
    if (m_choice.problem == LinkChoice::Problem::PortOutsideMode0)
        throw ScriptError(Kind::Usage, "port names a serial port (mode 0); a Camera Link port is chosen with cl_port");
    m_camera.Exchange().SetWaitLimit(timeoutMs);
    const LinkOpening opening = OpenChosenLink(m_camera, m_choice);
    if (opening.result != LinkOpening::Result::Connected) {
        m_camera.Link().Close();
        throw error(Kind::NoCamera, opening.text);
    }
    m_open = true;
}

void ScriptCamera::Close()
{
    Call call(*this, false);
    m_camera.Link().Close();
    m_open = false;
}

std::string ScriptCamera::ModelName()
{
    Call call(*this, false);
    return m_camera.Model().modelName;
}

std::string ScriptCamera::Get(int command)
{
    Call call(*this);
    std::string value;
    if (const Command::Result answer = m_camera.QueryRawText(command, value, Timeouts::kExchangeMs); !answer)
        failExchange(answer, Camera::Mnemonic(command) + " was not read");
    return value;
}

SetOutcome ScriptCamera::Set(const SetRequest& request)
{
    Call call(*this);
    const std::string mnemonic = Camera::Mnemonic(request.command);
    SetOutcome outcome = SetParameter(m_camera, request);
    switch (outcome.status) {
    case SetOutcome::Status::Set:
        return outcome;
    case SetOutcome::Status::Ruled:
        throw ScriptError(Kind::Usage, outcome.problem);
    case SetOutcome::Status::Differs: {
        ScriptError differs(Kind::Refused, outcome.problem);
        differs.answer = outcome.readBack;
        throw differs;
    }
    case SetOutcome::Status::Refused:
    case SetOutcome::Status::NoCamera:
        break;
    }
    failExchange(outcome.exchange, mnemonic + "=" + request.given + " was not set");
}

std::vector<std::string> ScriptCamera::Send(const std::string& line)
{
    if (!TypedLine::Sendable(line))
        throw ScriptError(Kind::Usage, "The line may not hold line breaks or control characters.");
    Call call(*this);
    std::vector<std::string> answer = TypedLine::SendAndCollect(m_camera, line);
    if (answer.empty())
        throw error(Kind::NoCamera, "No answer to \"" + line + "\" on " + m_choice.where);
    return answer;
}

std::string ScriptCamera::Dump(const std::string& path, bool shipping, Progress& progress)
{
    Call call(*this);
    // A file with unread settings would carry the table's defaults as if they were the
    // camera's: nothing is written after an incomplete reading.
    std::string supported;
    if (!Reload::ReadAllParameters(m_camera, ControlMode::Get(), progress, nullptr) ||
        !Reload::ReadSupportedBaudRate(m_camera, supported))
        throw error(Kind::NoCamera, "The camera on " + m_choice.where + " was not read completely.");
    const SettingFile::Variant variant = shipping ? SettingFile::Variant::ShippingData : SettingFile::Variant::AllData;
    const SettingFile::WindowState state = SettingFile::StateOfTable(m_camera.Table());
    const std::string text = SettingFile::FileText(m_camera, variant, state);
    if (!path.empty()) {
        const int written = shipping ? SettingFile::WriteShippingData(m_camera, path, state)
                                     : SettingFile::WriteAllData(m_camera, path, state);
        if (!written)
            throw error(Kind::Usage, "Cannot write " + path + ".");
    }
    return text;
}

void ScriptCamera::readFile(const std::string& path, SettingFile::Parsed& parsed) const
{
    std::string text, reason;
    if (!SettingFile::ReadWhole(path, text, reason))
        throw ScriptError(Kind::Usage, "Cannot read " + path + ": " + reason);
    parsed = SettingFile::Parse(text, ControlMode::Get());
    if (parsed.lines.empty())
        throw ScriptError(Kind::Usage, path + " holds no setting this camera takes.");
}

int ScriptCamera::Apply(const std::string& path, bool verify, Progress& progress)
{
    Call call(*this);
    // The file is read and checked first: the camera is not touched for a wrong file.
    SettingFile::Parsed parsed;
    readFile(path, parsed);
    const SettingFile::LoadResult result = SettingFile::ReadSettingFile(m_camera, path, progress, nullptr);
    if (!result.read)
        throw error(Kind::Usage, "Cannot read " + path + ".");
    if (!result.complete)
        throw error(Kind::NoCamera, path + " was not applied completely.");
    if (!verify) {
        // Refused and damaged lines leave a camera that does not hold the whole file.
        if (result.refused > 0) {
            ScriptError refused(Kind::Refused, SettingFile::LoadReport(result));
            refused.answer = result.refusals.empty() ? std::string() : result.refusals.front().answer;
            throw refused;
        }
        if (!result.damaged.empty())
            throw ScriptError(Kind::Usage, SettingFile::LoadReport(result));
        return result.lines;
    }
    // Reading back also names the refused lines: the camera holds other values there.
    const SettingFile::Comparison comparison = SettingFile::Compare(m_camera, parsed, progress);
    if (!comparison.complete)
        throw error(Kind::NoCamera, "Compared " + std::to_string(comparison.compared) + " of " +
                                        std::to_string(comparison.settings) + " settings before the camera stopped answering.");
    if (!comparison.differences.empty()) {
        const size_t count = comparison.differences.size();
        ScriptError differs(Kind::Refused, std::to_string(count) + (count == 1 ? " setting reads" : " settings read") +
                                               " back differently from " + path + ".");
        differs.differences = comparison.differences;
        throw differs;
    }
    return result.lines;
}

std::vector<SettingFile::Difference> ScriptCamera::Diff(const std::string& path, Progress& progress)
{
    Call call(*this);
    SettingFile::Parsed parsed;
    readFile(path, parsed);
    // Damaged lines say nothing about the camera: they are left out of the comparison.
    const SettingFile::Comparison comparison = SettingFile::Compare(m_camera, parsed, progress);
    if (!comparison.complete)
        throw error(Kind::NoCamera, "Compared " + std::to_string(comparison.compared) + " of " +
                                        std::to_string(comparison.settings) + " settings before the camera stopped answering.");
    return comparison.differences;
}

Lut::Tables ScriptCamera::ReadLut(LutProgress& progress)
{
    Call call(*this);
    Lut::Tables tables{};
    ErrorReport errors(m_camera, "entries");
    for (int channel = 0; channel < Lut::kChannels; ++channel)
        if (const Command::Result ended = LutTransfer::Read(m_camera, channel, tables[size_t(channel)], progress); !ended)
            failExchange(ended, "The tables were not read");
    return tables;
}

void ScriptCamera::WriteLut(const Lut::Tables& tables, LutProgress& progress)
{
    Call call(*this);
    ErrorReport errors(m_camera, "entries");
    for (int channel = 0; channel < Lut::kChannels; ++channel)
        if (const Command::Result ended = LutTransfer::Write(m_camera, channel, tables[size_t(channel)], progress); !ended)
            failExchange(ended, "The tables were not written");
}

void ScriptCamera::LoadArea(int area, bool userSet)
{
    if (area < FlashAreas::kFactoryArea || area > FlashAreas::kLastUserArea)
        throw ScriptError(Kind::Usage, std::string(userSet ? "user set " : "area ") + std::to_string(area) +
                                           " is not 0 to 3");
    Call call(*this);
    if (const Command::Result done = FlashAreas::LoadArea(m_camera, area); !done)
        failExchange(done, std::string(userSet ? "User set " : "Area ") + std::to_string(area) + " was not loaded");
}

void ScriptCamera::StoreArea(int area, bool userSet)
{
    const int first = userSet ? FlashAreas::kFirstUserArea : FlashAreas::kFactoryArea;
    if (area < first || area > FlashAreas::kLastUserArea)
        throw ScriptError(Kind::Usage, std::string(userSet ? "user set " : "area ") + std::to_string(area) + " is not " +
                                           std::to_string(first) + " to 3");
    if (area == FlashAreas::kFactoryArea && ControlMode::Get() == ControlMode::kNormal)
        throw ScriptError(Kind::Usage, "The factory area can be stored into in Control Mode 1 only.");
    Call call(*this);
    if (const Command::Result done = FlashAreas::StoreArea(m_camera, area); !done)
        failExchange(done, std::string(userSet ? "User set " : "Area ") + std::to_string(area) + " was not stored");
}
