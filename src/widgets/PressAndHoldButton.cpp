#include "PressAndHoldButton.h"

#include "ControlIdTag.h"

#include <QKeyEvent>
#include <QMouseEvent>

PressAndHoldButton::PressAndHoldButton(QWidget* parent) : QPushButton(parent) {}

PressAndHoldButton::PressAndHoldButton(const QString& text, int ctrlId, QWidget* parent) : QPushButton(text, parent)
{
    tagControlId(this, ctrlId);
}

QPoint PressAndHoldButton::toOwner(const QPoint& global) const
{
    const QWidget* frame = m_owner ? m_owner.data() : parentWidget() ? parentWidget() : this;
    return frame->mapFromGlobal(global);
}

bool PressAndHoldButton::press(const QPoint& position)
{
    m_held = true;
    m_pressPosition = position;
    const QPointer<PressAndHoldButton> alive(this);
    emit pressedAt(position);
    return alive && m_held;
}

void PressAndHoldButton::release(const QPoint& position)
{
    if (!m_held)
        return;
    m_held = false;
    emit releasedAt(position);
}

void PressAndHoldButton::mousePressEvent(QMouseEvent* event)
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

void PressAndHoldButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_held) {
        const QPointer<PressAndHoldButton> alive(this);
        release(toOwner(event->globalPosition().toPoint()));
        if (!alive)
            return;
    }
    QPushButton::mouseReleaseEvent(event);
}

void PressAndHoldButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && !m_held
        && !press(toOwner(mapToGlobal(rect().center())))) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void PressAndHoldButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_held) {
        const QPointer<PressAndHoldButton> alive(this);
        release(toOwner(mapToGlobal(rect().center())));
        if (!alive)
            return;
    }
    QPushButton::keyReleaseEvent(event);
}

void PressAndHoldButton::abandonPress()
{
    if (!m_held)
        return;
    setDown(false);
    release(m_pressPosition);
}

void PressAndHoldButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    abandonPress();
}

void PressAndHoldButton::hideEvent(QHideEvent* event)
{
    QPushButton::hideEvent(event);
    abandonPress();
}

void PressAndHoldButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if ((event->type() == QEvent::EnabledChange && !isEnabled())
        || (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        abandonPress();
}
