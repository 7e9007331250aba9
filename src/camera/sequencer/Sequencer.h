#pragma once
// The camera's sequencer sets and the sequencer and multi-ROI modes. A set (1...128) is a
// group of fields that the camera keeps per set; each field is a parameter row whose
// command is sent with the set number after the mnemonic ("SQW5=1936", "SQF3?"). A set is
// written and read field by field, in a fixed order, as one walk over the camera (see Walk):
// it stops when the camera falls silent, the link is lost or the person cancels.
// User-interface thread only; every exchange blocks while it waits.
#include "RowView.h"
#include "Walk.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Camera;
class Progress;

namespace Sequencer {

constexpr int kFirstSet = 1;
constexpr int kLastSet = 128;

// How a field's control holds its value.
enum class FieldKind {
    Number,  // a number box: the value as it stands
    Binning, // "Off"/"x2": the camera counts the factor 1/2, the control the position 0/1
    List,    // a list whose position is the value
};

// Which fields take part in a set's exchanges.
enum class FieldRule {
    Always,
    KnownModel,        // only for the two models this program knows (binning)
    IndividualGainOff, // written only while Individual Gain Mode is Off (the common gain)
    IndividualGainOn,  // written only while it is On, read for a known model (the colour gains)
};

// A set field: its control, whose parameter row names the command.
struct Field {
    int ctrlId;
    FieldKind kind;
    FieldRule rule;
};

// The fields in the order a set is read and written.
const std::vector<Field>& Fields();
// The field of a control; nullptr for a control that is no set field.
const Field* FindField(int ctrlId);

// What decides which fields take part: the model and the Individual Gain Mode the page shows.
struct Conditions {
    bool knownModel = false;
    bool individualGain = false;
};
// The conditions with the camera's model as the last check found it.
Conditions ConditionsFor(Camera& camera, bool individualGain);
bool TakesPart(const Field& field, const Conditions& conditions, bool writing);

// Where a read set goes: every stored field is shown, and the set-dependent ranges are
// applied again once the binning fields are read.
class SetView : public RowView {
public:
    virtual void binningRead() = 0;
};

// Reads one field of the set: the answer is stored in the field's row (binning as the list
// position; the common gain as 100 while Individual Gain Mode is On), the table committed,
// and the view told. 1 on an answer; without one the row keeps its value.
int ReadField(Camera& camera, const Field& field, int set, const Conditions& conditions, RowView* view);
// Writes one field with the value its control holds (a list's position); 1 when the camera
// acknowledged, also 1 for a width or height of 0, which is never a camera setting (nothing
// is sent).
int WriteField(Camera& camera, const Field& field, int set, int32_t controlValue);

// Every field of the set that takes part, in order, under the progress report. True when
// every field was asked.
bool ReadSet(Camera& camera, int set, const Conditions& conditions, Progress& progress, SetView* view);
// Every field that takes part, in order, with the values of their controls; a field the
// camera refuses is reported and the next one follows. Why the walk stopped early, if it did.
Walk::Stop WriteSet(Camera& camera, int set, const Conditions& conditions, const std::function<int32_t(const Field&)>& controlValue,
              Progress& progress);

// "SQM=n" or "SQSEL=n" (the list position), acknowledged within 1000 ms; 1 when accepted.
int SetSequencerMode(Camera& camera, int32_t position);
int SetSequencerSelect(Camera& camera, int32_t position);

// The sensor multi-ROI toggle: asks SMRMD (1000 ms) and sends the opposite state,
// acknowledged within 1000 ms.
struct MultiRoiToggle {
    bool asked = false;        // the camera answered the query; nothing was sent otherwise
    bool acknowledged = false; // it accepted the new state
    bool nowOn = false;        // the state that was sent
};
MultiRoiToggle ToggleMultiRoi(Camera& camera);
// SMRMD (500 ms) as it stands after the toggle. 1 on an answer.
int ReadMultiRoiMode(Camera& camera, int32_t& mode);

// SQIDX (500 ms): the set the camera is on. 1 on an answer.
int ReadActiveSetIndex(Camera& camera, int32_t& set);
// SQRST=0 (500 ms): the sequencer starts over. 1 when acknowledged.
int ResetSequencer(Camera& camera);

} // namespace Sequencer
