#include "Reload.h"

#include "Camera.h"
#include "Ids.h"
#include "ParameterPath.h"
#include "ParameterTable.h"
#include "Progress.h"
#include "RowView.h"
#include "Timeouts.h"
#include "Walk.h"

using namespace ReloadData;

namespace Reload {

namespace {

void storeAnswer(Camera& camera, uint32_t ctrlId, int32_t value, RowView* view)
{
    ParameterTable& table = camera.Table();
    ClOutputFormat& format = camera.Format();
    switch (ctrlId) {
    case CtrlId::HorizontalBinning:
    case CtrlId::VerticalBinning:
        // The camera counts the binning factor (1, 2); the row keeps the list position.
        table.SetDataValue(ctrlId, ParameterPath::RowValue(int(ctrlId), value));
        return;
    case CtrlId::ClConfiguration:
        format.m_ClConfguration = value;
        break;
    case CtrlId::BitAllocation:
        format.m_BitAllocation = value;
        break;
    case CtrlId::SensorClockFrequency:
        format.m_SensClkFreq = value;
        break;
    default:
        break;
    }
    table.SetDataValue(ctrlId, value);
    if (view)
        view->showRow(static_cast<int>(ctrlId), value);
}

} // namespace

std::vector<int> ReloadRows(uint32_t modelType, unsigned controlMode)
{
    const ParameterTable& table = ParameterTable::Layout();
    std::vector<int> rows;
    for (int i = 0; i < table.RowCount(); ++i) {
        const ParameterRow& row = table.Row(i);
        if (row.cmdId == ParameterTable::kTerminator)
            continue;
        if (!InReloadSet(row) || (modelType == 1 && IsMultiRoiRow(row.ctrlId)))
            continue;
        if (row.paramClass == kFactoryClass && controlMode == 0)
            continue;
        if (!table.IsReadable(i))
            continue;
        rows.push_back(i);
    }
    return rows;
}

bool ReadAllParameters(Camera& camera, unsigned controlMode, Progress& progress, RowView* view)
{
    ParameterTable& table = camera.Table();
    // The divisor counts every readable row of the mode, so the bar ends short of 100 and
    // jumps there when the window closes.
    const int divisor = controlMode == 1 ? table.CountReadable() : table.CountReadableUser();
    const std::vector<int> rows = ReloadRows(camera.Model().modelType, controlMode);
    Walk walk(camera, progress, "Now, reading camera settings.", static_cast<int>(rows.size()), "settings");
    int attempts = 0;
    for (int i : rows) {
        const ParameterRow& row = table.Row(i);
        uint32_t value = 0;
        if (camera.Query(static_cast<int>(row.cmdId), value, Timeouts::kExchangeMs))
            storeAnswer(camera, row.ctrlId, static_cast<int32_t>(value), view);
        ++attempts;
        if (!walk.Next(divisor > 0 ? (100 * attempts) / divisor : 0))
            break;
    }
    walk.Finish();
    return walk.Complete();
}

bool ReadCameraMode(Camera& camera, std::string& text)
{
    uint32_t vsm = 0;
    if (!camera.Query(CmdIndex::VSM, vsm, Timeouts::kExchangeMs))
        return false;
    text = CameraModeText(static_cast<int32_t>(vsm));
    return true;
}

bool ReadSupportedBaudRate(Camera& camera, std::string& text)
{
    uint32_t mask = 0;
    if (!camera.Query(CmdIndex::SBDRT, mask, Timeouts::kExchangeMs))
        return false;
    text = SupportedBaudText(mask);
    // The reading walk leaves this row out, yet a factory setting file carries it and opening
    // the file sends it back: it must hold the camera's mask, not the table's default of 1
    // (which would leave the camera offering 9600 bit/s only).
    ParameterTable& table = camera.Table();
    table.SetDataValue(CtrlId::SupportedBaudBox, static_cast<int32_t>(mask));
    table.CommitAll();
    return true;
}

BaudRateList ReadFactoryBaudRates(Camera& camera)
{
    uint32_t mask = 0;
    camera.Query(CmdIndex::SBDRT, mask, Timeouts::kExchangeMs);
    BaudRateList list{BaudRateItems(mask), 0};
    uint32_t current = 0;
    int32_t value = camera.Table().GetDataValue(CtrlId::FactoryBaudRate);
    if (camera.Query(CmdIndex::FCBDRT, current, Timeouts::kExchangeMs))
        value = static_cast<int32_t>(current);
    list.selected = ItemForValue(FactoryBaudValues(), value);
    return list;
}

} // namespace Reload
