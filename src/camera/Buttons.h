#pragma once
// The push buttons of the pages whose action is a camera exchange: each is looked up by its
// control id in the button table (ButtonData.cpp) and run here. Buttons that open a window or
// belong to a feature of their own are served by that feature instead.
#include <cstdint>
#include <string>
#include <vector>

enum class ButtonAction {
    CameraReset,      // integer set; "Failed sending ..." when refused
    SetReportDone,    // integer set; "Completed" on success
    Set,              // integer set, nothing shown
    QueryIntoBox,     // integer query, "%d" into the box
    Temperature,      // integer query, v / 128 as "%0.2f" into the box
    FixedSet,         // "MN=v", acknowledged
    ClearBlemish,     // text set of the number in the index box
    QueryWithArgument,// "MN?n" of the family table; the answer into the value box and its row
    PairSet,          // "MN=n,v" of the family table
};

class Camera;
struct ButtonEntry {
    int button;
    ButtonAction action;
    int command = -1;
    int32_t value = 0;
    uint32_t timeoutMs = 0;
    int box = 0; // the box the answer goes to, or the index box of ClearBlemish
};

namespace ButtonData {
const std::vector<ButtonEntry>& Buttons();
const ButtonEntry* Find(int button);
} // namespace ButtonData

namespace Buttons {

// What the windows hand to a button's action and get back from it.
struct Inputs {
    int32_t indexBox = 0; // the number in the entry's index box (ClearBlemish, families)
    int32_t valueBox = 0; // the number in the value box (PairSet)
};
struct Outcome {
    int result = 0;       // 1 when the action ran to its end (answer or acknowledgement)
    bool hasText = false; // text for the box: entry.box, or the family's value box
    std::string text;
};

// Runs the button's camera action. Messages of the action are shown from here.
Outcome Run(Camera& camera, const ButtonEntry& entry, const Inputs& inputs);

} // namespace Buttons
