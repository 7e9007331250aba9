#include "NumberBox.h"

#include <QKeyEvent>

NumberBox::NumberBox(int ctrlId, QWidget* parent) : QLineEdit(parent), m_ctrlId(ctrlId)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setProperty("ctrlId", ctrlId);
    setObjectName(QStringLiteral("ctrl_%1").arg(ctrlId));
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A box that is read-only holds a camera value for display; there is nothing to commit.
    if (!isReadOnly())
        emit commitRequested(m_ctrlId);
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter commits the box as leaving it would, and goes no further: the window's
        // default button must never see it.
        if (!isReadOnly())
            emit commitRequested(m_ctrlId);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
