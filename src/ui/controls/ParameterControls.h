#pragma once
// The parameter controls: what a change on a page means for the camera when no feature of
// its own serves the control. A number box, spin, check box, radio group or list bound to a
// row of the parameter table takes the generic path (adjust by the control's rules, store,
// send every pending row, read each back, commit); the lists and boxes with rules of their
// own (region boxes, gamma, exposure mode, the Camera Link format, "Select all", the enable
// rules) are handled here too. Also applies the spin ranges, the lists' item values and the
// enable rules that other sequences call for.
#include "ControlRules.h"
#include "Feature.h"

#include <cstdint>

class Camera;
class ControlAdapter;
class FeatureRegistry;
class LutFeature;
enum class ControlEvent;

class ParameterControls : public Feature {
public:
    // All belong to the main window and outlive this object. The LUT editors follow the
    // LUT-mode rule each time it is applied.
    ParameterControls(Camera& camera, ControlAdapter& controls, FeatureRegistry& features, LutFeature& lut);

    // The generic handling of a notification for a control of that class. False when the
    // change was refused and the control restored (no After claim runs then).
    bool Handle(int ctrlId, ControlEvent event, int position, int step);

    // Sends every pending row and reads it back (the controls show the answers); stops at
    // the first failed set: 0; else 1.
    int SendPendingRows();
    // Reads the row of the control from the camera; 1 on an answer.
    int RefreshControl(int ctrlId);
    void ApplySpinRanges();
    // The item values of the lists, their selections from the table, the sequencer binning
    // lists refilled; then the features that follow attached lists are called.
    void AttachListValues();
    void ApplyEnableRule(ControlRules::EnableRule rule);
    // The rules a complete reading applies, in their order.
    void ApplyReloadEnableRules();

    std::vector<MomentClaim> Moments() override;

private:
    Camera& m_camera;
    bool onNumberBox(int ctrlId);
    bool onSpinStep(int spinId, int position, int step);
    bool onCheckBox(int ctrlId);
    bool onRadioButton(int ctrlId);
    bool onList(int ctrlId);

    void genericList(int ctrlId);
    void afterFormatChange(int ctrlId);
    bool onExposureModeList();
    void onGammaList();
    bool checkRegion(int ctrlId, int32_t value);
    bool hasRow(int ctrlId) const;

    ControlAdapter& m_controls;
    FeatureRegistry& m_features;
    LutFeature& m_lut;
};
