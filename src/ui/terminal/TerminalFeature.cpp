#include "TerminalFeature.h"

#include "Ids.h"
#include "TerminalWindow.h"
#include "WindowPlacement.h"

TerminalFeature::TerminalFeature(Camera& camera, QWidget& mainWindow)
    : m_window(new TerminalWindow(camera, &mainWindow))
{
    WindowPlacement::Track(m_window, &mainWindow, "Terminal");
}

std::vector<Feature::Claim> TerminalFeature::Claims()
{
    return {{CtrlId::TerminalButton, When::Instead, [this] {
                 m_window->show();
                 m_window->raise();
             }}};
}

std::vector<Feature::MomentClaim> TerminalFeature::Moments()
{
    return {{Moment::StartupWindowsReady, [this] { m_window->Initialize(); }}};
}
