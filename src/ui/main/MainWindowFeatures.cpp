#include "MainWindowFeatures.h"

#include "CCommunicationDialog.h"
#include "CCtrlToolDlg.h"
#include "CameraModel.h"
#include "CommLink.h"
#include "ParameterTable.h"

CMainWindowFeatures::CMainWindowFeatures(CCtrlToolDlg& window)
    : m_window(window),
      m_controls(window, m_format),
      m_reading(&window, m_controls, window, m_format),
      m_families(m_controls, window),
      m_buttons(m_controls, window, m_families)
{
    m_controls.attach(&window);
    // The start-up connection and every re-open end with the model check.
    CommLink::Instance().SetModelCheck([] { return CheckCameraModel(CameraModel::Instance()); });
    m_reading.SetControlModeSource([&window] { return static_cast<unsigned>(window.ControlMode()); });
    m_buttons.SetHook(ButtonHook::CameraResetDone, [&window] {
        window.SetCloseWithoutConfirm(true);
        window.reject();
    });
    window.SetMenuHandler(CCtrlToolDlg::kCmdReload, [this] { m_reading.ReloadFromCamera(); });
    if (CCommunicationDialog* dialog = window.CommunicationDialog())
        dialog->SetReloadHook([this] { m_reading.ReloadFromCamera(); });
    window.SetStartupSteps([this](int connected) { AfterConnect(connected); },
                           [this](int connected) { AtEnd(connected); });
}

CMainWindowFeatures::~CMainWindowFeatures()
{
    if (CCommunicationDialog* dialog = m_window.CommunicationDialog())
        dialog->SetReloadHook(nullptr);
}

void CMainWindowFeatures::AfterConnect(int connected)
{
    if (connected == 1)
        m_reading.ReloadFromCamera();
}

void CMainWindowFeatures::AtEnd(int connected)
{
    m_controls.SendPendingRows(2500);
    ParameterTable::Instance().CommitAll();
    if (connected == 1)
        m_reading.CompleteStartup();
}
