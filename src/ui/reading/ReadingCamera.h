#pragma once
// Bringing the parameter table and every control of the main window into agreement with the
// connected camera: the reading of every setting under the progress window
// (ReadAllParameters), the reload around it (ReloadFromCamera, also "&Reload" and the
// communication window's link changes), the last start-up steps of a connected start, the
// three Camera Link format lists and the factory baud-rate list.
// User-interface thread only; every query blocks while it waits.
#include "Feature.h"

#include <QObject>
#include <QPointer>

class AutomaticFunctions;
class Camera;
class ControlAdapter;
class FeatureRegistry;
class ParameterControls;
class QWidget;
class SequencerFeature;

class ReadingCamera : public QObject, public Feature {
    Q_OBJECT
public:
    // All belong to the main window and outlive this object. The reload asks the sequencer for
    // the set of the index box and the automatic functions for the white balance list; the
    // start-up asks the sequencer for set 1.
    ReadingCamera(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters,
                  FeatureRegistry& features, SequencerFeature& sequencer, AutomaticFunctions& automatic);

    std::vector<Claim> Claims() override;
    std::vector<MenuClaim> MenuClaims() override;
    std::vector<MomentClaim> Moments() override;

    // Queries every row of the reload set under the progress window (Cancel stops it), then
    // the camera-mode box when every row was asked. Returns 1.
    int ReadAllParameters();
    void FillClConfigurationLists();
    // The last start-up steps once the link is up: list values attached, rules applied,
    // controls refreshed and committed, ranges set, the status boxes read.
    void CompleteStartup();
    // The camera-mode box from a VSM query.
    void ShowCameraMode();
    // The supported-baud-rate box from an SBDRT query; the text stays without an answer.
    void ShowSupportedBaudRate();
    // The factory baud-rate list rebuilt from a second SBDRT query and selected from FCBDRT.
    void RebuildBaudRateList();
    bool IsReloading() const { return m_reloading; }

public slots:
    // The whole reload: model check, model-dependent presentation, ReadAllParameters, the
    // controls refreshed and committed, the rules, lists and status boxes. A call while a
    // reload runs (from an event dispatched by the read) does nothing.
    void ReloadFromCamera();

private:
    Camera& m_camera;
    void presentModel(uint32_t modelType);

    QPointer<QWidget> m_mainWindow;
    ControlAdapter& m_controls;
    ParameterControls& m_parameters;
    FeatureRegistry& m_features;
    SequencerFeature& m_sequencer;
    AutomaticFunctions& m_automatic;
    bool m_reloading = false;
    bool m_readComplete = true;
};
