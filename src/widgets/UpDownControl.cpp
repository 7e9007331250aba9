#include "UpDownControl.h"

#include "NumberBox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* makeArrow(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus); // the buddy keeps the focus; its arrow keys step too
    b->setAccessibleName(name);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    b->setFixedWidth(16);
    return b;
}

} // namespace

UpDownControl::UpDownControl(int ctrlId, QWidget* parent) : QWidget(parent), m_ctrlId(ctrlId)
{
    setProperty("ctrlId", ctrlId);
    setObjectName(QStringLiteral("ctrl_%1").arg(ctrlId));
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = makeArrow(Qt::UpArrow, tr("Up"), this);
    m_down = makeArrow(Qt::DownArrow, tr("Down"), this);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(m_up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDownControl::setBuddy(NumberBox* buddy)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy) {
        // The box keeps its spin's id so that a box's spin can be found from the box.
        m_buddy->setSpinId(m_ctrlId);
        m_buddy->installEventFilter(this);
    }
}

void UpDownControl::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
    m_pos = clamp(m_pos);
}

int UpDownControl::clamp(int value) const
{
    // The range may be given upside down; it still bounds the position.
    return std::clamp(value, std::min(m_min, m_max), std::max(m_min, m_max));
}

void UpDownControl::setPosition(int position)
{
    m_pos = clamp(position);
    if (m_buddy)
        m_buddy->setText(QString::number(m_pos));
}

int UpDownControl::position() const
{
    if (!m_buddy)
        return m_pos;
    return clamp(NumberBox::LeadingInteger(m_buddy->text()));
}

void UpDownControl::step(int delta)
{
    if (!isEnabled() || (m_buddy && !m_buddy->isEnabled()))
        return;
    const int current = position();
    if (isSignalConnected(QMetaMethod::fromSignal(&UpDownControl::stepRequested))) {
        emit stepRequested(m_ctrlId, current, delta);
        return;
    }
    // Nobody decides for us: step within the range on our own.
    setPosition(current + delta);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event)
{
    // The event's kind is tested first: while the box is being destroyed it still sends
    // events, and comparing with the guarded pointer then would name a half-gone NumberBox.
    if (event->type() == QEvent::KeyPress && watched == m_buddy && !m_buddy->isReadOnly()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
