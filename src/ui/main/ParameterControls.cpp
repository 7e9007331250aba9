#include "ParameterControls.h"

#include "CameraModel.h"
#include "Command.h"
#include "CommandTable.h"
#include "ControlLookup.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "UpDownControl.h"
#include "UserNotice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <climits>

using namespace ParamRules;

namespace {

constexpr uint32_t kExchangeMs = 2500;
constexpr const char* kProgramCaption = "Lumora Control Tool";
constexpr const char* kAttachedProperty = "paramControlsAttached";

// A box's text read as a decimal integer: leading blanks, an optional sign, digits up to the
// first other character; 0 when there are none. Saturates rather than overflowing.
int32_t leadingInteger(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        v = std::min(v * 10 + (text[i].unicode() - '0'), 1LL << 32);
        ++i;
    }
    return int32_t(std::clamp<long long>(negative ? -v : v, INT32_MIN, INT32_MAX));
}

int ctrlIdOf(const QObject* object)
{
    const QVariant id = object->property("ctrlId");
    return id.isValid() ? id.toInt() : 0;
}

ParameterTable& table()
{
    return ParameterTable::Instance();
}

// The items of a list carry the camera's value; an item without one carries 0.
int32_t itemValue(const QComboBox* list, int index)
{
    return list->itemData(index).toInt();
}

} // namespace

ParameterControls::ParameterControls(const ControlLookup& lookup, ClOutputFormat& format, QObject* parent)
    : QObject(parent), m_lookup(lookup), m_format(format)
{
}

// ---------------------------------------------------------------------------------------
// Finding and connecting controls

QWidget* ParameterControls::find(int ctrlId) const
{
    return ctrlId > 0 ? m_lookup.FindControl(ctrlId) : nullptr;
}

QComboBox* ParameterControls::findList(int ctrlId) const
{
    return qobject_cast<QComboBox*>(find(ctrlId));
}

int ParameterControls::listSelection(int listId) const
{
    const QComboBox* list = findList(listId);
    return list ? list->currentIndex() : -1;
}

void ParameterControls::setEnabled(int ctrlId, bool enabled)
{
    if (QWidget* control = find(ctrlId))
        control->setEnabled(enabled);
}

bool ParameterControls::hasRow(int ctrlId) const
{
    // A quiet look-up: controls without a row (read-only boxes, buttons of their own) are
    // simply not parameters, which is no error worth a warning box.
    const ParameterTable& t = table();
    for (int i = 0; i < t.RowCount(); ++i)
        if (t.Row(i).ctrlId == uint32_t(ctrlId))
            return true;
    return false;
}

SensorSize ParameterControls::sensorSize() const
{
    if (m_sensorSize)
        return m_sensorSize();
    const CameraModel& model = CameraModel::Instance();
    return {model.SensorWidth(), model.SensorHeight()};
}

void ParameterControls::attach(QWidget* root)
{
    if (!root)
        return;
    QList<QWidget*> controls = root->findChildren<QWidget*>();
    controls.prepend(root);
    for (QWidget* w : controls) {
        const int id = ctrlIdOf(w);
        // Marked with this object's address, so a second attach connects nothing twice while
        // another ParameterControls over the same widgets still connects its own.
        const QVariant mark = QVariant::fromValue(reinterpret_cast<quintptr>(this));
        if (id <= 0 || w->property(kAttachedProperty) == mark)
            continue;
        w->setProperty(kAttachedProperty, mark);
        if (auto* box = qobject_cast<NumberBox*>(w)) {
            connect(box, &NumberBox::commitRequested, this,
                    [this](int boxId) { RouteNotification(boxId, ControlEvent::FocusLost); });
        } else if (auto* spin = qobject_cast<UpDownControl*>(w)) {
            connect(spin, &UpDownControl::stepRequested, this, [this](int spinId, int position, int step) {
                RouteNotification(spinId, ControlEvent::SpinStep, position, step);
            });
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            connect(list, &QComboBox::activated, this,
                    [this, id](int) { RouteNotification(id, ControlEvent::SelectionChanged); });
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, id] { RouteNotification(id, ControlEvent::Clicked); });
        }
    }
}

