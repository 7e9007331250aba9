#include "PropertyGridListEditor.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>

PropertyGridListEditor::PropertyGridListEditor(const QStringList& choices, int current, QWidget* parent) : QComboBox(parent)
{
    addItems(choices);
    setCurrentIndex(current);
    connect(this, &QComboBox::activated, this, [this](int index) { finish(true, index); });
}

void PropertyGridListEditor::showPopup()
{
    QComboBox::showPopup();
    // The list may close by a choice, Escape, or a click elsewhere, and only a choice is
    // reported by the combo box; so watch the list's window itself.
    if (QWidget* list = view()->window(); list != window())
        list->installEventFilter(this);
}

bool PropertyGridListEditor::eventFilter(QObject* watched, QEvent* event)
{
    // A choice is reported right after the list closes; wait for it before taking the
    // closing as a cancel.
    if (event->type() == QEvent::Hide && watched == view()->window())
        QMetaObject::invokeMethod(this, [this] { finish(false); }, Qt::QueuedConnection);
    return QComboBox::eventFilter(watched, event);
}

void PropertyGridListEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        finish(false);
        return;
    }
    QComboBox::keyPressEvent(event);
}

void PropertyGridListEditor::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // While the list is open it has the keys; its closing is watched on its own.
    if (event->reason() != Qt::PopupFocusReason && !view()->window()->isVisible())
        finish(false);
}

void PropertyGridListEditor::finish(bool accepted, int index)
{
    if (m_finished)
        return;
    m_finished = true;
    if (accepted)
        emit choiceAccepted(index);
    else
        emit editCancelled();
}
