#include "CommandFamilies.h"

#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "ControlLookup.h"
#include "ParameterControls.h"
#include "ParameterTable.h"

#include <QComboBox>
#include <QLineEdit>

#include <cstdio>

namespace {

constexpr int kSeqHorizontalBinning = 2797;
constexpr int kSeqVerticalBinning = 2798;
constexpr int kSeqLut = 2799;
constexpr int kSeqWidth = 2785;
constexpr int kSeqHeight = 2787;
constexpr int kSeqGain = 2793;
constexpr int kSeqGainGreen = 2918;
constexpr int kImageGainMode = 2542;
constexpr int kHorizontalBinning = 1406;
constexpr int kVerticalBinning = 1408;
const int kDigitalGainRows[] = {1787, 1789, 1791};

std::string mnemonicOf(int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount)
        return {};
    return CommandTable::Instance().GetMnemonic(commandIndex);
}

std::string mnemonicOfRow(int ctrlId)
{
    ParameterTable& table = ParameterTable::Instance();
    if (table.CtrlId2TblIndex(static_cast<uint32_t>(ctrlId)) < 0)
        return {};
    return mnemonicOf(table.ToCmdId(static_cast<uint32_t>(ctrlId)));
}

std::string format(const char* pattern, const std::string& mnemonic, long a)
{
    char line[128];
    std::snprintf(line, sizeof line, pattern, mnemonic.c_str(), a);
    return line;
}

std::string format(const char* pattern, const std::string& mnemonic, long a, long b)
{
    char line[128];
    std::snprintf(line, sizeof line, pattern, mnemonic.c_str(), a, b);
    return line;
}

const FamilyData::ArgumentButton* findButton(const std::vector<FamilyData::ArgumentButton>& table, int button)
{
    for (const auto& entry : table)
        if (entry.button == button)
            return &entry;
    return nullptr;
}

} // namespace

CCommandFamilies::CCommandFamilies(ParameterControls& controls, const ControlLookup& lookup)
    : m_controls(controls), m_lookup(lookup)
{
    m_controls.hooks().familyList = [this](int listId) { ListSet(listId); };
}

QComboBox* CCommandFamilies::list(int ctrlId) const
{
    return qobject_cast<QComboBox*>(m_lookup.FindControl(ctrlId));
}

int CCommandFamilies::selection(int listId) const
{
    QComboBox* combo = list(listId);
    return combo ? combo->currentIndex() : -1;
}

int32_t CCommandFamilies::boxNumber(int ctrlId) const
{
    return m_controls.GetControlValue(ctrlId);
}

bool CCommandFamilies::writeAndAcknowledge(const std::string& line)
{
    Command& command = Command::Instance();
    // An old unsolicited line must not be taken for this line's acknowledgement.
    command.ClearReplies();
    if (!CommLink::Instance().Write(line))
        return false;
    return command.WaitForComplete(kWriteTimeoutMs) == 1;
}

int CCommandFamilies::IndexedQuery(int ctrlId, int index)
{
    const std::string mnemonic = mnemonicOfRow(ctrlId);
    if (mnemonic.empty())
        return 0;
    uint32_t reply = 0;
    if (!Command::Instance().SendAndReceive(reply, format("%s%ld?\r\n", mnemonic, index), kQueryTimeoutMs, 1))
        return 0;
    const int32_t v = static_cast<int32_t>(reply);
    ParameterTable& table = ParameterTable::Instance();
    switch (ctrlId) {
    case kSeqHorizontalBinning:
    case kSeqVerticalBinning:
        // The camera counts the factor; the list and the row hold the position.
        if (QComboBox* combo = list(ctrlId))
            combo->setCurrentIndex(v - 1 >= 0 && v - 1 < combo->count() ? v - 1 : -1);
        table.SetDataValue(ctrlId, v - 1);
        break;
    case kSeqLut:
        if (QComboBox* combo = list(ctrlId))
            combo->setCurrentIndex(v >= 0 && v < combo->count() ? v : -1);
        table.SetDataValue(ctrlId, v);
        break;
    case kSeqGain:
    case kSeqGainGreen: {
        // Only one of the two gains applies in each image gain mode; the other shows 100.
        const bool igmOn = selection(kImageGainMode) > 0;
        const bool fixed = (ctrlId == kSeqGain) ? igmOn : !igmOn;
        table.SetDataValue(ctrlId, v);
        m_controls.SetControlValue(ctrlId, fixed ? 100 : v);
        break;
    }
    default:
        table.SetDataValue(ctrlId, v);
        m_controls.SetControlValue(ctrlId, v);
        break;
    }
    table.CommitAll();
    return 1;
}

int CCommandFamilies::IndexedSet(int ctrlId, int index)
{
    const std::string mnemonic = mnemonicOfRow(ctrlId);
    if (mnemonic.empty())
        return 0;
    int32_t value = 0;
    if (ctrlId == kSeqHorizontalBinning || ctrlId == kSeqVerticalBinning)
        value = selection(ctrlId) + 1;
    else if (ctrlId == kSeqLut)
        value = selection(ctrlId);
    else
        value = boxNumber(ctrlId);
    // A region of no width or height is never a camera setting.
    if ((ctrlId == kSeqWidth || ctrlId == kSeqHeight) && value == 0)
        return 1;
    return writeAndAcknowledge(format("%s%ld=%ld\r\n", mnemonic, index, value)) ? 1 : 0;
}

