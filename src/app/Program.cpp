#include "Program.h"

#include "AlcStatus.h"
#include "AutomaticFunctions.h"
#include "CommunicationWindow.h"
#include "MainWindow.h"
#include "Camera.h"
#include "CommandFamilies.h"
#include "FactoryIdentityFeature.h"
#include "FlashFeature.h"
#include "IdentityFeature.h"
#include "LutFeature.h"
#include "MotorLensFeature.h"
#include "ParameterControls.h"
#include "ParameterListFeature.h"
#include "PushButtons.h"
#include "ReadingCamera.h"
#include "SequencerFeature.h"
#include "SettingFileFeature.h"
#include "TerminalFeature.h"

Program::Program() : m_camera(std::make_unique<Camera>()), m_window(std::make_unique<MainWindow>(*m_camera))
{
    Camera& camera = *m_camera;
    MainWindow& window = *m_window;
    ControlAdapter& controls = window.Controls();
    FeatureRegistry& features = window.Features();

    // The order is the order in which features are called for a shared claim or moment:
    // the generic parameter path first, then the features that follow its changes, the
    // reading of the camera after the sequencer (the set is read again before the baud-rate
    // list is rebuilt), the automatic functions last (the bypass rule ends the start-up).
    auto parameters = std::make_unique<ParameterControls>(camera, controls, features);
    ParameterControls& generic = *parameters;
    window.AddFeature(std::move(parameters));
    window.AddFeature(std::make_unique<CommandFamilies>(camera, controls, generic));
    window.AddFeature(std::make_unique<PushButtons>(camera, window, controls));
    window.AddFeature(std::make_unique<AlcStatus>(camera, controls));
    window.AddFeature(std::make_unique<TerminalFeature>(*window.Terminal()));
    auto sequencerFeature = std::make_unique<SequencerFeature>(camera, &window, controls, generic);
    SequencerFeature& sequencer = *sequencerFeature;
    window.AddFeature(std::move(sequencerFeature));
    window.AddFeature(std::make_unique<IdentityFeature>(camera, &window));
    window.AddFeature(std::make_unique<MotorLensFeature>(camera, window));
    window.AddFeature(std::make_unique<LutFeature>(camera, &window, controls));
    window.AddFeature(std::make_unique<ParameterListFeature>(camera, &window));

    auto reading = std::make_unique<ReadingCamera>(camera, &window, controls, generic, features);
    QObject::connect(window.CommunicationDialog(), &CommunicationWindow::reloadRequested, reading.get(),
                     &ReadingCamera::ReloadFromCamera);
    ReadingCamera& readingCamera = *reading;
    window.AddFeature(std::move(reading));
    window.AddFeature(std::make_unique<AutomaticFunctions>(camera, &window, controls, generic));
    // Files, flash areas and the factory identity writes join no moment.
    window.AddFeature(std::make_unique<SettingFileFeature>(camera, &window, controls, generic, features, sequencer,
                                                           window.CommunicationDialog()));
    window.AddFeature(std::make_unique<FlashFeature>(camera, &window, readingCamera));
    window.AddFeature(std::make_unique<FactoryIdentityFeature>(camera, controls));
}

Program::~Program() = default;
