#include "CommandFamilies.h"

#include "Camera.h"
#include "ControlAdapter.h"
#include "FamilyData.h"
#include "Ids.h"
#include "ParameterControls.h"
#include "ParameterTable.h"

#include <QComboBox>

CommandFamilies::CommandFamilies(Camera& camera, ControlAdapter& controls, ParameterControls& parameters)
    : m_camera(camera), m_controls(controls), m_parameters(parameters)
{
}

std::vector<Feature::Claim> CommandFamilies::Claims()
{
    std::vector<Claim> claims;
    for (const FamilyData::ListSet& set : FamilyData::ListSets())
        for (int list : set.lists)
            claims.push_back({list, set.exclusive ? When::Instead : When::Before, [this, list] { ListSet(list); }});
    return claims;
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
    if (!m_camera.SetAcknowledged(commandIndex, value))
        return 0; // the list keeps the person's choice, the row its value

    // The row follows what the camera accepted, so that files and later reads agree.
    ParameterTable& table = m_camera.Table();
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