int CCommandFamilies::PlainQuery(int ctrlId)
{
    const std::string mnemonic = mnemonicOfRow(ctrlId);
    if (mnemonic.empty())
        return 0;
    uint32_t reply = 0;
    if (!Command::Instance().SendAndReceive(reply, mnemonic + "?\r\n", kQueryTimeoutMs, 1))
        return 0;
    const int32_t v = static_cast<int32_t>(reply);
    ParameterTable::Instance().SetDataValue(ctrlId, v);
    m_controls.SetControlValue(ctrlId, v);
    ParameterTable::Instance().CommitAll();
    return 1;
}

int CCommandFamilies::FixedSet(int commandIndex, int32_t value)
{
    const std::string mnemonic = mnemonicOf(commandIndex);
    if (mnemonic.empty())
        return 0;
    return writeAndAcknowledge(format("%s=%ld\r\n", mnemonic, value)) ? 1 : 0;
}

int CCommandFamilies::QueryWithArgument(int buttonId)
{
    const FamilyData::ArgumentButton* entry = findButton(FamilyData::QueryWithArgumentButtons(), buttonId);
    if (!entry)
        return 0;
    const std::string mnemonic = mnemonicOf(entry->command);
    if (mnemonic.empty())
        return 0;
    // The index goes out as the number the box holds, never as its raw text, so nothing
    // typed into the box can add a line of its own.
    const int32_t index = boxNumber(entry->indexBox);
    uint32_t reply = 0;
    if (!Command::Instance().SendAndReceive(reply, format("%s?%ld\r\n", mnemonic, index), kQueryTimeoutMs, 1))
        return 0;
    const int32_t v = static_cast<int32_t>(reply);
    if (auto* box = qobject_cast<QLineEdit*>(m_lookup.FindControl(entry->valueBox)))
        box->setText(QString::number(v));
    ParameterTable& table = ParameterTable::Instance();
    if (table.CtrlId2TblIndex(static_cast<uint32_t>(entry->valueBox)) >= 0)
        table.SetDataValue(static_cast<uint32_t>(entry->valueBox), v);
    table.CommitAll();
    return 1;
}

int CCommandFamilies::PairSet(int buttonId)
{
    const FamilyData::ArgumentButton* entry = findButton(FamilyData::PairSetButtons(), buttonId);
    if (!entry || mnemonicOf(entry->command).empty())
        return 0;
    char text[48];
    std::snprintf(text, sizeof text, "%d,%d", boxNumber(entry->indexBox), boxNumber(entry->valueBox));
    return Command::Instance().SetText(entry->command, text, kPairTimeoutMs);
}

int32_t CCommandFamilies::ListSetValue(int listId, int sel) const
{
    int commandIndex = 0;
    const FamilyData::ListSet* set = FamilyData::FindListSet(listId, commandIndex);
    if (!set)
        return -1;
    switch (set->mapping) {
    case FamilyData::ListMapping::NotFirst:
        return sel > 0 ? 1 : 0;
    case FamilyData::ListMapping::ItemTable:
        return (sel > 0 && sel < static_cast<int>(set->values.size())) ? set->values[sel] : set->values[0];
    case FamilyData::ListMapping::ItemValue: {
        QComboBox* combo = list(listId);
        if (!combo || sel < 0 || sel >= combo->count())
            return 0;
        // Lists without item values yet send the position, as a list reads everywhere else.
        const QVariant data = combo->itemData(sel);
        return data.isValid() ? data.toInt() : sel;
    }
    case FamilyData::ListMapping::Selection:
        return sel;
    case FamilyData::ListMapping::SelectionPlus:
        return sel + 1;
    }
    return -1;
}

int CCommandFamilies::ListSet(int listId)
{
    int commandIndex = 0;
    const FamilyData::ListSet* set = FamilyData::FindListSet(listId, commandIndex);
    if (!set)
        return 0;
    const std::string mnemonic = mnemonicOf(commandIndex);
    if (mnemonic.empty())
        return 0;
    const int sel = selection(listId);
    const int32_t value = ListSetValue(listId, sel);
    if (!writeAndAcknowledge(format("%s=%ld\r\n", mnemonic, value)))
        return 0; // the list keeps the person's choice, the row its value

    // The row follows what the camera accepted, so that files and later reads agree.
    ParameterTable& table = ParameterTable::Instance();
    const int32_t stored = (set->mapping == FamilyData::ListMapping::SelectionPlus) ? sel : value;
    if (table.CtrlId2TblIndex(static_cast<uint32_t>(listId)) >= 0) {
        table.SetDataValue(static_cast<uint32_t>(listId), stored);
        table.CommitAll();
    }
    if (listId == kImageGainMode)
        for (int row : kDigitalGainRows)
            m_controls.RefreshControl(row);
    return 1;
}

bool CCommandFamilies::IsQueryWithArgument(int buttonId)
{
    return findButton(FamilyData::QueryWithArgumentButtons(), buttonId) != nullptr;
}

bool CCommandFamilies::IsPairSet(int buttonId)
{
    return findButton(FamilyData::PairSetButtons(), buttonId) != nullptr;
}

bool CCommandFamilies::IsListSet(int listId)
{
    int commandIndex = 0;
    return FamilyData::FindListSet(listId, commandIndex) != nullptr;
}
