#include "PropertyGridTextEditor.h"

#include <QFocusEvent>
#include <QKeyEvent>

PropertyGridTextEditor::PropertyGridTextEditor(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
    setFrame(false);
    selectAll();
}

void PropertyGridTextEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: finish(true); return;
    case Qt::Key_Escape: finish(false); return;
    default: QLineEdit::keyPressEvent(event);
    }
}

void PropertyGridTextEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // The edit's own context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason)
        finish(true);
}

void PropertyGridTextEditor::finish(bool accepted)
{
    if (m_finished)
        return;
    m_finished = true;
    if (accepted)
        emit editAccepted(text());
    else
        emit editCancelled();
}
