#pragma once
// The push buttons of the pages: each runs one fixed action, looked up by its control id in
// the button table (PushButtonTable.cpp). Simple exchanges run here; buttons that belong to
// another feature (terminal, flash areas, identity writes, LUT editor, sequencer, automatic
// functions) call that feature through a hook, which does nothing until the feature is wired.
#include <cstdint>
#include <functional>
#include <vector>

class CCommandFamilies;
class ControlLookup;
class ParameterControls;
class QString;

// Where a button hands over to another feature.
enum class ButtonHook {
    None,
    ShowTerminal,
    CameraResetDone, // the reset was accepted: close the main window without confirmation
    WriteModelId,
    StoreToAllUserAreas,
    RecalibrateShading,
    OpenLutTable,
    ReadXmlVersion,
    WriteXmlVersion,
    WriteSequencerSet,
    MultiRoiEnable,
};

enum class ButtonAction {
    Hook,             // the feature's hook only
    CameraReset,      // integer set, then the hook on success, else the error box
    SetReportDone,    // integer set; "Completed" on success
    Set,              // integer set, nothing shown
    QueryIntoBox,     // integer query, "%d" into the box
    Temperature,      // integer query, v / 128 as "%0.2f" into the box
    FixedSet,         // family 4
    ClearBlemish,     // text set of the number in the index box
    QueryWithArgument,// family 5
    PairSet,          // family 6
};

struct ButtonEntry {
    int button;
    ButtonAction action;
    int command = -1;
    int32_t value = 0;
    uint32_t timeoutMs = 0;
    int box = 0; // target box, or the index box of ClearBlemish
    ButtonHook hook = ButtonHook::None;
};

namespace ButtonData {
const std::vector<ButtonEntry>& Buttons();
const ButtonEntry* Find(int button);
} // namespace ButtonData

class CPushButtons {
public:
    CPushButtons(ParameterControls& controls, const ControlLookup& lookup, CCommandFamilies& families);

    void SetHook(ButtonHook hook, std::function<void()> action);
    // Runs the button's action; a button not in the table does nothing. 1 when the action
    // ran to its end (answer or acknowledgement), 0 otherwise.
    int OnPushButton(int buttonId);

private:
    void runHook(ButtonHook hook);
    void writeBox(int boxId, const QString& text);

    ParameterControls& m_controls;
    const ControlLookup& m_lookup;
    CCommandFamilies& m_families;
    std::vector<std::pair<ButtonHook, std::function<void()>>> m_hooks;
};
