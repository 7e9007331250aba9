#include "ErrorReport.h"

#include "Camera.h"
#include "UserNotice.h"

#include <cstdio>

namespace {

constexpr const char* kCaption = "Communication Error";

bool isCommunicationError(const std::string& caption)
{
    return caption.rfind(kCaption, 0) == 0;
}

} // namespace

// Stands in front of the notice service for the outermost report.
class ErrorReport::Gate : public UserNotice {
public:
    Gate(UserNotice& next, LinkEvents& events) : m_next(next), m_events(events) {}

    void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override
    {
        if (isCommunicationError(caption)) {
            if (m_shown) {
                // Not shown, but kept with the traffic where the person can look it up.
                m_events.LogNote(caption + ": " + text);
                ++m_suppressed;
                return;
            }
            m_shown = true;
        }
        m_next.Message(text, caption, icon);
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        return m_next.AskYesNo(text, caption);
    }
    bool AskYesNoDefaultNo(const std::string& text, const std::string& caption) override
    {
        return m_next.AskYesNoDefaultNo(text, caption);
    }
    std::string OpenFileName(const std::string& title, const std::string& folder, const std::string& filter) override
    {
        return m_next.OpenFileName(title, folder, filter);
    }
    std::string SaveFileName(const std::string& title, const std::string& folder, const std::string& filter) override
    {
        return m_next.SaveFileName(title, folder, filter);
    }
    void BeginWait() override { m_next.BeginWait(); }
    void EndWait() override { m_next.EndWait(); }
    void ProcessEvents() override { m_next.ProcessEvents(); }

    int m_suppressed = 0;

private:
    UserNotice& m_next;
    LinkEvents& m_events;
    bool m_shown = false;
};

ErrorReport::ErrorReport(Camera& camera, std::string noun) : m_camera(camera), m_noun(std::move(noun))
{
    if (camera.m_errorGate)
        return;
    NoticeRelay& relay = camera.Notice();
    m_gate = new Gate(relay.Target(), camera.Events());
    m_installedBefore = relay.SetTarget(m_gate);
    camera.m_errorGate = m_gate;
}

ErrorReport::~ErrorReport()
{
    if (!m_gate)
        return;
    m_camera.m_errorGate = nullptr;
    NoticeRelay& relay = m_camera.Notice();
    relay.SetTarget(m_installedBefore);
    if (m_gate->m_suppressed > 0) {
        char text[200];
        std::snprintf(text, sizeof text, "%d more %s were answered with errors.", m_gate->m_suppressed,
                      m_noun.c_str());
        relay.Message(text, kCaption, NoticeIcon::Exclamation);
    }
    delete m_gate;
}

ErrorReport::Gate* ErrorReport::outermost() const
{
    return static_cast<Gate*>(m_camera.m_errorGate);
}

int ErrorReport::Suppressed() const
{
    return outermost() ? outermost()->m_suppressed : 0;
}

int ErrorReport::TakeSuppressed()
{
    Gate* gate = outermost();
    if (!gate)
        return 0;
    const int taken = gate->m_suppressed;
    gate->m_suppressed = 0;
    return taken;
}
