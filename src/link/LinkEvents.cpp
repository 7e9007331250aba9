#include "LinkEvents.h"

void LinkEvents::LogSent(const std::string& line)
{
    if (m_transcript)
        m_transcript("Tx: " + line);
    if (m_messageList)
        m_messageList(line);
}

void LinkEvents::LogReceived(const std::string& line)
{
    if (m_transcript)
        m_transcript("Rx: " + line);
    if (m_messageList)
        m_messageList(line);
}

void LinkEvents::LogNote(const std::string& text)
{
    if (m_transcript)
        m_transcript(text);
    if (m_messageList)
        m_messageList(text);
}

void LinkEvents::ReportOnline()
{
    if (m_online)
        m_online(true);
}

void LinkEvents::ReportOffline()
{
    if (m_online)
        m_online(false);
}
