#pragma once
// The window side of the sequencer page: one sequencer set at a time, chosen by the set
// index box and its spin (changing it reads that set), written as a whole with "Write" and
// read back; the sequencer mode and kind lists, the video send mode display and its hidden
// list, the active-set readout, the reset and the sensor multi-ROI toggle. The reading of the
// camera asks it for the set of the index box or set 1 (ReadIndexBoxSet, StartAtFirstSet).
// The lines are the camera layer's (Sequencer).
#include "Feature.h"

#include <QPointer>

#include <cstdint>

class Camera;
class ControlAdapter;
class ParameterControls;
class QWidget;

class SequencerFeature : public Feature {
public:
    // All belong to the main window and outlive this object.
    SequencerFeature(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters);

    std::vector<Claim> Claims() override;
    std::vector<MomentClaim> Moments() override;

    // The set of the index box, read into the controls (also when the lists got their
    // values).
    void ReadIndexBoxSet();
    // The last step of a connected start-up: the video send mode, and set 1 in the index box
    // and the controls.
    void StartAtFirstSet();

    // Writes the fields of the set in the index box, then reads the set back.
    void WriteSequencerSet();
    // Reads every field of the set into the controls and the table; true when every field
    // was asked.
    bool ReadSequencerSet(int set);
    void OnSequencerModeChanged();
    void OnSequencerSelectChanged();
    void ToggleSensorMultiRoi();
    // The video send mode box from the camera's VSM.
    void ShowVideoSendMode();
    // The hidden video send mode list offers the sequencer modes only with exposure "Timed".
    void RebuildVideoSendModeList();
    void ReadActiveSetIndex();
    void ResetSequencer();

    // The set in the index box, within 1...128.
    int IndexBoxSet() const;

private:
    Camera& m_camera;
    bool individualGain() const;
    // The region boxes of the set keep within the ranges that the set's binning allows.
    void fitRegionToBinning();

    QPointer<QWidget> m_mainWindow;
    ControlAdapter& m_controls;
    ParameterControls& m_parameters;
};
