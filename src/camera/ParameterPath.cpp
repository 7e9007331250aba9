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
void store(Camera& camera, int ctrlId, int32_t answer, RowView* view)
{
    const int32_t value = RowValue(ctrlId, answer);
    camera.Table().SetDataValue(static_cast<uint32_t>(ctrlId), value);
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

int SendPendingRows(Camera& camera, RowView* view)
{
    ParameterTable& table = camera.Table();
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
            store(camera, static_cast<int>(row.ctrlId), static_cast<int32_t>(answer), view);
    }
    return 1;
}

void SendAndCommit(Camera& camera, RowView* view)
{
    SendPendingRows(camera, view);
    camera.Table().CommitAll();
}

void StoreAndSend(Camera& camera, int ctrlId, int32_t value, RowView* view)
{
    camera.Table().SetDataValue(static_cast<uint32_t>(ctrlId), value);
    SendAndCommit(camera, view);
}

int RefreshRow(Camera& camera, int ctrlId, RowView* view)
{
    const int cmd = camera.Table().ToCmdId(static_cast<uint32_t>(ctrlId));
    if (cmd < 0)
        return 0;
    uint32_t answer = 0;
    if (!camera.Query(cmd, answer, Timeouts::kExchangeMs))
        return 0;
    store(camera, ctrlId, static_cast<int32_t>(answer), view);
    return 1;
}

void RereadRows(Camera& camera, const std::vector<int>& ctrlIds, RowView* view)
{
    ParameterTable& table = camera.Table();
    for (int ctrlId : ctrlIds) {
        int32_t answer = 0;
        const int cmd = table.ToCmdId(static_cast<uint32_t>(ctrlId));
        if (cmd >= 0 && camera.QueryPlain(cmd, answer))
            store(camera, ctrlId, answer, view);
    }
    table.CommitAll();
}

} // namespace ParameterPath
