#include "Sequencer.h"

#include "Camera.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "Progress.h"
#include "Timeouts.h"

namespace Sequencer {

namespace {

constexpr int32_t kFixedGain = 100;

bool isRegionSize(int ctrlId)
{
    return ctrlId == CtrlId::SequencerWidth || ctrlId == CtrlId::SequencerHeight;
}

std::vector<const Field*> taking(const Conditions& conditions, bool writing)
{
    std::vector<const Field*> fields;
    for (const Field& field : Fields())
        if (TakesPart(field, conditions, writing))
            fields.push_back(&field);
    return fields;
}

int percent(size_t done, size_t total)
{
    return total ? static_cast<int>(100 * done / total) : 100;
}

} // namespace

const Field* FindField(int ctrlId)
{
    for (const Field& field : Fields())
        if (field.ctrlId == ctrlId)
            return &field;
    return nullptr;
}

Conditions ConditionsFor(Camera& camera, bool individualGain)
{
    return Conditions{camera.Model().IsSupported(), individualGain};
}

bool TakesPart(const Field& field, const Conditions& conditions, bool writing)
{
    switch (field.rule) {
    case FieldRule::Always:
        return true;
    case FieldRule::KnownModel:
        return conditions.knownModel;
    case FieldRule::IndividualGainOff:
        // Read in either mode (it then shows the fixed gain), written only while it applies.
        return !writing || !conditions.individualGain;
    case FieldRule::IndividualGainOn:
        // Read whenever the model is known, so that the boxes always show the set on screen
        // and a later write after switching the mode on does not send another set's gains.
        return writing ? conditions.individualGain : conditions.knownModel;
    }
    return false;
}

int ReadField(Camera& camera, const Field& field, int set, const Conditions& conditions, RowView* view)
{
    ParameterTable& table = camera.Table();
    int32_t value = 0;
    if (!camera.QueryIndexed(table.ToCmdId(static_cast<uint32_t>(field.ctrlId)), set, value))
        return 0;
    if (field.kind == FieldKind::Binning)
        value -= 1;
    // Only one of the common and the green gain applies in each gain mode; the other stands
    // at the neutral gain.
    else if (field.ctrlId == CtrlId::SequencerGain && conditions.individualGain)
        value = kFixedGain;
    else if (field.ctrlId == CtrlId::SequencerGainGreen && !conditions.individualGain)
        value = kFixedGain;
    table.SetDataValue(static_cast<uint32_t>(field.ctrlId), value);
    table.CommitAll();
    if (view)
        view->showRow(field.ctrlId, value);
    return 1;
}

int WriteField(Camera& camera, const Field& field, int set, int32_t controlValue)
{
    const int32_t value = field.kind == FieldKind::Binning ? controlValue + 1 : controlValue;
    if (isRegionSize(field.ctrlId) && value == 0)
        return 1;
    const int command = camera.Table().ToCmdId(static_cast<uint32_t>(field.ctrlId));
    return camera.SetIndexed(command, set, value);
}

bool ReadSet(Camera& camera, int set, const Conditions& conditions, Progress& progress, SetView* view)
{
    const std::vector<const Field*> fields = taking(conditions, false);
    Walk walk(camera, progress, "Now, reading sequencer set " + std::to_string(set) + ".", static_cast<int>(fields.size()),
              "fields");
    for (size_t i = 0; i < fields.size(); ++i) {
        ReadField(camera, *fields[i], set, conditions, view);
        // The region's limits follow the binning as soon as the set's binning is known.
        const bool lastBinning = fields[i]->kind == FieldKind::Binning
                              && (i + 1 == fields.size() || fields[i + 1]->kind != FieldKind::Binning);
        if (lastBinning && view)
            view->binningRead();
        if (!walk.Next(percent(i + 1, fields.size())))
            break;
    }
    walk.Finish();
    return walk.Complete();
}

Walk::Stop WriteSet(Camera& camera, int set, const Conditions& conditions, const std::function<int32_t(const Field&)>& controlValue,
              Progress& progress)
{
    const std::vector<const Field*> fields = taking(conditions, true);
    Walk walk(camera, progress, "Now, writing sequencer set " + std::to_string(set) + ".", static_cast<int>(fields.size()),
              "fields");
    for (size_t i = 0; i < fields.size(); ++i) {
        WriteField(camera, *fields[i], set, controlValue(*fields[i]));
        if (!walk.Next(percent(i + 1, fields.size())))
            break;
    }
    walk.Finish();
    return walk.Stopped();
}

int SetSequencerMode(Camera& camera, int32_t position)
{
    return camera.SetAcknowledged(CmdIndex::SQM, position);
}

int SetSequencerSelect(Camera& camera, int32_t position)
{
    return camera.SetAcknowledged(CmdIndex::SQSEL, position);
}

MultiRoiToggle ToggleMultiRoi(Camera& camera)
{
    MultiRoiToggle toggle;
    uint32_t before = 0;
    if (!camera.Query(CmdIndex::SMRMD, before, Timeouts::kBriefQueryMs))
        return toggle;
    toggle.asked = true;
    toggle.nowOn = before == 0;
    toggle.acknowledged = camera.SetAcknowledged(CmdIndex::SMRMD, toggle.nowOn ? 1 : 0) == 1;
    return toggle;
}

int ReadMultiRoiMode(Camera& camera, int32_t& mode)
{
    uint32_t value = 0;
    if (!camera.Query(CmdIndex::SMRMD, value, Timeouts::kStatusMs))
        return 0;
    mode = static_cast<int32_t>(value);
    return 1;
}

int ReadActiveSetIndex(Camera& camera, int32_t& set)
{
    uint32_t value = 0;
    if (!camera.Query(CmdIndex::SQIDX, value, Timeouts::kStatusMs))
        return 0;
    set = static_cast<int32_t>(value);
    return 1;
}

int ResetSequencer(Camera& camera)
{
    return camera.Set(CmdIndex::SQRST, 0, Timeouts::kStatusMs);
}

} // namespace Sequencer
