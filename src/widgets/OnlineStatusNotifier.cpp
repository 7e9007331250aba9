#include "OnlineStatusNotifier.h"

#include "LinkEvents.h"
#include "OnlineStatusUpdater.h"
#include "StatusLine.h"

#include <QColor>
#include <QLabel>
#include <algorithm>

namespace {

COnlineStatusNotifier* g_alive = nullptr;

QPixmap filled(const QColor& colour)
{
    QPixmap picture(4, 4);
    picture.fill(colour);
    return picture;
}

} // namespace

COnlineStatusNotifier& COnlineStatusNotifier::Instance()
{
    static COnlineStatusNotifier notifier;
    return notifier;
}

COnlineStatusNotifier::COnlineStatusNotifier()
{
    g_alive = this;
}

COnlineStatusNotifier::~COnlineStatusNotifier()
{
    g_alive = nullptr;
    Follow(nullptr);
}

void COnlineStatusNotifier::Follow(LinkEvents* events)
{
    if (m_followed)
        m_followed->SetOnlineSink(nullptr);
    m_followed = events;
    if (m_followed)
        m_followed->SetOnlineSink([this](bool online) { online ? SetOnline() : SetOffline(); });
}

void COnlineStatusNotifier::UnregisterIfAlive(COnlineStatusUpdater* updater)
{
    if (g_alive)
        g_alive->Unregister(updater);
}

QPixmap COnlineStatusNotifier::OfflinePicture()
{
    return filled(QColor(255, 0, 0));
}

QPixmap COnlineStatusNotifier::OnlinePicture()
{
    return filled(QColor(0, 128, 0));
}

void COnlineStatusNotifier::Register(COnlineStatusUpdater* updater)
{
    if (!updater)
        return;
    updater->SetStripPicture(m_online ? OnlinePicture() : OfflinePicture());
    m_updaters.push_back(updater);
}

void COnlineStatusNotifier::Unregister(COnlineStatusUpdater* updater)
{
    m_updaters.erase(std::remove(m_updaters.begin(), m_updaters.end(), updater), m_updaters.end());
}

void COnlineStatusNotifier::SetOnline()
{
    Apply(true);
}

void COnlineStatusNotifier::SetOffline()
{
    Apply(false);
}

void COnlineStatusNotifier::Apply(bool online)
{
    m_online = online;
    StatusLine::Instance().SetOnline(online);
    const QPixmap picture = online ? OnlinePicture() : OfflinePicture();
    // A notification may register or unregister windows; walk a copy, and only the
    // updaters that are still registered.
    const std::vector<COnlineStatusUpdater*> updaters = m_updaters;
    auto stillRegistered = [this](COnlineStatusUpdater* updater) {
        return std::find(m_updaters.begin(), m_updaters.end(), updater) != m_updaters.end();
    };
    for (COnlineStatusUpdater* updater : updaters) {
        if (stillRegistered(updater) && updater->OnlineStrip())
            updater->SetStripPicture(picture);
    }
    for (COnlineStatusUpdater* updater : updaters) {
        if (stillRegistered(updater) && updater->OnlineStrip())
            updater->OnOnlineStateChanged(online ? 1 : 0);
    }
    const auto listeners = m_listeners;
    for (const auto& [key, listener] : listeners)
        if (std::any_of(m_listeners.begin(), m_listeners.end(), [key = key](const auto& l) { return l.first == key; }))
            listener(online);
}

int COnlineStatusNotifier::Listen(Listener listener)
{
    m_listeners.emplace_back(m_nextKey, std::move(listener));
    return m_nextKey++;
}

void COnlineStatusNotifier::StopListeningIfAlive(int key)
{
    if (g_alive)
        g_alive->StopListening(key);
}

void COnlineStatusNotifier::StopListening(int key)
{
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [key](const auto& l) { return l.first == key; }),
                      m_listeners.end());
}
