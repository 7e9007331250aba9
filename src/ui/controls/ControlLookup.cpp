#include "ControlLookup.h"

#include "NumberBox.h"
#include "UpDownControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

ControlClass ClassOfControl(const QWidget* control)
{
    if (!control)
        return ControlClass::None;
    // Any line edit counts as a number box, read-only boxes included, as every edit box did on
    // the original dialogs; only a NumberBox can carry a spin, so only it is ever committed.
    if (qobject_cast<const QLineEdit*>(control))
        return ControlClass::NumberBox;
    if (qobject_cast<const UpDownControl*>(control))
        return ControlClass::Spin;
    if (qobject_cast<const QComboBox*>(control))
        return ControlClass::DropDown;
    if (qobject_cast<const QPushButton*>(control))
        return ControlClass::PushButton;
    if (qobject_cast<const QCheckBox*>(control))
        return ControlClass::CheckBox;
    if (qobject_cast<const QRadioButton*>(control))
        return ControlClass::Radio;
    return ControlClass::None;
}
