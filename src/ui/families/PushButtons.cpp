#include "PushButtons.h"

#include "Buttons.h"
#include "Camera.h"
#include "ControlAdapter.h"
#include "FamilyData.h"
#include "MainWindow.h"

std::vector<Feature::Claim> PushButtons::Claims()
{
    std::vector<Claim> claims;
    for (const ButtonEntry& entry : ButtonData::Buttons())
        claims.push_back({entry.button, When::Instead, [this, id = entry.button] { OnPushButton(id); }});
    return claims;
}

int PushButtons::OnPushButton(int buttonId)
{
    const ButtonEntry* entry = ButtonData::Find(buttonId);
    if (!entry)
        return 0;
    // The family members name their boxes in the family tables; the others in the entry.
    const FamilyData::ArgumentButton* family = nullptr;
    if (entry->action == ButtonAction::QueryWithArgument)
        family = FamilyData::FindButton(FamilyData::QueryWithArgumentButtons(), buttonId);
    else if (entry->action == ButtonAction::PairSet)
        family = FamilyData::FindButton(FamilyData::PairSetButtons(), buttonId);
    Buttons::Inputs inputs;
    if (family) {
        // The numbers the boxes hold, never their raw text, so nothing typed there can add a
        // line of its own.
        inputs.indexBox = m_controls.GetControlValue(family->indexBox);
        inputs.valueBox = m_controls.GetControlValue(family->valueBox);
    } else if (entry->action == ButtonAction::ClearBlemish) {
        inputs.indexBox = m_controls.GetControlValue(entry->box);
    }
    const Buttons::Outcome outcome = Buttons::Run(m_camera, *entry, inputs);
    if (outcome.hasText)
        m_controls.SetText(family ? family->valueBox : entry->box, QString::fromStdString(outcome.text));
    if (entry->action == ButtonAction::CameraReset && outcome.result == 1)
        m_window.CloseWithoutConfirm();
    return outcome.result;
}
