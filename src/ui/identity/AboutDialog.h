#pragma once
// "About This Control": the program's name and version, the maker's notice and web address,
// the camera's data (firmware, FPGA and XML versions, model name, camera id, user id, device
// version) read when the window is built, the user id write behind a protection choice, the
// device version write in the factory Control Modes, and the help files (*.pdf) of the current
// folder to open.
#include "IdentityDialog.h"

#include <array>

class Camera;
class LinkLabel;
class QComboBox;
class QPushButton;
class QRadioButton;

class AboutDialog : public IdentityDialog {
    Q_OBJECT
public:
    // Builds the window and reads the camera's data.
    explicit AboutDialog(Camera& camera, QWidget* parent = nullptr);

    // The button commands.
    void SaveUserId();
    void SaveDeviceVersion();
    void ViewHelpFile();

private:
    Camera& m_camera;
    QWidget* buildProgram();
    QWidget* buildCameraData();
    QWidget* buildUserId();
    QWidget* buildDeviceVersion();
    QWidget* buildHelp();
    void protectUserId(bool protect);
    void fillHelpFiles();
    void showPlaceholders();
    void readCamera();
    void applyControlMode();

    LinkLabel* m_link = nullptr;
    QLineEdit* m_firmware = nullptr;
    QLineEdit* m_fpga = nullptr;
    QLineEdit* m_xml = nullptr;
    QLineEdit* m_model = nullptr;
    QLineEdit* m_cameraId = nullptr;
    QRadioButton* m_protect = nullptr;
    QRadioButton* m_enableEdit = nullptr;
    QLineEdit* m_userId = nullptr;
    QPushButton* m_saveUserId = nullptr;
    std::array<QLineEdit*, 4> m_deviceVersion{};
    QPushButton* m_saveDeviceVersion = nullptr;
    QComboBox* m_helpFiles = nullptr;
    QPushButton* m_viewHelp = nullptr;
};
