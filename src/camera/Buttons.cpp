#include "Buttons.h"

#include "Camera.h"
#include "FamilyData.h"
#include "ParameterTable.h"
#include "Timeouts.h"
#include "UserNotice.h"

#include <cstdio>

namespace Buttons {

namespace {


// A command whose mnemonic the table leaves empty has no line to send.
bool hasMnemonic(int commandIndex)
{
    return !Camera::Mnemonic(commandIndex).empty();
}

Outcome withText(std::string text)
{
    return {1, true, std::move(text)};
}

Outcome queryWithArgument(Camera& camera, int button, const Inputs& inputs)
{
    const FamilyData::ArgumentButton* entry =
        FamilyData::FindButton(FamilyData::QueryWithArgumentButtons(), button);
    int32_t value = 0;
    if (!entry || !camera.QueryWithArgument(entry->command, inputs.indexBox, value))
        return {};
    ParameterTable& table = camera.Table();
    if (table.CtrlId2TblIndex(static_cast<uint32_t>(entry->valueBox)) >= 0)
        table.SetDataValue(static_cast<uint32_t>(entry->valueBox), value);
    table.CommitAll();
    return withText(std::to_string(value));
}

} // namespace

Outcome Run(Camera& camera, const ButtonEntry& entry, const Inputs& inputs)
{
    switch (entry.action) {
    case ButtonAction::CameraReset:
        if (camera.Set(entry.command, entry.value, entry.timeoutMs))
            return {1};
        camera.Notice().Message("Failed sending \"Camera Reset Command\".", "", NoticeIcon::Error);
        return {};
    case ButtonAction::SetReportDone:
        if (!hasMnemonic(entry.command) || !camera.Set(entry.command, entry.value, entry.timeoutMs))
            return {};
        camera.Notice().Message("Completed", "", NoticeIcon::Information);
        return {1};
    case ButtonAction::Set:
        return {hasMnemonic(entry.command) ? camera.Set(entry.command, entry.value, entry.timeoutMs) : 0};
    case ButtonAction::QueryIntoBox: {
        uint32_t v = 0;
        if (!hasMnemonic(entry.command) || !camera.Query(entry.command, v, entry.timeoutMs))
            return {};
        return withText(std::to_string(static_cast<int32_t>(v)));
    }
    case ButtonAction::Temperature: {
        uint32_t v = 0;
        if (!camera.Query(entry.command, v, entry.timeoutMs))
            return {};
        // The sensor reports 1/128 degree steps.
        char text[32];
        std::snprintf(text, sizeof text, "%0.2f", static_cast<float>(static_cast<int32_t>(v)) * 0.0078125f);
        return withText(text);
    }
    case ButtonAction::FixedSet:
        return {camera.SetAcknowledged(entry.command, entry.value)};
    case ButtonAction::ClearBlemish:
        return {camera.SetText(entry.command, std::to_string(inputs.indexBox), entry.timeoutMs)};
    case ButtonAction::QueryWithArgument:
        return queryWithArgument(camera, entry.button, inputs);
    case ButtonAction::PairSet: {
        const FamilyData::ArgumentButton* pair = FamilyData::FindButton(FamilyData::PairSetButtons(), entry.button);
        if (!pair)
            return {};
        return {camera.SetPair(pair->command, inputs.indexBox, inputs.valueBox, Timeouts::kPairSetMs)};
    }
    }
    return {};
}

} // namespace Buttons
