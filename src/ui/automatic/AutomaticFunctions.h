#pragma once
// The window side of the automatic functions: the white balance list (continuous modes,
// presets and one-shot runs), gain and exposure "Once", the Individual Gain Mode and exposure
// time mode follow-ups that rebuild the white balance list, the shading recalibration, the
// result box, the exposure-time limits and the exposure read-back that other sequences ask
// for, and the video process bypass rule. A one-shot run shows the progress window with the
// function's name and a Cancel button while the camera layer polls its status.
#include "Feature.h"

#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

class Camera;
class ControlAdapter;
class ParameterControls;
class QWidget;

class AutomaticFunctions : public Feature {
public:
    // All belong to the main window and outlive this object.
    AutomaticFunctions(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters);

    std::vector<Claim> Claims() override;
    std::vector<MomentClaim> Moments() override;

    void OnWhiteBalanceChanged();
    void OnGainAutoChanged();
    void OnExposureAutoChanged();
    // What follows a change of the Individual Gain Mode once its line went out.
    void OnGainModeChanged();
    // The white balance list as the exposure time mode and the model's ranges allow it; the
    // reload asks for it once it has applied them.
    void RebuildWhiteBalanceList();
    void RecalibrateShading();
    // The outcome of an automatic function in a box without an icon.
    static void ShowAutoResult(int32_t code, const std::string& caption);
    // The camera's limits as the range of the rows; the rows keep theirs without an answer.
    void StoreExposureTimeLimits(const std::vector<int>& rows);
    void RefreshExposureTimes();
    // The bypass list's rule; askCamera reads the released lists from the camera (after a
    // change), otherwise they keep what the reading put there (start-up).
    void ApplyVideoProcessBypass(bool askCamera);

private:
    Camera& m_camera;
    // Gain and exposure "Once": list and run differ, the rest is the same.
    void onConvergenceAuto(bool gain);
    void applyGainModeEnables();
    // Gain Auto and the white balance group as Individual Gain Mode and the exposure time
    // mode allow them.
    void applyWhiteBalanceEnables(bool individualGain, bool individualExposure);
    void showWhiteBalanceStatus();
    void selectWhiteBalanceFromRow();
    bool individualGain() const;
    bool individualExposure() const;

    QPointer<QWidget> m_mainWindow;
    ControlAdapter& m_controls;
    ParameterControls& m_parameters;
};
