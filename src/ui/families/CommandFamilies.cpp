#include "CommandFamilies.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "FamilyData.h"
#include "Ids.h"
#include "ParameterControls.h"
#include "ParameterTable.h"

#include <QComboBox>

namespace {

int commandOfRow(int ctrlId)
{
    ParameterTable& table = ParameterTable::Instance();
    if (table.CtrlId2TblIndex(static_cast<uint32_t>(ctrlId)) < 0)
        return -1;
    return table.ToCmdId(static_cast<uint32_t>(ctrlId));
}

bool isSequencerBinning(int ctrlId)
{
    return ctrlId == CtrlId::SequencerHorizontalBinning || ctrlId == CtrlId::SequencerVerticalBinning;
}

} // namespace

CommandFamilies::CommandFamilies(ControlAdapter& controls, ParameterControls& parameters)
    : m_controls(controls), m_parameters(parameters)
{
}

std::vector<Feature::Claim> CommandFamilies::Claims() const
{
    std::vector<Claim> claims;
    for (const FamilyData::ListSet& set : FamilyData::ListSets())
        for (int list : set.lists)
            claims.push_back({list, set.exclusive ? When::Instead : When::Before});
    return claims;
}

void CommandFamilies::OnControl(int ctrlId, When)
{
    ListSet(ctrlId);
}

int CommandFamilies::IndexedQuery(int ctrlId, int index)
{
    int32_t v = 0;
    if (!Camera::Instance().QueryIndexed(commandOfRow(ctrlId), index, v))
        return 0;
    ParameterTable& table = ParameterTable::Instance();
    if (isSequencerBinning(ctrlId)) {
        // The camera counts the factor; the list and the row hold the position.
        m_controls.SelectItem(ctrlId, v - 1);
        table.SetDataValue(ctrlId, v - 1);
    } else if (ctrlId == CtrlId::SequencerLut) {
        m_controls.SelectItem(ctrlId, v);
        table.SetDataValue(ctrlId, v);
    } else if (ctrlId == CtrlId::SequencerGain || ctrlId == CtrlId::SequencerGainGreen) {
        // Only one of the two gains applies in each image gain mode; the other shows 100.
        const bool igmOn = m_controls.ListSelection(CtrlId::IndividualGainMode) > 0;
        const bool fixed = (ctrlId == CtrlId::SequencerGain) ? igmOn : !igmOn;
        table.SetDataValue(ctrlId, v);
        m_controls.SetControlValue(ctrlId, fixed ? 100 : v);
    } else {
        table.SetDataValue(ctrlId, v);
        m_controls.SetControlValue(ctrlId, v);
    }
    table.CommitAll();
    return 1;
}

int CommandFamilies::IndexedSet(int ctrlId, int index)
{
    const int command = commandOfRow(ctrlId);
    if (Camera::Mnemonic(command).empty())
        return 0;
    int32_t value = 0;
    if (isSequencerBinning(ctrlId))
        value = m_controls.ListSelection(ctrlId) + 1;
    else if (ctrlId == CtrlId::SequencerLut)
        value = m_controls.ListSelection(ctrlId);
    else
        value = m_controls.GetControlValue(ctrlId);
    // A region of no width or height is never a camera setting.
    if ((ctrlId == CtrlId::SequencerWidth || ctrlId == CtrlId::SequencerHeight) && value == 0)
        return 1;
    return Camera::Instance().SetIndexed(command, index, value);
}

int CommandFamilies::PlainQuery(int ctrlId)
{
    int32_t v = 0;
    if (!Camera::Instance().QueryPlain(commandOfRow(ctrlId), v))
        return 0;
    ParameterTable::Instance().SetDataValue(ctrlId, v);
    m_controls.SetControlValue(ctrlId, v);
    ParameterTable::Instance().CommitAll();
    return 1;
}

int32_t CommandFamilies::ListSetValue(int listId, int selection) const
{
    int commandIndex = 0;
    const FamilyData::ListSet* set = FamilyData::FindListSet(listId, commandIndex);
    if (!set)
        return -1;
    switch (set->mapping) {
    case FamilyData::ListMapping::NotFirst:
        return selection > 0 ? 1 : 0;
    case FamilyData::ListMapping::ItemTable:
        return (selection > 0 && selection < static_cast<int>(set->values.size())) ? set->values[selection]
                                                                                   : set->values[0];
    case FamilyData::ListMapping::ItemValue: {
        QComboBox* combo = m_controls.FindList(listId);
        if (!combo || selection < 0 || selection >= combo->count())
            return 0;
        // Lists without item values yet send the position, as a list reads everywhere else.
        const QVariant data = combo->itemData(selection);
        return data.isValid() ? data.toInt() : selection;
    }
    case FamilyData::ListMapping::Selection:
        return selection;
    case FamilyData::ListMapping::SelectionPlus:
        return selection + 1;
    }
    return -1;
}

int CommandFamilies::ListSet(int listId)
{
    int commandIndex = 0;
    const FamilyData::ListSet* set = FamilyData::FindListSet(listId, commandIndex);
    if (!set)
        return 0;
    const int selection = m_controls.ListSelection(listId);
    const int32_t value = ListSetValue(listId, selection);
    if (!Camera::Instance().SetAcknowledged(commandIndex, value))
        return 0; // the list keeps the person's choice, the row its value

    // The row follows what the camera accepted, so that files and later reads agree.
    ParameterTable& table = ParameterTable::Instance();
    const int32_t stored = (set->mapping == FamilyData::ListMapping::SelectionPlus) ? selection : value;
    if (table.CtrlId2TblIndex(static_cast<uint32_t>(listId)) >= 0) {
        table.SetDataValue(static_cast<uint32_t>(listId), stored);
        table.CommitAll();
    }
    if (listId == CtrlId::IndividualGainMode)
        for (int row : {CtrlId::GainRed, CtrlId::GainGreen, CtrlId::GainBlue})
            m_parameters.RefreshControl(row);
    return 1;
}
