#include "CMyButton.h"

#include "ControlIdTag.h"

#include <QKeyEvent>
#include <QMouseEvent>

CMyButton::CMyButton(QWidget* parent) : QPushButton(parent) {}

CMyButton::CMyButton(const QString& text, int ctrlId, QWidget* parent) : QPushButton(text, parent)
{
    tagControlId(this, ctrlId);
}

QPoint CMyButton::toOwner(const QPoint& global) const
{
    const QWidget* frame = m_owner ? m_owner.data() : parentWidget() ? parentWidget() : this;
    return frame->mapFromGlobal(global);
}

bool CMyButton::press(const QPoint& position)
{
    m_held = true;
    m_pressPosition = position;
    const QPointer<CMyButton> alive(this);
    emit pressedAt(position);
    return alive && m_held;
}

void CMyButton::release(const QPoint& position)
{
    if (!m_held)
        return;
    m_held = false;
    emit releasedAt(position);
}

void CMyButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !m_held
        && !press(toOwner(event->globalPosition().toPoint()))) {
        // The owner's handling already ended the press (a message box took the focus, say):
        // the button must not stay down with no release to come.
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void CMyButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_held) {
        const QPointer<CMyButton> alive(this);
        release(toOwner(event->globalPosition().toPoint()));
        if (!alive)
            return;
    }
    QPushButton::mouseReleaseEvent(event);
}

void CMyButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && !m_held
        && !press(toOwner(mapToGlobal(rect().center())))) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CMyButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_held) {
        const QPointer<CMyButton> alive(this);
        release(toOwner(mapToGlobal(rect().center())));
        if (!alive)
            return;
    }
    QPushButton::keyReleaseEvent(event);
}

void CMyButton::abandonPress()
{
    if (!m_held)
        return;
    setDown(false);
    release(m_pressPosition);
}

void CMyButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    abandonPress();
}

void CMyButton::hideEvent(QHideEvent* event)
{
    QPushButton::hideEvent(event);
    abandonPress();
}

void CMyButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if ((event->type() == QEvent::EnabledChange && !isEnabled())
        || (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        abandonPress();
}
