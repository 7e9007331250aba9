#include "ControlTips.h"

#include "Camera.h"
#include "CommandTable.h"
#include "ControlAdapter.h"
#include "Ids.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "StatusLine.h"
#include "UpDownControl.h"

#include <QRadioButton>

#include <algorithm>

namespace {

const ParameterRow* rowOf(const ControlAdapter& controls, int ctrlId)
{
    const ParameterTable& table = controls.Cam().Table();
    for (int i = 0; i < table.RowCount(); ++i)
        if (table.Row(i).ctrlId == uint32_t(ctrlId))
            return &table.Row(i);
    return nullptr;
}

std::string mnemonicOf(const ParameterRow& row)
{
    if (row.cmdId >= uint32_t(CommandTable::kCount))
        return {};
    return CommandTable::Instance().GetMnemonic(int(row.cmdId));
}

QString boxTip(const ControlAdapter& controls, int boxId, const ParameterRow& row, const QString& head)
{
    int32_t low = row.minValue;
    int32_t high = row.maxValue;
    if (!ControlTips::AcceptedRange(controls, boxId, low, high)) {
        // A box without a spin: the row's range, where it has one.
        if (low >= high)
            return head;
    }
    QString tip = QStringLiteral("%1 — %2 … %3").arg(head, ControlTips::Grouped(low), ControlTips::Grouped(high));
    const QString unit = ControlTips::UnitOf(mnemonicOf(row));
    if (!unit.isEmpty())
        tip += QLatin1Char(' ') + unit;
    if (const int32_t step = ValueRules::Step(boxId, ControlTips::RuleState(controls)))
        tip += step == 2 ? QStringLiteral(", even") : QStringLiteral(", in steps of %1").arg(step);
    return tip;
}

void report(const ControlAdapter& controls, int boxId, const QString& what)
{
    StatusLine::Instance().ReportAction(QStringLiteral("%1: %2").arg(ControlTips::Label(controls, boxId), what));
}

} // namespace

QString ControlTips::Grouped(int64_t value)
{
    QString digits = QString::number(value < 0 ? -value : value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

ValueRules::State ControlTips::RuleState(const ControlAdapter& controls)
{
    // The binning rows hold the selection after a reading but the item value (1 or 2) after
    // a change on the page; the list itself always shows which one is in force.
    ParameterTable& table = controls.Cam().Table();
    auto on = [&](int list, int32_t rowValueOn) {
        return controls.FindList(list) ? controls.ListSelection(list) == 1
                                       : table.GetDataValue(uint32_t(list)) == rowValueOn;
    };
    const CameraModel& model = controls.Cam().Model();
    ValueRules::State state;
    state.binning = on(CtrlId::HorizontalBinning, 2);
    state.sequencerHBinning = on(CtrlId::SequencerHorizontalBinning, 2);
    state.sequencerVBinning = on(CtrlId::SequencerVerticalBinning, 2);
    state.individualGain = controls.FindList(CtrlId::IndividualGainMode)
                               ? controls.ListSelection(CtrlId::IndividualGainMode) == 1
                               : table.GetDataValue(CtrlId::IndividualGainMode) != 0;
    state.sensorWidth = model.SensorWidth();
    state.sensorHeight = model.SensorHeight();
    return state;
}

bool ControlTips::AcceptedRange(const ControlAdapter& controls, int boxId, int32_t& low, int32_t& high)
{
    const UpDownControl* spin = controls.SpinOf(boxId);
    if (!spin)
        return false;
    low = std::min(spin->minimum(), spin->maximum());
    high = std::max(spin->minimum(), spin->maximum());
    // A padded row's spin reaches one past each end; the box keeps values inside.
    const ParameterRow* row = rowOf(controls, boxId);
    if (row && row->rangePad == 1 && high - low >= 2) {
        ++low;
        --high;
    }
    if (ValueRules::Clamps(boxId)) {
        const ValueRules::Rule* rule = ValueRules::Find(boxId);
        low = std::max(low, rule->low);
        high = std::min(high, rule->high);
    }
    return true;
}

QString ControlTips::Label(const ControlAdapter& controls, int ctrlId)
{
    const QWidget* control = controls.Find(ctrlId);
    const QString name = control ? control->accessibleName() : QString();
    return name.isEmpty() ? QStringLiteral("Control %1").arg(ctrlId) : name;
}

void ControlTips::Describe(const ControlAdapter& controls, int ctrlId)
{
    const ParameterRow* row = rowOf(controls, ctrlId);
    QWidget* control = controls.Find(ctrlId);
    if (!row || !control)
        return;
    QString head = Label(controls, ctrlId);
    const std::string mnemonic = mnemonicOf(*row);
    if (!mnemonic.empty())
        head += QStringLiteral(", ") + QString::fromStdString(mnemonic);
    if (qobject_cast<NumberBox*>(control)) {
        const QString tip = boxTip(controls, ctrlId, *row, head);
        control->setToolTip(tip);
        if (UpDownControl* spin = controls.SpinOf(ctrlId))
            spin->setToolTip(tip);
        return;
    }
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        for (QRadioButton* button : ControlAdapter::RadioGroup(radio))
            button->setToolTip(head);
        return;
    }
    control->setToolTip(head);
}

void ControlTips::DescribeAll(const ControlAdapter& controls)
{
    const ParameterTable& table = controls.Cam().Table();
    for (int i = 0; i < table.RowCount(); ++i)
        Describe(controls, int(table.Row(i).ctrlId));
}

void ControlTips::ReportAdjusted(const ControlAdapter& controls, int boxId, int32_t typed, int32_t ruled, int32_t sent)
{
    if (sent == typed)
        return;
    const std::string why = ValueRules::Explain(boxId, typed, ruled, sent, RuleState(controls));
    report(controls, boxId, QStringLiteral("%1; %2 sent").arg(QString::fromStdString(why), QString::number(sent)));
}

void ControlTips::ReportOffSensor(const ControlAdapter& controls, int boxId, int32_t typed, int32_t kept)
{
    report(controls, boxId,
           QStringLiteral("%1 would reach past the sensor's edge; %2 kept, nothing sent").arg(typed).arg(kept));
}