void ParameterControls::RouteNotification(int ctrlId, ControlEvent event, int position, int step)
{
    // A message box or a progress window shown while a change is being sent lets the window
    // deliver more notifications (a box losing the focus to the message box, for one). The
    // change in progress owns the camera until it is done; later ones are not queued.
    if (m_busy)
        return;
    const QWidget* control = find(ctrlId);
    if (!control)
        return;
    struct BusyGuard {
        bool& flag;
        explicit BusyGuard(bool& f) : flag(f) { flag = true; }
        ~BusyGuard() { flag = false; }
    } guard(m_busy);

    const ControlClass kind = ClassOfControl(control);
    switch (event) {
    case ControlEvent::Clicked:
        if (kind == ControlClass::PushButton)
            OnPushButton(ctrlId);
        else if (kind == ControlClass::CheckBox)
            OnCheckBox(ctrlId);
        else if (kind == ControlClass::Radio)
            OnRadioButton(ctrlId);
        break;
    case ControlEvent::FocusLost:
        if (kind == ControlClass::NumberBox)
            OnNumberBox(ctrlId);
        break;
    case ControlEvent::SelectionChanged:
        if (kind == ControlClass::DropDown)
            OnList(ctrlId);
        break;
    case ControlEvent::SpinStep:
        if (kind == ControlClass::Spin)
            OnSpinStep(ctrlId, position, step);
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Radio groups: a group runs from the button marked "groupStart" through the radio buttons
// that follow it under the same parent, up to the next group's first button.

QRadioButton* ParameterControls::groupStart(QRadioButton* button)
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

QList<QRadioButton*> ParameterControls::radioGroup(QRadioButton* first)
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

// ---------------------------------------------------------------------------------------
// Control values

void ParameterControls::SetControlValue(int ctrlId, int32_t value)
{
    QWidget* control = find(ctrlId);
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
        for (int i = 0; i < list->count() && index < 0; ++i)
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
        const QList<QRadioButton*> group = radioGroup(static_cast<QRadioButton*>(control));
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

int32_t ParameterControls::GetControlValue(int ctrlId) const
{
    QWidget* control = find(ctrlId);
    switch (ClassOfControl(control)) {
    case ControlClass::NumberBox:
        return leadingInteger(static_cast<QLineEdit*>(control)->text());
    case ControlClass::Spin:
        return static_cast<UpDownControl*>(control)->position();
    case ControlClass::DropDown: {
        const auto* list = static_cast<QComboBox*>(control);
        const int index = list->currentIndex();
        if (index < 0)
            return -1;
        const int32_t value = itemValue(list, index);
        return (value == 0 && !ZeroIsItemValue(ctrlId)) ? index : value;
    }
    case ControlClass::CheckBox:
        return static_cast<QCheckBox*>(control)->isChecked() ? 1 : 0;
    case ControlClass::Radio: {
        const QList<QRadioButton*> group = radioGroup(groupStart(static_cast<QRadioButton*>(control)));
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

void ParameterControls::RefreshAllControls()
{
    ParameterTable& t = table();
    for (int i = 0; i < t.RowCount(); ++i)
        SetControlValue(int(t.Row(i).ctrlId), t.Row(i).value);
}

void ParameterControls::RefreshPendingControls()
{
    ParameterTable& t = table();
    for (int i = 0; i < t.RowCount(); ++i)
        if (t.IsPending(i))
            SetControlValue(int(t.Row(i).ctrlId), t.Row(i).value);
}

int ParameterControls::SendPendingRows(uint32_t timeoutMs)
{
    ParameterTable& t = table();
    Command& command = Command::Instance();
    for (int i = 0; i < t.RowCount(); ++i) {
        if (!t.IsPending(i))
            continue;
        ParameterRow& row = t.Row(i);
        const int cmd = int(row.cmdId);
        if (cmd != 582 && cmd != 583) {
            row.committedValue = row.value;
            if (!command.SetInt(cmd, row.value, timeoutMs))
                return 0;
        }
        uint32_t answer = 0;
        if (command.QueryInt(cmd, answer, kExchangeMs)) {
            // The control shows what the camera accepted, which may differ from what was sent.
            const int ctrlId = int(row.ctrlId);
            t.SetDataValue(uint32_t(ctrlId), int32_t(answer));
            SetControlValue(ctrlId, int32_t(answer));
        }
    }
    return 1;
}

int ParameterControls::RefreshControl(int ctrlId)
{
    const int cmd = table().ToCmdId(uint32_t(ctrlId));
    if (cmd < 0)
        return 0;
    uint32_t answer = 0;
    if (!Command::Instance().QueryInt(cmd, answer, kExchangeMs))
        return 0;
    table().SetDataValue(uint32_t(ctrlId), int32_t(answer));
    SetControlValue(ctrlId, int32_t(answer));
    return 1;
}

void ParameterControls::commonCommit()
{
    SendPendingRows(kExchangeMs);
    table().CommitAll();
}

// ---------------------------------------------------------------------------------------
// Ranges and item values

bool ParameterControls::binningOn(int listId, int rowId) const
{
    // The binning rows hold the selection after a reading but the item value (1 or 2) after
    // a change on the page; the list itself always shows which one is in force.
    if (const QComboBox* list = findList(listId))
        return list->currentIndex() == 1;
    return table().GetDataValue(uint32_t(rowId)) == 2;
}

void ParameterControls::spinLimitsFor(int ctrlId, int32_t& minimum, int32_t& maximum) const
{
    const SensorSize sensor = sensorSize();
    switch (ctrlId) {
    case 2515:
        maximum = sensor.width;
        minimum = binningOn(1406, 1406) ? 48 : 96;
        break;
    case 2785:
        maximum = sensor.width;
        minimum = binningOn(2797, 2797) ? 48 : 96;
        break;
    case 1359:
    case 2787:
        maximum = sensor.height;
        break;
    case 2802:
    case 2918:
    case 2804:
        if (table().GetDataValue(2542) != 0) {
            minimum = 100;
            maximum = 6400;
        } else {
            minimum = 47;
            maximum = 400;
        }
        break;
    case 2795:
    case 2912:
    case 2914:
    case 2916:
        minimum = (binningOn(2797, 2797) || binningOn(2798, 2798)) ? 3 : 1;
        break;
    default:
        break;
    }
}

void ParameterControls::ApplySpinRanges()
{
    ParameterTable& t = table();
    for (int i = 0; i < t.RowCount(); ++i) {
        const ParameterRow& row = t.Row(i);
        const int ctrlId = int(row.ctrlId);
        if (row.ctrlKind != kNumberBox || IsSpinRangeException(ctrlId))
            continue;
        auto* box = qobject_cast<NumberBox*>(find(ctrlId));
        auto* spin = box ? qobject_cast<UpDownControl*>(find(box->spinId())) : nullptr;
        if (!spin)
            continue;
        int32_t minimum = row.minValue;
        int32_t maximum = row.maxValue;
        spinLimitsFor(ctrlId, minimum, maximum);
        if (row.rangePad == 1) {
            --minimum;
            ++maximum;
        }
        spin->setRange(minimum, maximum);
    }
}

void ParameterControls::AttachListValues()
{
    for (const ListValues& entry : ListItemValues()) {
        for (int listId : entry.lists) {
            QComboBox* list = findList(listId);
            if (!list)
                continue;
            const int count = std::min<int>(list->count(), int(entry.values.size()));
            for (int i = 0; i < count; ++i)
                list->setItemData(i, entry.values[size_t(i)]);
            if (listId == 2810 || listId == 2815 || listId == 2820 || listId == 2870 || listId == 1407 ||
                listId == 2575)
                continue; // selected from the table by RefreshAllControls
            if (!hasRow(listId))
                continue;
            const int32_t value = table().GetDataValue(uint32_t(listId));
            if (listId == 1406 || listId == 1408) {
                list->setCurrentIndex(value == 1 ? 1 : 0);
                continue;
            }
            int index = 0;
            for (int i = 0; i < list->count(); ++i)
                if (itemValue(list, i) == value) {
                    index = i;
                    break;
                }
            list->setCurrentIndex(list->count() > 0 ? index : -1);
        }
    }
    // The sequencer binning lists are refilled and then show the entry in the index box.
    for (int listId : {2797, 2798}) {
        if (QComboBox* list = findList(listId)) {
            list->clear();
            list->addItem(QStringLiteral("Off"), 0);
            list->addItem(QStringLiteral("x2"), 1);
        }
    }
    if (m_hooks.readSequencerSet && find(2779))
        m_hooks.readSequencerSet(GetControlValue(2779));
    if (m_hooks.rebuildBaudRateList)
        m_hooks.rebuildBaudRateList();
}

void ParameterControls::storeExposureLimits(const std::vector<int>& rows)
{
    int32_t minimum = 0;
    int32_t maximum = 0;
    // Without the automatic functions there are no limits to store; the table's own ranges
    // stay in force rather than made-up ones.
    if (!m_hooks.exposureTimeLimits || !m_hooks.exposureTimeLimits(minimum, maximum))
        return;
    for (int row : rows)
        table().SetRange(uint32_t(row), minimum, maximum);
}

// ---------------------------------------------------------------------------------------
// Enable rules

void ParameterControls::ApplyEnableRule(EnableRule rule)
{
    switch (rule) {
    case EnableRule::GainRange: {
        const bool on = listSelection(2542) == 1;
        for (int row : {1787, 1791})
            table().SetRange(uint32_t(row), on ? 100 : 47, on ? 6400 : 400);
        return;
    }
    case EnableRule::AutomaticShutter: {
        const bool continuous = listSelection(2538) == 1;
        for (int id : {1376, 1377, 1379, 1380})
            setEnabled(id, continuous);
        for (int id : ExposureAreaControls(listSelection(1368)))
            setEnabled(id, !continuous);
        return;
    }
    case EnableRule::AutomaticGain: {
        const bool continuous = listSelection(2539) == 1;
        for (int id : {1369, 1370, 1373, 1374})
            setEnabled(id, continuous);
        ApplyEnableRule(EnableRule::GainRange);
        ApplySpinRanges();
        return;
    }
    default:
        break;
    }
    const EnableTable* tableOfRule = FindEnableTable(rule);
    if (!tableOfRule)
        return;
    const int item = listSelection(tableOfRule->list);
    const EnableCase* chosen = nullptr;
    for (const EnableCase& c : tableOfRule->cases)
        if (c.item == item || (c.item == -1 && !chosen)) {
            chosen = &c;
            if (c.item == item)
                break;
        }
    if (!chosen)
        return;
    for (int id : chosen->enable)
        setEnabled(id, true);
    for (int id : chosen->disable)
        setEnabled(id, false);
    if (rule == EnableRule::LutMode && item != 1 && item != 2 && m_hooks.hideSecondLutEditor)
        m_hooks.hideSecondLutEditor();
}

void ParameterControls::ApplyReloadEnableRules()
{
    ApplyEnableRule(EnableRule::ExposureMode);
    ApplyEnableRule(EnableRule::ExposureTimeMode);
    ApplyEnableRule(EnableRule::SequencerExposureMode);
    ApplyEnableRule(EnableRule::AutomaticShutter);
    ApplyEnableRule(EnableRule::AutomaticGain);
    ApplyEnableRule(EnableRule::TriggerMode);
    ApplyEnableRule(EnableRule::SequencerGainMode);
}
