// Members of the command-line families: which button, box or list uses which command and how
// a list's selection becomes the camera's value.
#include "FamilyData.h"

#include "ReloadData.h"

namespace FamilyData {

const std::vector<ArgumentButton>& QueryWithArgumentButtons()
{
    static const std::vector<ArgumentButton> buttons = {
        {1512, 1417, 155, 1424}, // BMPXWR
        {1513, 1417, 156, 1438}, // BMPYWR
        {1515, 1423, 161, 1427}, // BMPXWG
        {1517, 1423, 162, 1441}, // BMPYWG
        {1519, 1456, 167, 1449}, // BMPXWB
        {1521, 1456, 168, 1460}, // BMPYWB
        {1522, 1452, 398, 1457},
        {1524, 1461, 399, 1465},
        {2562, 2557, 402, 2559},
        {2568, 2563, 403, 2565},
        {2522, 2518, 132, 2520}, // LUTR
        {2528, 2524, 133, 2526}, // LUTG
        {2534, 2530, 134, 2532}, // LUTB
    };
    return buttons;
}

const std::vector<ArgumentButton>& PairSetButtons()
{
    static const std::vector<ArgumentButton> buttons = {
        {1430, 1417, 155, 1424}, // BMPXWR
        {1433, 1423, 161, 1427}, // BMPXWG
        {1453, 1456, 167, 1449}, // BMPXWB
        {1431, 1417, 156, 1438}, // BMPYWR
        {1437, 1423, 162, 1441}, // BMPYWG
        {1464, 1456, 168, 1460}, // BMPYWB
        {1520, 1452, 398, 1457},
        {1523, 1461, 399, 1465},
        {2561, 2557, 402, 2559},
        {2567, 2563, 403, 2565},
        {2523, 2518, 132, 2520}, // LUTR
        {2529, 2524, 133, 2526}, // LUTG
        {2535, 2530, 134, 2532}, // LUTB
    };
    return buttons;
}

const std::vector<ListSet>& ListSets()
{
    static const std::vector<ListSet> sets = {
        {{2810, 2815, 2820, 2877}, {584, 587, 590, 593}, ListMapping::NotFirst, {}},
        {{1422}, {613}, ListMapping::ItemTable, ReloadData::FactoryBaudValues()},
        {{2345, 2346, 2347, 2348}, {57, 58, 59, 60}, ListMapping::ItemValue, {}},
        {{2542}, {90}, ListMapping::Selection, {}},
        {{1406, 1408}, {143, 144}, ListMapping::SelectionPlus, {}, false},
        {{2339, 2340, 2341, 2342}, {53, 54, 55, 56}, ListMapping::ItemTable,
         {0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
        {{1356, 2907}, {22, 23}, ListMapping::ItemTable,
         {0, 1, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 26, 27}},
    };
    return sets;
}

const ArgumentButton* FindButton(const std::vector<ArgumentButton>& buttons, int button)
{
    for (const ArgumentButton& entry : buttons)
        if (entry.button == button)
            return &entry;
    return nullptr;
}

const ListSet* FindListSet(int listId, int& commandIndex)
{
    for (const ListSet& set : ListSets())
        for (size_t i = 0; i < set.lists.size(); ++i)
            if (set.lists[i] == listId) {
                commandIndex = set.commands[i];
                return &set;
            }
    return nullptr;
}

} // namespace FamilyData
