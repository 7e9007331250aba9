#pragma once
// The generic road of a parameter between the table and the camera: a value is stored in its
// row, every pending row is set and read back, the answers go into the rows (and are shown
// through the RowView), and the table is committed. Every control bound to a row takes this
// road unless its feature has one of its own. User-interface thread only.
#include <cstdint>
#include <vector>

class Camera;
class RowView;

namespace ParameterPath {

// The binning rows keep the list position (0 "Off", 1 "x2") while the camera, and so a
// setting file, counts the factor (1, 2); every other row holds the camera's value as it is.
// Every road between a row and the camera converts here, so that a choice, a reading and a
// file agree.
int32_t CameraValue(int ctrlId, int32_t rowValue);
int32_t RowValue(int ctrlId, int32_t cameraValue);

// Walks the table in order; each pending row is set (two query-only rows excepted) and then
// queried, and the answer stored and shown. Stops at the first set that fails: 0; else 1.
int SendPendingRows(Camera& camera, RowView* view);
// Stores the value in the row of ctrlId, sends every pending row and commits the table.
void StoreAndSend(Camera& camera, int ctrlId, int32_t value, RowView* view);
// Sends every pending row and commits the table.
void SendAndCommit(Camera& camera, RowView* view);
// Queries the row of ctrlId; the answer is stored and shown. 1 on an answer.
int RefreshRow(Camera& camera, int ctrlId, RowView* view);
// Plain queries of the rows' commands, answers stored and shown, then the table committed:
// the rows hold what the camera has and nothing of it is left to send.
void RereadRows(Camera& camera, const std::vector<int>& ctrlIds, RowView* view);

} // namespace ParameterPath
