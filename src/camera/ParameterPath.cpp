#include "ParameterPath.h"

#include "Camera.h"
#include "Ids.h"
#include "ParameterTable.h"
#include "RowView.h"
#include "Timeouts.h"

namespace ParameterPath {

namespace {

bool isBinning(int ctrlId)
{
    return ctrlId == CtrlId::HorizontalBinning || ctrlId == CtrlId::VerticalBinning;
}

// Stores the camera's answer in the row and shows it.
void store(int ctrlId, int32_t answer, RowView* view)
{
    const int32_t value = RowValue(ctrlId, answer);
    ParameterTable::Instance().SetDataValue(static_cast<uint32_t>(ctrlId), value);
    if (view)
        view->showRow(ctrlId, value);
}

} // namespace

int32_t CameraValue(int ctrlId, int32_t rowValue)
{
    return isBinning(ctrlId) ? rowValue + 1 : rowValue;
}

int32_t RowValue(int ctrlId, int32_t cameraValue)
{
    return isBinning(ctrlId) ? cameraValue - 1 : cameraValue;
}

int SendPendingRows(RowView* view)
{
    ParameterTable& table = ParameterTable::Instance();
    Camera& camera = Camera::Instance();
    for (int i = 0; i < table.RowCount(); ++i) {
        if (!table.IsPending(i))
            continue;
        ParameterRow& row = table.Row(i);
        const int cmd = static_cast<int>(row.cmdId);
        if (cmd != CmdIndex::QueryOnlyFirst && cmd != CmdIndex::QueryOnlySecond) {
            row.committedValue = row.value;
            if (!camera.Set(cmd, CameraValue(int(row.ctrlId), row.value), Timeouts::kExchangeMs))
                return 0;
        }
        uint32_t answer = 0;
        // The control shows what the camera accepted, which may differ from what was sent.
        if (camera.Query(cmd, answer, Timeouts::kExchangeMs))
            store(static_cast<int>(row.ctrlId), static_cast<int32_t>(answer), view);
    }
    return 1;
}

void SendAndCommit(RowView* view)
{
    SendPendingRows(view);
    ParameterTable::Instance().CommitAll();
}

void StoreAndSend(int ctrlId, int32_t value, RowView* view)
{
    ParameterTable::Instance().SetDataValue(static_cast<uint32_t>(ctrlId), value);
    SendAndCommit(view);
}

int RefreshRow(int ctrlId, RowView* view)
{
    const int cmd = ParameterTable::Instance().ToCmdId(static_cast<uint32_t>(ctrlId));
    if (cmd < 0)
        return 0;
    uint32_t answer = 0;
    if (!Camera::Instance().Query(cmd, answer, Timeouts::kExchangeMs))
        return 0;
    store(ctrlId, static_cast<int32_t>(answer), view);
    return 1;
}

void RereadRows(const std::vector<int>& ctrlIds, RowView* view)
{
    ParameterTable& table = ParameterTable::Instance();
    for (int ctrlId : ctrlIds) {
        int32_t answer = 0;
        const int cmd = table.ToCmdId(static_cast<uint32_t>(ctrlId));
        if (cmd >= 0 && Camera::Instance().QueryPlain(cmd, answer))
            store(ctrlId, answer, view);
    }
    table.CommitAll();
}

} // namespace ParameterPath
