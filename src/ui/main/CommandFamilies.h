#pragma once
// The command-line builders for controls whose camera command needs more than a plain integer
// setting: an index after the mnemonic (sequencer entries), an argument or a pair of numbers
// (blemish positions, LUT entries), a fixed value (counter resets) or a value encoding of the
// list's own (list sets). Lines are built from the command's mnemonic; a command without a
// mnemonic sends nothing. User-interface thread only.
#include <cstdint>
#include <string>
#include <vector>

class ControlLookup;
class ParameterControls;
class QComboBox;

class CCommandFamilies {
public:
    static constexpr uint32_t kQueryTimeoutMs = 2500;
    static constexpr uint32_t kPairTimeoutMs = 4000;
    static constexpr uint32_t kWriteTimeoutMs = 1000;

    CCommandFamilies(ParameterControls& controls, const ControlLookup& lookup);

    // Family 1: "MNi?" for the row of ctrlId; the answer into the row and the control.
    // 1 on an answer; without one the row and the control keep their values.
    int IndexedQuery(int ctrlId, int index);
    // Family 2: "MNi=v" with the control's value; a width or height of 0 is not sent
    // (returns 1, nothing to do). 1 when the camera acknowledged.
    int IndexedSet(int ctrlId, int index);
    // Family 3: "MN?" for the row of ctrlId; the answer into the row and the control.
    int PlainQuery(int ctrlId);
    // Family 4: "MN=value" written, then the acknowledgement awaited; no row changes.
    int FixedSet(int commandIndex, int32_t value);
    // Family 5 (by button): "MN?n" with the number of the index box; the answer into the
    // target box and its row. 0 for a button that is not a member.
    int QueryWithArgument(int buttonId);
    // Family 6 (by button): the text set "MN=n,v" of the index box and the value box.
    int PairSet(int buttonId);
    // Family 7 (by list): the list's value through its mapping, written, acknowledged.
    int ListSet(int listId);

    static bool IsQueryWithArgument(int buttonId);
    static bool IsPairSet(int buttonId);
    static bool IsListSet(int listId);
    // The value family 7 sends for a list at a selection (item value for the lists that
    // send their item's value); -1 for a list that is not a member.
    int32_t ListSetValue(int listId, int selection) const;

private:
    bool writeAndAcknowledge(const std::string& line);
    QComboBox* list(int ctrlId) const;
    int selection(int listId) const;
    int32_t boxNumber(int ctrlId) const;

    ParameterControls& m_controls;
    const ControlLookup& m_lookup;
};

namespace FamilyData {

// Family 5 and 6 members: the button, the box with the index, the command and the box with
// the value.
struct ArgumentButton {
    int button;
    int indexBox;
    int command;
    int valueBox;
};
const std::vector<ArgumentButton>& QueryWithArgumentButtons();
const std::vector<ArgumentButton>& PairSetButtons();

enum class ListMapping {
    NotFirst,      // 1 when the selection is past the first item, else 0
    ItemTable,     // values[selection], values[0] for any selection outside the table
    ItemValue,     // the selected item's own value
    Selection,     // the selection itself
    SelectionPlus, // the selection + 1 (binning factor); the row keeps the selection
};
struct ListSet {
    std::vector<int> lists;
    std::vector<int> commands; // one per list
    ListMapping mapping;
    std::vector<int32_t> values; // ItemTable only
};
const std::vector<ListSet>& ListSets();
const ListSet* FindListSet(int listId, int& commandIndex);

} // namespace FamilyData
