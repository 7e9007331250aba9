#include "UserNotice.h"

#include <cstdio>

namespace {

class StderrNotice : public UserNotice {
public:
    void Message(const std::string& text, const std::string& caption, NoticeIcon) override
    {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        std::fprintf(stderr, "[%s] %s (answered No)\n", caption.c_str(), text.c_str());
        return false;
    }
    std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string SaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
};

StderrNotice g_stderrNotice;
UserNotice* g_notices = nullptr;

std::string takeFront(std::vector<std::string>& names)
{
    if (names.empty())
        return {};
    std::string name = names.front();
    names.erase(names.begin());
    return name;
}

} // namespace

UserNotice& Notices()
{
    return g_notices ? *g_notices : g_stderrNotice;
}

UserNotice& StandardErrorNotice()
{
    return g_stderrNotice;
}

UserNotice& NoticeRelay::Target() const
{
    return m_target ? *m_target : Notices();
}

UserNotice* SetNotices(UserNotice* notices)
{
    UserNotice* before = g_notices;
    g_notices = notices;
    return before;
}

void RecordingNotice::Message(const std::string& text, const std::string& caption, NoticeIcon icon)
{
    messages.push_back({text, caption, icon});
}

bool RecordingNotice::AskYesNo(const std::string& text, const std::string&)
{
    questions.push_back(text);
    if (answers.empty())
        return false;
    bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

std::string RecordingNotice::OpenFileName(const std::string&, const std::string&, const std::string&)
{
    return takeFront(fileNames);
}

std::string RecordingNotice::SaveFileName(const std::string&, const std::string&, const std::string&)
{
    return takeFront(fileNames);
}

QuietNotices::QuietNotices() : m_next(Notices()), m_installedBefore(SetNotices(this)) {}

QuietNotices::QuietNotices(NoticeRelay& relay)
    : m_next(relay.Target()), m_installedBefore(relay.SetTarget(this)), m_relay(&relay)
{
}

QuietNotices::~QuietNotices()
{
    if (m_relay)
        m_relay->SetTarget(m_installedBefore);
    else
        SetNotices(m_installedBefore);
}

void QuietNotices::Message(const std::string& text, const std::string&, NoticeIcon)
{
    m_texts.push_back(text);
}

bool QuietNotices::AskYesNo(const std::string& text, const std::string& caption)
{
    return m_next.AskYesNo(text, caption);
}

std::string QuietNotices::OpenFileName(const std::string& title, const std::string& folder, const std::string& filter)
{
    return m_next.OpenFileName(title, folder, filter);
}

std::string QuietNotices::SaveFileName(const std::string& title, const std::string& folder, const std::string& filter)
{
    return m_next.SaveFileName(title, folder, filter);
}
