#include "StatusLine.h"

#include "OnlineStatusNotifier.h"

StatusLine& StatusLine::Instance()
{
    static StatusLine* line = [] {
        auto* created = new StatusLine;
        // The notifier may have seen an answer before the line was first asked for.
        created->m_online = OnlineStatusNotifier::Instance().IsOnline();
        return created;
    }();
    return *line;
}

void StatusLine::ReportAction(const QString& text)
{
    m_action = text;
    emit actionReported(text);
    emit changed();
}

void StatusLine::SetConnection(const QString& port, const QString& device)
{
    if (port == m_port && device == m_device)
        return;
    m_port = port;
    m_device = device;
    emit changed();
}

void StatusLine::SetModel(const QString& model)
{
    if (model == m_model)
        return;
    m_model = model;
    emit changed();
}

void StatusLine::SetOnline(bool online)
{
    // Every exchange reports the state again; only a change is news.
    if (online == m_online)
        return;
    m_online = online;
    emit changed();
}

void StatusLine::SetBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    emit changed();
}

StatusLine::LineState StatusLine::State() const
{
    if (m_busy)
        return LineState::Busy;
    return m_online ? LineState::Online : LineState::Offline;
}

QString StatusLine::StateText(LineState state)
{
    switch (state) {
    case LineState::Online:
        return QStringLiteral("Online");
    case LineState::Busy:
        return QStringLiteral("Busy");
    case LineState::Offline:
        break;
    }
    return QStringLiteral("Offline");
}
