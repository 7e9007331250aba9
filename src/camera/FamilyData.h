#pragma once
// Members of the command-line families that buttons and lists use: which button reads or
// writes which command with the numbers of which boxes, and how a list's selection becomes
// the value its command sends. Data only (FamilyData.cpp).
#include <cstdint>
#include <vector>

namespace FamilyData {

// A button of the query-with-argument ("MN?n") or pair-set ("MN=n,v") family: the button,
// the box with the index, the command and the box with the value.
struct ArgumentButton {
    int button;
    int indexBox;
    int command;
    int valueBox;
};
const std::vector<ArgumentButton>& QueryWithArgumentButtons();
const std::vector<ArgumentButton>& PairSetButtons();
// The entry of the button in one of those lists; nullptr when it is not a member.
const ArgumentButton* FindButton(const std::vector<ArgumentButton>& buttons, int button);

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
    // The family's line is all a choice sends; otherwise the generic path stores (and sends
    // what is then pending) after it.
    bool exclusive = true;
};
const std::vector<ListSet>& ListSets();
// The list set a list belongs to and the list's command; nullptr when it belongs to none.
const ListSet* FindListSet(int listId, int& commandIndex);

} // namespace FamilyData
