#pragma once
// Controls that explain themselves. A parameter control's tooltip gives its label, its camera
// command, the range it takes now (after the binning, model and mode rules) and its unit,
// e.g. "Exposure Time Common, PE — 1 … 8 000 000 µs". Tooltips are computed when ranges are
// applied, never per hover. When a typed value is changed before it is sent (clamped, masked,
// made even), the status line says so in plain words.
#include "ValueRules.h"

#include <QString>

#include <cstdint>
#include <string>

class ControlAdapter;

namespace ControlTips {

// The unit of a command's values where the camera's feature description gives one; empty
// otherwise. The table is data (ControlUnitsData.cpp).
QString UnitOf(const std::string& mnemonic);

// Digits in groups of three: "8 000 000".
QString Grouped(int64_t value);

// What the value rules look at, as the window shows it: the binning and gain-mode lists
// (their rows where a list is missing) and the sensor of the camera model.
ValueRules::State RuleState(const ControlAdapter& controls);

// The range a number box takes now: its spin's range (inside the padding of a padded row),
// within its box rule's clamp. False for a box without a spin.
bool AcceptedRange(const ControlAdapter& controls, int boxId, int32_t& low, int32_t& high);

// The name of a control as a person reads it: its accessible name, else "Control N".
QString Label(const ControlAdapter& controls, int ctrlId);

// The tooltip of one parameter row's control (a box and its spin, a list, a check box or
// radio group); nothing for an id without a row or a control.
void Describe(const ControlAdapter& controls, int ctrlId);
// Every parameter row's control.
void DescribeAll(const ControlAdapter& controls);

// Tells the status line when a typed value was changed on its way to the camera: typed as
// read from the box, ruled after the box's own rule, sent after the spin's range.
// Nothing when sent equals typed.
void ReportAdjusted(const ControlAdapter& controls, int boxId, int32_t typed, int32_t ruled, int32_t sent);
// Tells the status line that a region value off the sensor was refused and kept is shown.
void ReportOffSensor(const ControlAdapter& controls, int boxId, int32_t typed, int32_t kept);

} // namespace ControlTips
