#pragma once
// Where the parameter controls hand a control over to the feature that owns it. Each feature
// (command-line families and push buttons, automatic functions, sequencers, reading the
// camera, the LUT editor) gets one entry point for its lists and buttons and a few calls the
// controls need from it. An empty hook does nothing: until a feature is wired in, its
// controls are simply not served, and no value is made up in its place.
#include <cstdint>
#include <functional>

// When a feature's list handler runs relative to the generic store-and-send of the list.
enum class ListPhase {
    Replace, // the feature handles the list alone; nothing else happens
    Before,  // the feature runs first, then the list is stored and sent
    After    // the list has been stored, sent and committed
};

struct ControlFeatureHooks {
    // Command-line families and push buttons.
    std::function<void(int ctrlId)> pushButton;   // every push button of the pages
    std::function<void(int ctrlId)> familyList;   // list sets that need their own encoding

    // Automatic functions: lists 1580 (Replace), 2538 and 2539 (Before), 1368, 2542 and
    // 2594 (After); the exposure-time limits as (minimum, maximum), false when unknown;
    // the re-read of the four exposure times.
    std::function<void(int ctrlId, ListPhase phase)> autoFunctionList;
    std::function<bool(int32_t& minimum, int32_t& maximum)> exposureTimeLimits;
    std::function<void()> refreshExposureTimes;

    // Sequencers: lists 2901, 2902 (Replace), 2797, 2798 (Before, region boxes follow the
    // binning) and 1337 (After, the video send mode list follows the exposure mode); reading
    // one sequencer entry into the page.
    std::function<void(int ctrlId, ListPhase phase)> sequencerList;
    std::function<void(int setIndex)> readSequencerSet;

    // Reading the camera: the three Camera Link format lists and the factory baud-rate list.
    std::function<void()> fillClConfigurationLists;
    std::function<void()> rebuildBaudRateList;

    // LUT editor: hide the second editor window when the LUT mode leaves "gamma".
    std::function<void()> hideSecondLutEditor;
};

// The Camera Link output format as the camera last reported it. The main window owns one
// (it sets the start values 1, 3, 2 during its initialisation); the parameter controls and
// the reading of the camera update it.
struct ClOutputFormat {
    int32_t m_ClConfguration = 1;
    int32_t m_BitAllocation = 3;
    int32_t m_SensClkFreq = 2;
};
