#pragma once
// Reading the camera's settings into the parameter table: the walk over every readable row
// of the reload set, and the status queries around it (camera mode, supported baud rates,
// the factory baud-rate list). The windows arrange the controls around these.
#include "ReloadData.h"

#include <cstdint>
#include <string>
#include <vector>

class Camera;
class Progress;
class RowView;

namespace Reload {

// The rows the walk queries, as row indexes in table order, for a model type and Control
// Mode: the reload set without the multi-ROI rows on the second model and without factory
// rows in Control Mode 0.
std::vector<int> ReloadRows(uint32_t modelType, unsigned controlMode);

// Queries every row of the reload set in table order under the progress report and stores
// each answer (binning factors as list positions; the Camera Link format follows its rows).
// The view is told of each stored answer. The walk stops early when the camera stops
// answering, the link is lost or the person cancels (see Walk); rows not read keep their
// values. True when every row was asked.
bool ReadAllParameters(Camera& camera, unsigned controlMode, Progress& progress, RowView* view);

// The camera-mode text for the camera's VSM answer; false without an answer.
bool ReadCameraMode(Camera& camera, std::string& text);
// The supported-baud-rate text for the camera's SBDRT answer, which its row keeps as read;
// false without an answer.
bool ReadSupportedBaudRate(Camera& camera, std::string& text);

// The factory baud-rate list as the camera offers it: the items for its SBDRT mask (the five
// rates every camera has when it does not answer) and the item of its FCBDRT rate (the row's
// value when it does not answer).
struct BaudRateList {
    std::vector<ReloadData::ListItem> items;
    int selected;
};
BaudRateList ReadFactoryBaudRates(Camera& camera);

} // namespace Reload
