#include "OnlineStatusUpdater.h"

#include "OnlineStatusNotifier.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QWidget>

// Keeps the strip along the bottom edge of a window that has no layout to place it.
class OnlineStripPlacer : public QObject {
public:
    OnlineStripPlacer(QWidget* window, QLabel* strip) : QObject(window), m_window(window), m_strip(strip)
    {
        window->installEventFilter(this);
        Place();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
            Place();
        return false;
    }

private:
    void Place()
    {
        if (!m_strip || !m_window || m_window->layout())
            return;
        const int height = OnlineStatusUpdater::kStripHeight;
        m_strip->setGeometry(0, m_window->height() - height, m_window->width(), height);
        m_strip->raise();
    }

    QWidget* m_window;
    QPointer<QLabel> m_strip;
};

OnlineStatusUpdater::OnlineStatusUpdater(QWidget* window)
{
    auto* strip = new QLabel(window);
    strip->setObjectName(QStringLiteral("onlineStatusStrip"));
    strip->setScaledContents(true);
    strip->setFixedHeight(kStripHeight);
    strip->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    strip->setPixmap(OnlineStatusNotifier::OfflinePicture());
    m_strip = strip;
    m_placer = new OnlineStripPlacer(window, strip);
}

OnlineStatusUpdater::~OnlineStatusUpdater()
{
    OnlineStatusNotifier::UnregisterIfAlive(this);
}

void OnlineStatusUpdater::SetStripPicture(const QPixmap& picture)
{
    // Every exchange reports the state again. A strip that already shows the picture is left
    // alone: setting it anew repaints the strip and the window beneath it, once per exchange
    // during a walk of hundreds.
    if (m_strip && m_strip->pixmap().toImage() != picture.toImage())
        m_strip->setPixmap(picture);
}
