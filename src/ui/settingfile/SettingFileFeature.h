#pragma once
// Camera setting files on the main window: File "&Open" and "&Save as" ("All Data",
// "Shipping Data"), "Compare with Camera…" (a file against the camera before it is loaded),
// and the communication dialog's "Write To File..." and "Read To FIle....".
// It asks for the file (in the folder of the "Camera File Path" setting), confirms an
// overwrite, and around a load keeps every window of the lock list disabled under the
// progress window; the file itself is read and written on the camera side (SettingFile).
#include "Feature.h"

#include <QObject>
#include <QPointer>

#include <string>

class Camera;
class CommunicationWindow;
class ControlAdapter;
class FeatureRegistry;
class ParameterControls;
class QWidget;
class SequencerFeature;

class SettingFileFeature : public QObject, public Feature {
    Q_OBJECT
public:
    // All belong to the main window and outlive this object. The dialog's two file buttons
    // are enabled and served from now on.
    SettingFileFeature(Camera& camera, QWidget* mainWindow, ControlAdapter& controls, ParameterControls& parameters,
                       FeatureRegistry& features, SequencerFeature& sequencer, CommunicationWindow* communication);

    std::vector<MenuClaim> MenuClaims() override;

    // Loads a file into the camera and the window.
    void ReadSettingFile(const std::string& path);
    // Asks for a file, compares it with the camera (only queries go out) and shows the
    // differences; the file is loaded as by "&Open" when the person chooses "Apply".
    void CompareWithCamera();

public slots:
    void SaveAllDataAs();
    void SaveShippingDataAs();
    void OpenSettingFile();

private:
    Camera& m_camera;
    class LoadFollowUp;
    void saveAs(bool allData);

    QPointer<QWidget> m_mainWindow;
    ControlAdapter& m_controls;
    ParameterControls& m_parameters;
    FeatureRegistry& m_features;
    SequencerFeature& m_sequencer;
};
