#include "StatusLineBar.h"

#include "StatusLine.h"

#include <QLabel>
#include <QPalette>

namespace {

QLabel* field(const char* name, const char* accessibleName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(QLatin1String(accessibleName));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room between the fields, which the bar draws without separators.
    label->setContentsMargins(6, 0, 6, 0);
    return label;
}

} // namespace

StatusLineBar::StatusLineBar(QWidget* parent)
    : QStatusBar(parent), m_action(field("statusAction", "Last action", this)),
      m_port(field("statusPort", "Port", this)), m_state(field("statusState", "Line state", this)),
      m_model(field("statusModel", "Camera model", this))
{
    setObjectName(QStringLiteral("statusLine"));
    // Not the window's corner: the online strip runs below it.
    setSizeGripEnabled(false);
    // A transfer disables the window, and that is when the bar has most to say.
    QPalette shown = palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        shown.setColor(QPalette::Disabled, role, shown.color(QPalette::Active, role));
    setPalette(shown);
    m_action->setMinimumWidth(0);
    m_action->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(m_action, 1);
    addPermanentWidget(m_port);
    addPermanentWidget(m_state);
    addPermanentWidget(m_model);
    connect(&StatusLine::Instance(), &StatusLine::changed, this, &StatusLineBar::Show);
    Show();
}

void StatusLineBar::Show()
{
    const StatusLine& line = StatusLine::Instance();
    m_action->setText(line.Action());
    m_action->setToolTip(line.Action());
    QString port = line.Port().isEmpty() ? QStringLiteral("No port") : line.Port();
    if (!line.Device().isEmpty())
        port += QStringLiteral(" (%1)").arg(line.Device());
    m_port->setText(port);
    const StatusLine::LineState state = line.State();
    m_state->setText(StatusLine::StateText(state));
    // The same colours as the online strip; Busy in the text colour.
    const QColor colour = state == StatusLine::LineState::Online ? QColor(0, 128, 0)
                        : state == StatusLine::LineState::Offline ? QColor(200, 0, 0)
                                                                  : palette().color(QPalette::WindowText);
    m_state->setStyleSheet(QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(colour.name()));
    m_model->setText(line.Model().isEmpty() ? QStringLiteral("No camera") : line.Model());
}
