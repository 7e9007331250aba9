#pragma once
// The modeless "Communication" window: how the camera is reached (mode, port and, in the
// factory control mode, the baud rate), the search of the ports for a camera, the line status,
// the camera's user sets, the camera setting file commands, and the message list of every line
// sent to and received from the camera (it attaches itself to the link's message-list sink).
//
// Use from the main window:
//   auto* dlg = new CommunicationWindow(this);   // in the constructor: after a run that did not
//                                                 // end normally, back to the native COM port
//   connect(dlg, &CommunicationWindow::linkChanged, ...);   // and the other signals
//   dlg->Initialize(); dlg->show();               // when the main window initialises
// Closing only hides it; show() brings it back. Initialize() also runs on the first show.
#include "OnlineStatusUpdater.h"

#include <QDialog>
#include <QString>

#include <string>

class Camera;
class DeviceChooser;
class LineListModel;
class QComboBox;
class QGroupBox;
class QLabel;
class LineListView;
class QPushButton;

class CommunicationWindow : public QDialog, public OnlineStatusUpdater {
    Q_OBJECT
public:
    static constexpr int kMaxMessages = 4096;


    explicit CommunicationWindow(Camera& camera, QWidget* parent = nullptr);
    ~CommunicationWindow() override;

    // Registers with the notifier and the lock list and sets every list from CommLink.
    // Runs once; later calls do nothing.
    void Initialize();

    // "Write To File..." and "Read To FIle...." are usable once a feature serves them
    // (saveSettingFileRequested, loadSettingFileRequested).
    void EnableSettingFileCommands(bool enabled);

    // Adds a line at the top of the message list, dropping the oldest beyond 4096.
    void AddMessage(const std::string& line);
    void AddMessage(const QString& line);
    // Shows and enables the baud rate label and list in Control Mode != 0; then the Store rule.
    void UpdateForControlMode();
    // Lists the ports of the current mode and selects the stored one (or opens the first).
    void FillPortList();

    // Line status: online icon and "Online", or offline icon and "Offline".
    void OnOnlineStateChanged(int online) override;

    // The commands behind the controls (CommunicationActions.cpp).
    void OnCategoryChanged(int mode);
    void OnPortChanged(int index);
    // Opens the stored port again, as choosing it in the port list does.
    void Reconnect();
    void OnBaudRateChanged(int baudIndex);
    // "Auto": the index of the port where the camera answered, or -1 after one box that says
    // what was tried (the link then stays on the port it had).
    int SearchPorts();
    void OnUserSetChanged(int selection);
    void StoreUserSet();
    void LoadUserSet();
    void GetArea();
    void SaveMessages();
    void ClearMessages();

    const LineListModel& Messages() const { return *m_messages; }
    // The device the selected COM name opens, as shown beside the port list.
    QString PortDeviceText() const;
    // Maps the selected COM name to a device in the settings' port map and opens it at once
    // (the device list below the port list does this for the person).
    void MapSelectedPort(const QString& device);

signals:
    // Every camera setting may have changed: after a model check the camera answered (the
    // first check of the reload may take that answer) or after a user set was loaded.
    void reloadRequested();
    // After every mode or port change, with its result (1 ok).
    void linkChanged(int result);
    // "Write To File..." and "Read To FIle...." were pressed.
    void saveSettingFileRequested();
    void loadSettingFileRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Camera& m_camera;
    void buildWindow();
    void updatePortDevice();
    int checkModel();
    // Asks for the reload after a model check that the camera answered.
    void reloadAfterAnswer();

    bool m_initialized = false;
    LineListModel* m_messages;
    QLabel* m_statusIcon = nullptr;
    QLabel* m_statusText = nullptr;
    int m_lampShown = -1; // the state the lamp shows; none before the first
    QComboBox* m_category = nullptr;
    QComboBox* m_portList = nullptr;
    QLabel* m_portDevice = nullptr;
    QLabel* m_portStableName = nullptr;
    QLabel* m_deviceLabel = nullptr;
    DeviceChooser* m_device = nullptr;
    QLabel* m_baudLabel = nullptr;
    QComboBox* m_baudList = nullptr;
    QPushButton* m_auto = nullptr;
    QPushButton* m_writeFile = nullptr;
    QPushButton* m_readFile = nullptr;
    QGroupBox* m_areaGroup = nullptr;
    QLabel* m_areaText = nullptr;
    QPushButton* m_getArea = nullptr;
    QComboBox* m_userSet = nullptr;
    QPushButton* m_store = nullptr;
    QPushButton* m_load = nullptr;
    LineListView* m_messageView = nullptr;
    QPushButton* m_messageWrite = nullptr;
    QPushButton* m_messageClear = nullptr;
};
