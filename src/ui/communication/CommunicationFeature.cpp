#include "CommunicationFeature.h"

#include "CommunicationWindow.h"
#include "Ids.h"
#include "MainWindow.h"
#include "WindowPlacement.h"


CommunicationFeature::CommunicationFeature(Camera& camera, MainWindow& mainWindow)
    : m_window(new CommunicationWindow(camera, &mainWindow))
{
    WindowPlacement::Track(m_window, &mainWindow, "Communication");
    QObject::connect(m_window, &CommunicationWindow::linkChanged, m_window,
                     [window = m_window] { window->UpdateForControlMode(); });
    QObject::connect(m_window, &CommunicationWindow::linkChanged, &mainWindow, &MainWindow::OnLinkChanged);
    QObject::connect(&mainWindow, &MainWindow::reconnectRequested, m_window, &CommunicationWindow::Reconnect);
}

std::vector<Feature::MenuClaim> CommunicationFeature::MenuClaims()
{
    return {{MenuCommand::CommunicationDialog, [this] { bringBack(); }}};
}

std::vector<Feature::MomentClaim> CommunicationFeature::Moments()
{
    // Adapting the window sends nothing, so it may come before the pending rows go out.
    return {
        {Moment::StartupWindowsReady, [this] {
             m_window->Initialize();
             m_window->show();
         }},
        // Shown while the main window was still initialising: once that is up, the
        // communication window comes to the front so it does not start hidden behind the pages.
        {Moment::StartupWindowShown, [this] {
             if (m_window->isVisible())
                 m_window->raise();
         }},
        {Moment::StartupTabsBuilt, [this] { m_window->UpdateForControlMode(); }},
        {Moment::ControlModeChanged, [this] { m_window->UpdateForControlMode(); }},
    };
}

void CommunicationFeature::bringBack()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
