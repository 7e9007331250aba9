#include "ErrorReport.h"

#include "LinkEvents.h"
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
    explicit Gate(UserNotice& next) : m_next(next) {}

    void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override
    {
        if (isCommunicationError(caption)) {
            if (m_shown) {
                // Not shown, but kept with the traffic where the person can look it up.
                LinkEvents::Instance().LogNote(caption + ": " + text);
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
    bool m_shown = false;
};

ErrorReport::Gate* ErrorReport::s_outermost = nullptr;

ErrorReport::ErrorReport(std::string noun) : m_noun(std::move(noun))
{
    if (s_outermost)
        return;
    m_gate = new Gate(Notices());
    m_installedBefore = SetNotices(m_gate);
    s_outermost = m_gate;
}

ErrorReport::~ErrorReport()
{
    if (!m_gate)
        return;
    s_outermost = nullptr;
    SetNotices(m_installedBefore);
    if (m_gate->m_suppressed > 0) {
        char text[200];
        std::snprintf(text, sizeof text, "%d more %s were answered with errors.", m_gate->m_suppressed,
                      m_noun.c_str());
        Notices().Message(text, kCaption, NoticeIcon::Exclamation);
    }
    delete m_gate;
}

int ErrorReport::Suppressed() const
{
    return s_outermost ? s_outermost->m_suppressed : 0;
}

int ErrorReport::TakeSuppressed()
{
    if (!s_outermost)
        return 0;
    const int taken = s_outermost->m_suppressed;
    s_outermost->m_suppressed = 0;
    return taken;
}
