#include "NumberBox.h"

#include <QKeyEvent>

#include <algorithm>
#include <climits>

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

int32_t NumberBox::LeadingInteger(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        v = std::min(v * 10 + (text[i].unicode() - '0'), 1LL << 32);
    return int32_t(std::clamp<long long>(negative ? -v : v, INT32_MIN, INT32_MAX));
}
