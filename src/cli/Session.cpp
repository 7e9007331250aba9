#include "Session.h"

#include "Camera.h"
#include "CliExit.h"
#include "CommLink.h"
#include "LinkChoice.h"
#include "LinkEvents.h"
#include "Walk.h"

#include <cstdio>

void Session::StderrNotice::Message(const std::string& text, const std::string& caption, NoticeIcon)
{
    // The link layer names a device path given with --port by the COM name it is opened
    // under; the person gave the path.
    const std::string said = alias.AsGiven(text);
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
    const ConnectionOptions& o = m_options;
    const LinkChoice choice = ChooseLink(LinkRequest{o.port, o.baud, o.mode, o.clPort}, m_settings);
    switch (choice.problem) {
    case LinkChoice::Problem::None:
        break;
    case LinkChoice::Problem::ModeOutOfRange:
        std::fprintf(stderr, "Communication mode %u is not 0 to 3.\n", choice.mode);
        return kExitUsage;
    case LinkChoice::Problem::PortOutsideMode0:
        std::fprintf(stderr, "--port names a serial port (mode 0); a Camera Link port is chosen with --cl-port.\n");
        return kExitUsage;
    }
    m_notice.alias = choice;
    m_where = choice.where;
    const LinkOpening opening = OpenChosenLink(m_camera, choice);
    if (opening.result == LinkOpening::Result::Connected)
        return kExitOk;
    m_notice.messages.push_back(opening.text);
    std::fprintf(stderr, "%s\n", opening.text.c_str());
    return kExitNoCamera;
}
