#pragma once
// A feature of the main window: a class that says which controls, push buttons and menu
// entries it serves and at which moments of the program's fixed sequences it takes part, and
// is called for exactly those. Features are built and registered in one place (the program's
// composition root); none of them pokes hooks into another.
//
// A control change is routed as: every Before claim, then the one Instead claim or, without
// one, the generic parameter path; then, when the change went through, every After claim.
// Claims and moments are served in registration order. User-interface thread only.
#include <vector>

enum class When { Before, Instead, After };

// Points of the program's fixed sequences where other features join in. The sequence that
// owns a point raises it; features that take part are called in registration order.
enum class Moment {
    StartupWindowsReady,        // start-up: the windows exist; the spin ranges are applied
    StartupConnected,           // start-up: the connection answered; the camera is read
    StartupTabsBuilt,           // start-up: the tabs are built; pending rows are sent
    StartupCompleted,           // a connected start-up ends: lists, rules, ranges, status
    ControlModeChanged,         // the factory-mode switch changed the Control Mode
    ExposureLimitsDue,          // the exposure rows take the exposure-time limits
    SequencerExposureLimitsDue, // the sequencer's exposure rows take them
    ExposureTimesDue,           // the automatic functions' exposure displays are re-read
    SequencerEntryDue,          // the sequencer entry of the index box is read
    SequencerStartDue,          // start-up: the set index range and sequencer entry 1
    ModelRangesAdjusted,        // reload: the model's ranges and the exposure-time-mode rule
                                // are applied; lists that follow those modes are rebuilt
    LutModeApplied,             // the LUT-mode rule switched the LUT controls
    ListValuesAttached,         // the lists got their item values: lists built from the
                                // camera's answers follow
};

class Feature {
public:
    struct Claim {
        int ctrlId;
        When when;
    };

    virtual ~Feature() = default;

    // The controls (lists, boxes, spins, buttons, check boxes) this feature serves.
    virtual std::vector<Claim> Claims() const { return {}; }
    // The menu command ids this feature carries out; their entries are enabled.
    virtual std::vector<int> MenuCommands() const { return {}; }

    virtual void OnControl(int ctrlId, When when) {}
    virtual void OnMenu(int commandId) {}
    virtual void OnMoment(Moment moment) {}
};
