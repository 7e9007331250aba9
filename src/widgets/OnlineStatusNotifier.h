#pragma once
// The process-wide online-status notifier: it remembers whether the camera answered the last
// exchange, paints that state (4 x 4 red offline, dark green online) into the strip of every
// registered COnlineStatusUpdater and tells each of them. The link layer reaches it through
// LinkEvents' online sink, which the notifier installs when it is first used.
#include <QPixmap>
#include <vector>

class COnlineStatusUpdater;

class COnlineStatusNotifier {
public:
    static COnlineStatusNotifier& Instance();
    ~COnlineStatusNotifier();

    // Sets the current picture on the updater's strip first, then appends it.
    void Register(COnlineStatusUpdater* updater);
    // Removes every entry of that updater.
    void Unregister(COnlineStatusUpdater* updater);
    void SetOnline();
    void SetOffline();
    bool IsOnline() const { return m_online; }

    // For an updater's destructor, which may run after the notifier is gone at process end.
    static void UnregisterIfAlive(COnlineStatusUpdater* updater);

    static QPixmap OfflinePicture();
    static QPixmap OnlinePicture();

private:
    COnlineStatusNotifier();
    void Apply(bool online);

    std::vector<COnlineStatusUpdater*> m_updaters;
    bool m_online = false;
};
