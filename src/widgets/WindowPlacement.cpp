#include "WindowPlacement.h"

#include <QEvent>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

namespace {

PlaceStore& Store()
{
    static PlaceStore store;
    return store;
}

// Watches one tracked window: places it when it is first shown, keeps its place when it hides.
class Tracker : public QObject {
public:
    Tracker(QWidget* window, QWidget* owner, const char* name, bool placeBeside)
        : QObject(window), m_window(window), m_owner(owner), m_name(name), m_placeBeside(placeBeside)
    {
        All().append(this);
        window->installEventFilter(this);
    }
    ~Tracker() override { All().removeOne(this); }

    static QList<Tracker*>& All()
    {
        static QList<Tracker*> trackers;
        return trackers;
    }

    void Keep() const
    {
        if (m_placed && Store().write)
            Store().write(m_name.constData(), m_window->saveGeometry());
    }
    bool Shown() const { return m_window->isVisible(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window) {
            if (event->type() == QEvent::Show && !m_placed) {
                m_placed = true;
                place();
            } else if (event->type() == QEvent::Hide) {
                Keep();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void place()
    {
        const QByteArray kept = Store().read ? Store().read(m_name.constData()) : QByteArray();
        if (!kept.isEmpty() && m_window->restoreGeometry(kept)) {
            FitToScreen(m_window);
            return;
        }
        FitToScreen(m_window);
        QScreen* screen = m_owner ? m_owner->screen() : m_window->screen();
        if (!m_placeBeside || !m_owner || !screen)
            return;
        const QRect frame = m_window->frameGeometry();
        const QRect target = BesideOwner(m_owner->frameGeometry(), frame.size(), screen->availableGeometry());
        m_window->move(target.topLeft());
    }

    QWidget* m_window;
    QPointer<QWidget> m_owner;
    QByteArray m_name;
    bool m_placeBeside;
    bool m_placed = false;
};

} // namespace

QRect BesideOwner(const QRect& owner, QSize size, const QRect& available)
{
    const QSize s = size.boundedTo(available.size());
    const int maxX = available.right() + 1 - s.width();
    const int maxY = available.bottom() + 1 - s.height();
    const int levelY = std::clamp(owner.top(), available.top(), maxY);
    const int levelX = std::clamp(owner.left(), available.left(), maxX);
    // Right, left, below, above.
    const QPoint sides[] = {
        {owner.right() + 1, levelY},
        {owner.left() - s.width(), levelY},
        {levelX, owner.bottom() + 1},
        {levelX, owner.top() - s.height()},
    };
    for (const QPoint& at : sides) {
        const QRect candidate(at, s);
        if (available.contains(candidate))
            return candidate;
    }
    const QPoint over(std::clamp(owner.right() + 1 - s.width(), available.left(), maxX), levelY);
    return QRect(over, s);
}

void FitToScreen(QWidget* window)
{
    QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QSize margins = frame.size() - window->size();
    const QSize room = available.size() - margins;
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
    const QSize size = window->frameGeometry().size().boundedTo(available.size());
    const int x = std::clamp(frame.left(), available.left(), available.right() + 1 - size.width());
    const int y = std::clamp(frame.top(), available.top(), available.bottom() + 1 - size.height());
    if (QPoint(x, y) != frame.topLeft())
        window->move(x, y);
}

void Track(QWidget* window, QWidget* owner, const char* name, bool placeBeside)
{
    new Tracker(window, owner, name, placeBeside);
}

void SetPlaceStore(PlaceStore store)
{
    Store() = std::move(store);
}

void KeepAll()
{
    for (const Tracker* tracker : Tracker::All())
        if (tracker->Shown())
            tracker->Keep();
}

} // namespace WindowPlacement
