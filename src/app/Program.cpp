#include "Program.h"

#include "AlcStatus.h"
#include "AutomaticFunctions.h"
#include "Camera.h"
#include "CommandFamilies.h"
#include "CommunicationFeature.h"
#include "CommunicationWindow.h"
#include "FactoryIdentityFeature.h"
#include "FlashFeature.h"
#include "IdentityFeature.h"
#include "LutFeature.h"
#include "MainWindow.h"
#include "MotorLensFeature.h"
#include "ParameterControls.h"
#include "ParameterListFeature.h"
#include "PushButtons.h"
#include "ReadingCamera.h"
#include "SequencerFeature.h"
#include "SettingFileFeature.h"
#include "TerminalFeature.h"

namespace {

// Registers the feature with the window and hands back the registered object.
template <class T>
T& Add(MainWindow& window, std::unique_ptr<T> feature)
{
    T& added = *feature;
    window.AddFeature(std::move(feature));
    return added;
}

} // namespace

Program::Program() : m_camera(std::make_unique<Camera>()), m_window(std::make_unique<MainWindow>(*m_camera))
{
    Camera& camera = *m_camera;
    MainWindow& window = *m_window;
    ControlAdapter& controls = window.Controls();
    FeatureRegistry& features = window.Features();

    // The order is the order in which features are called for a shared claim or moment.
    // The windows beside the main window come first: building the communication window is
    // the run's first use of the link settings (after a run that did not end normally it
    // turns the link back to the native serial port before anything opens it), and both join
    // the lists before the rest. Then the generic parameter path, then the features that
    // follow its changes, the reading of the camera after the sequencer (the set is read
    // again before the baud-rate list is rebuilt), the automatic functions last (the bypass
    // rule ends the start-up).
    CommunicationWindow& communication =
        Add(window, std::make_unique<CommunicationFeature>(camera, window)).Window();
    Add(window, std::make_unique<TerminalFeature>(camera, window));

    // Built ahead of the generic path, which tells the LUT editors when the LUT-mode rule is
    // applied; registered in its place below.
    auto lutFeature = std::make_unique<LutFeature>(camera, &window, controls);
    LutFeature& lut = *lutFeature;
    ParameterControls& generic = Add(window, std::make_unique<ParameterControls>(camera, controls, features, lut));
    Add(window, std::make_unique<CommandFamilies>(camera, controls, generic));
    Add(window, std::make_unique<PushButtons>(camera, window, controls));
    Add(window, std::make_unique<AlcStatus>(camera, controls));
    SequencerFeature& sequencer =
        Add(window, std::make_unique<SequencerFeature>(camera, &window, controls, generic));
    Add(window, std::make_unique<IdentityFeature>(camera, &window));
    Add(window, std::make_unique<MotorLensFeature>(camera, window));
    Add(window, std::move(lutFeature));
    Add(window, std::make_unique<ParameterListFeature>(camera, &window));

    // The reading asks the automatic functions for the white balance list once a reload has
    // applied the model's ranges, so they are built first and registered after it.
    auto automaticFeature = std::make_unique<AutomaticFunctions>(camera, &window, controls, generic);
    ReadingCamera& reading = Add(window, std::make_unique<ReadingCamera>(camera, &window, controls, generic,
                                                                         features, sequencer, *automaticFeature));
    QObject::connect(&communication, &CommunicationWindow::reloadRequested, &reading, &ReadingCamera::ReloadFromCamera);
    Add(window, std::move(automaticFeature));
    // Files, flash areas and the factory identity writes join no moment.
    Add(window, std::make_unique<SettingFileFeature>(camera, &window, controls, generic, features, sequencer,
                                                     &communication));
    Add(window, std::make_unique<FlashFeature>(camera, &window, reading));
    Add(window, std::make_unique<FactoryIdentityFeature>(camera, controls));
}

Program::~Program() = default;
