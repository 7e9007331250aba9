#include "OnlineStatusNotifier.h"

#include "LinkEvents.h"
#include "OnlineStatusUpdater.h"
#include "StatusLine.h"

#include <QColor>
#include <QLabel>
#include <algorithm>

namespace {

OnlineStatusNotifier* g_alive = nullptr;

QPixmap filled(const QColor& colour)
{
    QPixmap picture(4, 4);
    picture.fill(colour);
    return picture;
}

} // namespace

OnlineStatusNotifier& OnlineStatusNotifier::Instance()
{
    static OnlineStatusNotifier notifier;
    return notifier;
}

OnlineStatusNotifier::OnlineStatusNotifier()
{
    g_alive = this;
}

OnlineStatusNotifier::~OnlineStatusNotifier()
{
    g_alive = nullptr;
    Follow(nullptr);
}

void OnlineStatusNotifier::Follow(LinkEvents* events)
{
    if (m_followed)
        m_followed->SetOnlineSink(nullptr);
    m_followed = events;
    if (m_followed)
        m_followed->SetOnlineSink([this](bool online) { online ? SetOnline() : SetOffline(); });
}

void OnlineStatusNotifier::UnregisterIfAlive(OnlineStatusUpdater* updater)
{
    if (g_alive)
        g_alive->Unregister(updater);
}

QPixmap OnlineStatusNotifier::OfflinePicture()
{
    return filled(QColor(255, 0, 0));
}

QPixmap OnlineStatusNotifier::OnlinePicture()
{
    return filled(QColor(0, 128, 0));
}

void OnlineStatusNotifier::Register(OnlineStatusUpdater* updater)
{
    if (!updater)
        return;
    updater->SetStripPicture(m_online ? OnlinePicture() : OfflinePicture());
    m_updaters.push_back(updater);
}

void OnlineStatusNotifier::Unregister(OnlineStatusUpdater* updater)
{
    m_updaters.erase(std::remove(m_updaters.begin(), m_updaters.end(), updater), m_updaters.end());
}

void OnlineStatusNotifier::SetOnline()
{
    Apply(true);
}

void OnlineStatusNotifier::SetOffline()
{
    Apply(false);
}

void OnlineStatusNotifier::Apply(bool online)
{
    m_online = online;
    StatusLine::Instance().SetOnline(online);
    const QPixmap picture = online ? OnlinePicture() : OfflinePicture();
    // A notification may register or unregister windows; walk a copy, and only the
    // updaters that are still registered.
    const std::vector<OnlineStatusUpdater*> updaters = m_updaters;
    auto stillRegistered = [this](OnlineStatusUpdater* updater) {
        return std::find(m_updaters.begin(), m_updaters.end(), updater) != m_updaters.end();
    };
    for (OnlineStatusUpdater* updater : updaters) {
        if (stillRegistered(updater) && updater->OnlineStrip())
            updater->SetStripPicture(picture);
    }
    for (OnlineStatusUpdater* updater : updaters) {
        if (stillRegistered(updater) && updater->OnlineStrip())
            updater->OnOnlineStateChanged(online ? 1 : 0);
    }
    const auto listeners = m_listeners;
    for (const auto& [key, listener] : listeners)
        if (std::any_of(m_listeners.begin(), m_listeners.end(), [key = key](const auto& l) { return l.first == key; }))
            listener(online);
}

int OnlineStatusNotifier::Listen(Listener listener)
{
    m_listeners.emplace_back(m_nextKey, std::move(listener));
    return m_nextKey++;
}

void OnlineStatusNotifier::StopListeningIfAlive(int key)
{
    if (g_alive)
        g_alive->StopListening(key);
}

void OnlineStatusNotifier::StopListening(int key)
{
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [key](const auto& l) { return l.first == key; }),
                      m_listeners.end());
}
