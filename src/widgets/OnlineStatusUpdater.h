#pragma once
// Second base class of every dialog that shows whether the camera answered the last exchange:
// it owns the thin online-status strip along the bottom of the window and is told of every
// change of the online state. The dialog registers with OnlineStatusNotifier when it is
// initialised; until then its strip shows red. Unregisters itself on destruction.
#include <QLabel>
#include <QPointer>

class QPixmap;
class QWidget;
class OnlineStripPlacer;

class OnlineStatusUpdater {
public:
    // Creates the strip as a child of window. Without a layout of its own the window keeps
    // the strip along its bottom edge; a window with a layout adds OnlineStrip() at the bottom.
    explicit OnlineStatusUpdater(QWidget* window);
    virtual ~OnlineStatusUpdater();
    OnlineStatusUpdater(const OnlineStatusUpdater&) = delete;
    OnlineStatusUpdater& operator=(const OnlineStatusUpdater&) = delete;

    // online: 1 online, 0 offline. Called after the strip changed colour.
    virtual void OnOnlineStateChanged(int online) {}

    QLabel* OnlineStrip() const { return m_strip; }
    void SetStripPicture(const QPixmap& picture);

    static constexpr int kStripHeight = 4;

private:
    QPointer<QLabel> m_strip;
    OnlineStripPlacer* m_placer = nullptr;
};
