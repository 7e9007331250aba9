#include "ParameterTable.h"

#include "TableData.h"
#include "UserNotice.h"

#include <cstdio>
#include <iterator>

namespace {

void Warn(const std::string& text)
{
    Notices().Message(text, "Warning", NoticeIcon::Warning);
}

} // namespace

ParameterTable::ParameterTable()
{
    Reset();
}

const ParameterTable& ParameterTable::Layout()
{
    static const ParameterTable layout;
    return layout;
}

void ParameterTable::Reset()
{
    m_rows.assign(std::begin(kInitialParameterRows), std::end(kInitialParameterRows));
    m_readable = -1;
    m_readableUser = -1;
}

// Every lookup by control id: first matching row from row 0, stopping at the terminator.
static int FindRow(const std::vector<ParameterRow>& rows, uint32_t ctrlId)
{
    for (size_t i = 0; rows[i].ctrlId != ParameterTable::kTerminator; ++i) {
        if (rows[i].ctrlId == ctrlId)
            return static_cast<int>(i);
    }
    return -1;
}

int ParameterTable::GetDataValue(uint32_t ctrlId) const
{
    const int row = FindRow(m_rows, ctrlId);
    if (row < 0) {
        Warn("Unexpected error occurred in GetDataValue().");
        return -1;
    }
    return m_rows[row].value;
}

bool ParameterTable::SetDataValue(uint32_t ctrlId, int32_t value)
{
    const int row = FindRow(m_rows, ctrlId);
    if (row < 0) {
        Warn("Unexpected error occurred in SetDataValue().");
        return false;
    }
    // Stored as given: ranges belong to the controls, the camera has the last word.
    m_rows[row].value = value;
    return true;
}

int ParameterTable::GetCommittedValue(uint32_t ctrlId) const
{
    const int row = FindRow(m_rows, ctrlId);
    if (row < 0) {
        Warn("Unexpected error occurred in GetDataValue().");
        return -1;
    }
    return m_rows[row].committedValue;
}

void ParameterTable::CommitAll()
{
    for (size_t i = 0; m_rows[i].ctrlId != kTerminator; ++i)
        m_rows[i].committedValue = m_rows[i].value;
}

int ParameterTable::ToCmdId(uint32_t ctrlId) const
{
    const int row = FindRow(m_rows, ctrlId);
    if (row < 0) {
        Warn("Unexpected error occurred in ToCmdId().");
        return -1;
    }
    return static_cast<int>(m_rows[row].cmdId);
}

int ParameterTable::CtrlId2TblIndex(uint32_t ctrlId) const
{
    const int row = FindRow(m_rows, ctrlId);
    if (row < 0)
        Warn("Unexpected error occurred in CtrlId2TblIndex().");
    return row;
}

int ParameterTable::GetRangePad(uint32_t ctrlId) const
{
    const int row = CtrlId2TblIndex(ctrlId);
    return row < 0 ? -1 : static_cast<int>(m_rows[row].rangePad);
}

bool ParameterTable::GetRange(uint32_t ctrlId, int32_t& minValue, int32_t& maxValue) const
{
    const int row = CtrlId2TblIndex(ctrlId);
    if (row < 0)
        return false;
    minValue = m_rows[row].minValue;
    maxValue = m_rows[row].maxValue;
    return true;
}

bool ParameterTable::SetRange(uint32_t ctrlId, int32_t minValue, int32_t maxValue)
{
    const int row = CtrlId2TblIndex(ctrlId);
    if (row < 0)
        return false;
    m_rows[row].minValue = minValue;
    m_rows[row].maxValue = maxValue;
    return true;
}

int ParameterTable::ToCtrlId(int commandIndex) const
{
    for (size_t i = 0; m_rows[i].ctrlId != kTerminator; ++i) {
        if (commandIndex >= 0 && m_rows[i].cmdId == static_cast<uint32_t>(commandIndex))
            return static_cast<int>(m_rows[i].ctrlId);
    }
    char text[96];
    std::snprintf(text, sizeof text, "Unexpected error occurred in ToCtrlId(): Command id is %d", commandIndex);
    Warn(text);
    return -1;
}

bool ParameterTable::IsFactoryParam(uint32_t ctrlId) const
{
    const int row = FindRow(m_rows, ctrlId);
    if (row < 0) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "ERROR: IsFactoryParam(): Control id \"%d: 0x%x\" is not registered in database table",
                      static_cast<int>(ctrlId), ctrlId);
        Warn(text);
        return false;
    }
    return m_rows[row].paramClass == kFactoryClass;
}

bool ParameterTable::IsFileParam(uint32_t ctrlId) const
{
    const int row = FindRow(m_rows, ctrlId);
    return row >= 0 && m_rows[row].inFile != 0;
}

bool ParameterTable::IsReadable(int rowIndex) const
{
    if (rowIndex < 0 || rowIndex >= kRowCount)
        return false;
    return m_rows[rowIndex].ctrlKind != kAction;
}

int ParameterTable::CountReadable()
{
    if (m_readable < 0) {
        int count = 0;
        for (int i = 0; m_rows[i].ctrlId != kTerminator; ++i)
            count += IsReadable(i) ? 1 : 0;
        m_readable = count;
    }
    return m_readable;
}

int ParameterTable::CountReadableUser()
{
    if (m_readableUser < 0) {
        int count = 0;
        for (int i = 0; m_rows[i].ctrlId != kTerminator; ++i)
            count += (IsReadable(i) && m_rows[i].paramClass == kUserClass) ? 1 : 0;
        m_readableUser = count;
    }
    return m_readableUser;
}

void ParameterTable::AdjustRangesForModel(bool isFirstModel)
{
    // The table holds the larger sensor's limits; the 1456 x 1088 sensor needs smaller ones.
    if (!isFirstModel)
        return;
    for (uint32_t ctrlId : {1424u, 1427u, 1449u}) {
        const int row = CtrlId2TblIndex(ctrlId);
        if (row >= 0)
            m_rows[row].maxValue = 1455;
    }
    for (uint32_t ctrlId : {1438u, 1441u, 1460u}) {
        const int row = CtrlId2TblIndex(ctrlId);
        if (row >= 0)
            m_rows[row].maxValue = 1087;
    }
}
