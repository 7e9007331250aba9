#pragma once
// A camera's parameter table: one row per dialog control that mirrors a camera parameter,
// keyed by control id and bound to a command index. Rows are data (ParameterTableData.cpp);
// every lookup scans from row 0 and takes the first match. A row is pending while its value
// differs from its committed value. Missing ids show a warning through Notices().
#include <cstdint>
#include <vector>

enum CtrlKind : uint32_t { kCheckBox = 1, kDropDown = 4, kNumberBox = 6, kAction = 7 };
enum ParamClass : uint32_t { kNoClass = 0, kUserClass = 1, kFactoryClass = 2 };

struct ParameterRow {
    uint32_t ctrlId;
    uint32_t cmdId;
    uint32_t ctrlKind;
    uint32_t rangePad;
    uint32_t paramClass;
    int32_t minValue;
    int32_t maxValue;
    int32_t value;
    int32_t committedValue;
    uint32_t inFile;
};

class ParameterTable {
public:
    static constexpr int kRowCount = 324;
    static constexpr uint32_t kTerminator = 0xFFFFFFFFu;
    // The starting rows; each camera has its own table of values.
    ParameterTable();
    // The starting rows, shared and never changed: for lookups that do not depend on a
    // camera's values (which command a row is bound to, which rows go into a file).
    static const ParameterTable& Layout();

    int GetDataValue(uint32_t ctrlId) const;
    bool SetDataValue(uint32_t ctrlId, int32_t value);
    int GetCommittedValue(uint32_t ctrlId) const;
    void CommitAll();
    int ToCmdId(uint32_t ctrlId) const;
    int CtrlId2TblIndex(uint32_t ctrlId) const;
    int GetRangePad(uint32_t ctrlId) const;
    bool GetRange(uint32_t ctrlId, int32_t& minValue, int32_t& maxValue) const;
    bool SetRange(uint32_t ctrlId, int32_t minValue, int32_t maxValue);
    int ToCtrlId(int commandIndex) const;
    bool IsFactoryParam(uint32_t ctrlId) const;
    bool IsFileParam(uint32_t ctrlId) const;
    bool IsReadable(int rowIndex) const;
    int CountReadable();
    int CountReadableUser();
    // The table part of the model adjustment: blemish position limits for the first model.
    // isFirstModel: the connected camera is KT-5100W-QBCL.
    void AdjustRangesForModel(bool isFirstModel);

    // Rows in order, without the terminator.
    int RowCount() const { return kRowCount; }
    ParameterRow& Row(int rowIndex) { return m_rows[rowIndex]; }
    const ParameterRow& Row(int rowIndex) const { return m_rows[rowIndex]; }
    bool IsPending(int rowIndex) const { return m_rows[rowIndex].value != m_rows[rowIndex].committedValue; }
    // Restores the starting rows and forgets the cached counts (tests).
    void Reset();

private:
    std::vector<ParameterRow> m_rows; // kRowCount rows followed by the terminator
    int m_readable = -1;
    int m_readableUser = -1;
};
