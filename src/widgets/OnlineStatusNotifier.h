#pragma once
// The process-wide online-status notifier: it remembers whether the camera answered the last
// exchange, paints that state (4 x 4 red offline, dark green online) into the strip of every
// registered OnlineStatusUpdater and tells each of them. The window's camera reaches it
// through its LinkEvents' online sink, which Follow installs.
#include <QPixmap>

#include <functional>
#include <vector>

class OnlineStatusUpdater;
class LinkEvents;

class OnlineStatusNotifier {
public:
    static OnlineStatusNotifier& Instance();
    ~OnlineStatusNotifier();

    // Follows the outcomes of that camera's exchanges from now on (nullptr: none); the camera
    // must outlive the following or end it.
    void Follow(LinkEvents* events);

    // Sets the current picture on the updater's strip first, then appends it.
    void Register(OnlineStatusUpdater* updater);
    // Removes every entry of that updater.
    void Unregister(OnlineStatusUpdater* updater);
    void SetOnline();
    void SetOffline();
    bool IsOnline() const { return m_online; }

    // Told of every exchange's outcome after the updaters (true: the camera answered), for a
    // window that waits for the camera to answer again. Listen returns the key to stop with.
    using Listener = std::function<void(bool online)>;
    int Listen(Listener listener);
    void StopListening(int key);
    // For a destructor that may run after the notifier is gone at process end.
    static void StopListeningIfAlive(int key);

    // For an updater's destructor, which may run after the notifier is gone at process end.
    static void UnregisterIfAlive(OnlineStatusUpdater* updater);

    static QPixmap OfflinePicture();
    static QPixmap OnlinePicture();

private:
    OnlineStatusNotifier();
    void Apply(bool online);

    LinkEvents* m_followed = nullptr;
    std::vector<OnlineStatusUpdater*> m_updaters;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextKey = 1;
    bool m_online = false;
};
