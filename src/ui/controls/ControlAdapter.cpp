#include "ControlAdapter.h"

#include "Camera.h"
#include "ControlRules.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "UpDownControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// The items of a list carry the camera's value; an item without one carries 0.
int32_t itemValue(const QComboBox* list, int index)
{
    return list->itemData(index).toInt();
}

} // namespace

QWidget* ControlAdapter::Find(int ctrlId) const
{
    return ctrlId > 0 ? m_lookup.FindControl(ctrlId) : nullptr;
}

QComboBox* ControlAdapter::FindList(int ctrlId) const
{
    return qobject_cast<QComboBox*>(Find(ctrlId));
}

UpDownControl* ControlAdapter::SpinOf(int boxId) const
{
    auto* box = qobject_cast<NumberBox*>(Find(boxId));
    return box ? qobject_cast<UpDownControl*>(Find(box->spinId())) : nullptr;
}

int ControlAdapter::ListSelection(int listId) const
{
    const QComboBox* list = FindList(listId);
    return list ? list->currentIndex() : -1;
}

void ControlAdapter::SelectItem(int listId, int item)
{
    if (QComboBox* list = FindList(listId))
        list->setCurrentIndex(item >= 0 && item < list->count() ? item : -1);
}

void ControlAdapter::SetEnabled(int ctrlId, bool enabled)
{
    if (QWidget* control = Find(ctrlId))
        control->setEnabled(enabled);
}

void ControlAdapter::SetText(int ctrlId, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(Find(ctrlId)))
        box->setText(text);
}

void ControlAdapter::SetSpinRange(int spinId, int32_t minimum, int32_t maximum)
{
    if (auto* spin = qobject_cast<UpDownControl*>(Find(spinId)))
        spin->setRange(minimum, maximum);
}

QRadioButton* ControlAdapter::GroupStart(QRadioButton* button)
{
    if (button->property("groupStart").toBool() || !button->parentWidget())
        return button;
    const QObjectList siblings = button->parentWidget()->children();
    QRadioButton* earliest = button;
    for (int i = int(siblings.indexOf(button)) - 1; i >= 0; --i) {
        auto* radio = qobject_cast<QRadioButton*>(siblings[i]);
        if (!radio)
            continue;
        earliest = radio;
        if (radio->property("groupStart").toBool())
            break;
    }
    return earliest;
}

QList<QRadioButton*> ControlAdapter::RadioGroup(QRadioButton* first)
{
    QList<QRadioButton*> group{first};
    if (!first->parentWidget())
        return group;
    const QObjectList siblings = first->parentWidget()->children();
    for (int i = int(siblings.indexOf(first)) + 1; i < siblings.size(); ++i) {
        auto* radio = qobject_cast<QRadioButton*>(siblings[i]);
        if (!radio)
            continue;
        if (radio->property("groupStart").toBool())
            break;
        group.append(radio);
    }
    return group;
}

void ControlAdapter::SetControlValue(int ctrlId, int32_t value)
{
    QWidget* control = Find(ctrlId);
    switch (ClassOfControl(control)) {
    case ControlClass::NumberBox:
        static_cast<QLineEdit*>(control)->setText(QString::number(value));
        break;
    case ControlClass::Spin: {
        auto* spin = static_cast<UpDownControl*>(control);
        spin->setPosition(value);
        if (spin->buddy())
            spin->buddy()->setText(QString::number(value));
        break;
    }
    case ControlClass::DropDown: {
        auto* list = static_cast<QComboBox*>(control);
        int index = -1;
        // A binning row holds the list position; its items carry the camera's factor.
        for (int i = 0; i < list->count() && index < 0 && !ControlRules::IsBinningList(ctrlId); ++i)
            if (itemValue(list, i) == value)
                index = i;
        if (index < 0)
            index = (value >= 0 && value < list->count()) ? value : -1;
        list->setCurrentIndex(index);
        break;
    }
    case ControlClass::CheckBox:
        static_cast<QCheckBox*>(control)->setChecked(value == 1);
        break;
    case ControlClass::Radio: {
        // Exclusive buttons refuse to be cleared one by one, so exclusivity is lifted while
        // the group is set as a whole (a position outside the group clears every button).
        const QList<QRadioButton*> group = RadioGroup(static_cast<QRadioButton*>(control));
        QList<QButtonGroup*> exclusiveGroups;
        for (QRadioButton* radio : group)
            if (QButtonGroup* g = radio->group(); g && g->exclusive() && !exclusiveGroups.contains(g)) {
                exclusiveGroups.append(g);
                g->setExclusive(false);
            }
        for (int i = 0; i < group.size(); ++i) {
            QRadioButton* radio = group[i];
            const bool autoExclusive = radio->autoExclusive();
            radio->setAutoExclusive(false);
            radio->setChecked(i == value);
            radio->setAutoExclusive(autoExclusive);
        }
        for (QButtonGroup* g : exclusiveGroups)
            g->setExclusive(true);
        break;
    }
    default:
        break;
    }
}

int32_t ControlAdapter::GetControlValue(int ctrlId) const
{
    QWidget* control = Find(ctrlId);
    switch (ClassOfControl(control)) {
    case ControlClass::NumberBox:
        return NumberBox::LeadingInteger(static_cast<QLineEdit*>(control)->text());
    case ControlClass::Spin:
        return static_cast<UpDownControl*>(control)->position();
    case ControlClass::DropDown: {
        const auto* list = static_cast<QComboBox*>(control);
        const int index = list->currentIndex();
        if (index < 0)
            return -1;
        const int32_t value = itemValue(list, index);
        if (ControlRules::IsBinningList(ctrlId))
            return index;
        return (value == 0 && !ControlRules::ZeroIsItemValue(ctrlId)) ? index : value;
    }
    case ControlClass::CheckBox:
        return static_cast<QCheckBox*>(control)->isChecked() ? 1 : 0;
    case ControlClass::Radio: {
        const QList<QRadioButton*> group = RadioGroup(GroupStart(static_cast<QRadioButton*>(control)));
        for (int i = 0; i < group.size(); ++i)
            if (group[i]->isChecked())
                return i;
        return 0;
    }
    case ControlClass::PushButton:
        return 0;
    case ControlClass::None:
        break;
    }
    return -1;
}

void ControlAdapter::RefreshAllControls()
{
    ParameterTable& t = m_camera.Table();
    for (int i = 0; i < t.RowCount(); ++i)
        SetControlValue(int(t.Row(i).ctrlId), t.Row(i).value);
}

void ControlAdapter::RefreshPendingControls()
{
    ParameterTable& t = m_camera.Table();
    for (int i = 0; i < t.RowCount(); ++i)
        if (t.IsPending(i))
            SetControlValue(int(t.Row(i).ctrlId), t.Row(i).value);
}
