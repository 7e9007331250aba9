#include "PushButtons.h"

#include "Command.h"
#include "CommandFamilies.h"
#include "CommandTable.h"
#include "ControlLookup.h"
#include "ParameterControls.h"
#include "UserNotice.h"

#include <QLineEdit>
#include <QString>

namespace {

// A command whose mnemonic the table leaves empty has no line to send.
bool hasMnemonic(int commandIndex)
{
    return commandIndex >= 0 && commandIndex < CommandTable::kCount &&
           !CommandTable::Instance().GetMnemonic(commandIndex).empty();
}

} // namespace

CPushButtons::CPushButtons(ParameterControls& controls, const ControlLookup& lookup, CCommandFamilies& families)
    : m_controls(controls), m_lookup(lookup), m_families(families)
{
    m_controls.hooks().pushButton = [this](int ctrlId) { OnPushButton(ctrlId); };
}

void CPushButtons::SetHook(ButtonHook hook, std::function<void()> action)
{
    for (auto& entry : m_hooks)
        if (entry.first == hook) {
            entry.second = std::move(action);
            return;
        }
    m_hooks.emplace_back(hook, std::move(action));
}

void CPushButtons::runHook(ButtonHook hook)
{
    for (auto& entry : m_hooks)
        if (entry.first == hook && entry.second) {
            entry.second();
            return;
        }
}

void CPushButtons::writeBox(int boxId, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(m_lookup.FindControl(boxId)))
        box->setText(text);
}

int CPushButtons::OnPushButton(int buttonId)
{
    const ButtonEntry* entry = ButtonData::Find(buttonId);
    if (!entry)
        return 0;
    Command& command = Command::Instance();
    switch (entry->action) {
    case ButtonAction::Hook:
        runHook(entry->hook);
        return 1;
    case ButtonAction::CameraReset:
        if (command.SetInt(entry->command, entry->value, entry->timeoutMs)) {
            runHook(entry->hook);
            return 1;
        }
        Notices().Message("Failed sending \"Camera Reset Command\".", "", NoticeIcon::Error);
        return 0;
    case ButtonAction::SetReportDone:
        if (!hasMnemonic(entry->command) || !command.SetInt(entry->command, entry->value, entry->timeoutMs))
            return 0;
        Notices().Message("Completed", "", NoticeIcon::Information);
        return 1;
    case ButtonAction::Set:
        return hasMnemonic(entry->command) ? command.SetInt(entry->command, entry->value, entry->timeoutMs) : 0;
    case ButtonAction::QueryIntoBox: {
        uint32_t v = 0;
        if (!hasMnemonic(entry->command) || !command.QueryInt(entry->command, v, entry->timeoutMs))
            return 0;
        writeBox(entry->box, QString::number(static_cast<int32_t>(v)));
        return 1;
    }
    case ButtonAction::Temperature: {
        uint32_t v = 0;
        if (!command.QueryInt(entry->command, v, entry->timeoutMs))
            return 0;
        // The sensor reports 1/128 degree steps.
        const float degrees = static_cast<float>(static_cast<int32_t>(v)) * 0.0078125f;
        writeBox(entry->box, QString::asprintf("%0.2f", degrees));
        return 1;
    }
    case ButtonAction::FixedSet:
        return m_families.FixedSet(entry->command, entry->value);
    case ButtonAction::ClearBlemish:
        return command.SetText(entry->command, std::to_string(m_controls.GetControlValue(entry->box)),
                               entry->timeoutMs);
    case ButtonAction::QueryWithArgument:
        return m_families.QueryWithArgument(buttonId);
    case ButtonAction::PairSet:
        return m_families.PairSet(buttonId);
    }
    return 0;
}
