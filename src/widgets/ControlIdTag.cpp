#include "ControlIdTag.h"

#include <QString>
#include <QWidget>

void tagControlId(QWidget* control, int id)
{
    if (!control || id <= 0)
        return;
    control->setProperty("ctrlId", id);
    control->setObjectName(QStringLiteral("ctrl_%1").arg(id));
    control->setAccessibleDescription(QStringLiteral("Control %1").arg(id));
}
