#include "Session.h"

#include "Camera.h"
#include "CliExit.h"
#include "CommLink.h"
#include "LinkEvents.h"
#include "Walk.h"

#include <cctype>
#include <cstdio>
#include <regex>

namespace {

constexpr unsigned kModes = 4;

// "COM7" -> 6; -1 for anything that is not a COM name.
int comIndex(const std::string& port)
{
    static const std::regex com(R"(COM([1-9][0-9]*))", std::regex::icase);
    std::smatch match;
    if (!std::regex_match(port, match, com) || match[1].length() > 4)
        return -1;
    return std::stoi(match[1]) - 1;
}

// "COM1" standing as a word of its own in the text (not the start of "COM10") is replaced.
std::string renamed(std::string text, const std::string& name, const std::string& as)
{
    if (name.empty())
        return text;
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
        const size_t end = at + name.size();
        if (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) {
            at = end;
            continue;
        }
        text.replace(at, name.size(), as);
        at += as.size();
    }
    return text;
}

} // namespace

void Session::StderrNotice::Message(const std::string& text, const std::string& caption, NoticeIcon)
{
    // The link layer names a device path given with --port by the COM name it is opened
    // under; the person gave the path.
    const std::string said = renamed(text, aliasName, aliasPath);
    messages.push_back(said);
    std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", said.c_str());
}

bool Session::StderrNotice::AskYesNo(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "%s%s%s (answered No)\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
    return false;
}

Session::Session(const ConnectionOptions& options)
    : m_options(options), m_settings(IniSettings::DefaultPath()), m_camera(&m_settings)
{
    // The Control Mode is read from the window's settings.
    SetSettingsStore(&m_settings);
    m_camera.Notice().SetTarget(&m_notice);
    // This program has no communication dialog: a stopped run is simply run again.
    m_camera.SetWalkAdvice({"Check its power and cable, then run the command again.",
                            "Check the cable or adapter (lumora-cli ports lists the ports), then run the command "
                            "again."});
    m_camera.Events().SetTranscriptSink([this](const std::string& line) {
        if (line.rfind("Rx: ", 0) == 0)
            m_lastAnswer = line.substr(4);
    });
}

Session::~Session()
{
    m_camera.Link().Close();
    m_camera.Events().SetTranscriptSink(nullptr);
    SetSettingsStore(nullptr);
}

std::string Session::Error(const std::string& fallback) const
{
    return m_notice.messages.empty() ? fallback : m_notice.messages.back();
}

int Session::Connect()
{
    uint32_t stored = 0;
    m_settings.ReadInt(kCommunicationMode, stored, 0);
    unsigned mode = m_options.mode >= 0 ? unsigned(m_options.mode) : (m_options.port.empty() ? stored : 0);
    if (mode >= kModes) {
        std::fprintf(stderr, "Communication mode %u is not 0 to 3.\n", mode);
        return kExitUsage;
    }
    m_settings.ReadInt(kBaudrate, stored, 9600);
    const uint32_t baud = m_options.baud > 0 ? uint32_t(m_options.baud) : stored;

    unsigned index = 0;
    if (mode == 0) {
        m_settings.ReadInt(kComPortNo, stored, 0);
        index = stored;
        if (!m_options.port.empty()) {
            const int com = comIndex(m_options.port);
            if (com >= 0) {
                index = unsigned(com);
            } else {
                // A device path is opened under the first COM name, for this run only; the
                // messages name it by its path.
                index = 0;
                m_settings.OverridePort("COM1", m_options.port);
                m_notice.aliasName = "COM1";
                m_notice.aliasPath = m_options.port;
            }
        }
        const std::string name = "COM" + std::to_string(index + 1);
        m_where = m_notice.aliasName.empty() ? name + " (" + m_settings.PortDevice(name) + ")" : m_options.port;
    } else {
        m_settings.ReadInt(SettingIndex(kCl2000DllIndex + mode - 1), stored, 0);
        index = m_options.clPort >= 0 ? unsigned(m_options.clPort) : stored;
        if (!m_options.port.empty()) {
            std::fprintf(stderr, "--port names a serial port (mode 0); a Camera Link port is chosen with --cl-port.\n");
            return kExitUsage;
        }
        m_where = "Camera Link port " + std::to_string(index) + " (mode " + std::to_string(mode) + ")";
    }

    CommLink& link = m_camera.Link();
    if (!link.Open(mode, baud, index)) {
        const std::string text = "Cannot open " + m_where + ".";
        m_notice.messages.push_back(text);
        std::fprintf(stderr, "%s\n", text.c_str());
        return kExitNoCamera;
    }
    if (!m_camera.CheckModel()) {
        const std::string text = "No camera answers on " + m_where + ".";
        m_notice.messages.push_back(text);
        std::fprintf(stderr, "%s\n", text.c_str());
        return kExitNoCamera;
    }
    return kExitOk;
}
