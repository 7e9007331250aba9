#include "ControlTips.h"

#include "CommandTable.h"
#include "ControlAdapter.h"
#include "ControlRules.h"
#include "NumberBox.h"
#include "ParameterTable.h"
#include "StatusLine.h"
#include "UpDownControl.h"

#include <QRadioButton>

#include <algorithm>

using namespace ControlRules;

namespace {

const ParameterRow* rowOf(int ctrlId)
{
    const ParameterTable& table = ParameterTable::Instance();
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

// The step a box's rule rounds typed values down to; 0 when it keeps every value.
int32_t stepOf(const ControlAdapter& controls, const BoxRule* rule)
{
    if (!rule)
        return 0;
    if (rule->adjust == BoxAdjust::MaskByBinning)
        return controls.ListSelection(rule->list) == 0 ? 16 : 8;
    if (rule->adjust == BoxAdjust::Even)
        return 2;
    return 0;
}

bool clampsTo(const BoxRule* rule)
{
    return rule
        && (rule->adjust == BoxAdjust::Clamp || rule->adjust == BoxAdjust::ColourClamp
            || rule->adjust == BoxAdjust::SequencerIndex);
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
    if (const int32_t step = stepOf(controls, FindBoxRule(boxId)))
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

bool ControlTips::AcceptedRange(const ControlAdapter& controls, int boxId, int32_t& low, int32_t& high)
{
    const UpDownControl* spin = controls.SpinOf(boxId);
    if (!spin)
        return false;
    low = std::min(spin->minimum(), spin->maximum());
    high = std::max(spin->minimum(), spin->maximum());
    // A padded row's spin reaches one past each end; the box keeps values inside.
    const ParameterRow* row = rowOf(boxId);
    if (row && row->rangePad == 1 && high - low >= 2) {
        ++low;
        --high;
    }
    const BoxRule* rule = FindBoxRule(boxId);
    if (clampsTo(rule)) {
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
    const ParameterRow* row = rowOf(ctrlId);
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
    const ParameterTable& table = ParameterTable::Instance();
    for (int i = 0; i < table.RowCount(); ++i)
        Describe(controls, int(table.Row(i).ctrlId));
}

void ControlTips::ReportAdjusted(const ControlAdapter& controls, int boxId, int32_t typed, int32_t ruled, int32_t sent)
{
    if (sent == typed)
        return;
    QStringList steps;
    if (ruled != typed) {
        const BoxRule* rule = FindBoxRule(boxId);
        const int32_t step = stepOf(controls, rule);
        if (step == 2)
            steps << QStringLiteral("%1 is odd").arg(typed);
        else if (step > 0)
            steps << QStringLiteral("%1 is not a multiple of %2").arg(typed).arg(step);
        else if (clampsTo(rule) || (rule && rule->adjust == BoxAdjust::ExposureMinByBinning))
            steps << QStringLiteral("%1 is %2 %3").arg(typed).arg(typed > ruled ? "above" : "below").arg(ruled);
        else
            steps << QStringLiteral("%1 is fixed at %2 in this gain mode").arg(typed).arg(ruled);
    }
    if (sent != ruled)
        steps << QStringLiteral("%1 is %2 %3").arg(ruled).arg(ruled > sent ? "above" : "below").arg(sent);
    report(controls, boxId, QStringLiteral("%1; %2 sent").arg(steps.join(QStringLiteral(", and ")), QString::number(sent)));
}

void ControlTips::ReportOffSensor(const ControlAdapter& controls, int boxId, int32_t typed, int32_t kept)
{
    report(controls, boxId,
           QStringLiteral("%1 would reach past the sensor's edge; %2 kept, nothing sent").arg(typed).arg(kept));
}
