#include "ParameterListFeature.h"

#include "ParameterListWindow.h"
#include "Camera.h"
#include "Ids.h"
#include "WindowPlacement.h"

ParameterListFeature::ParameterListFeature(Camera& camera, QWidget* mainWindow) : m_camera(camera), m_dialog(new ParameterListWindow(camera, mainWindow))
{
    WindowPlacement::Track(m_dialog, mainWindow, "ParameterList");
}

ParameterListWindow* ParameterListFeature::Dialog() const
{
    return m_dialog;
}

std::vector<int> ParameterListFeature::MenuCommands() const
{
    return {MenuCommand::ParameterList};
}

void ParameterListFeature::OnMenu(int)
{
    if (!m_dialog)
        return;
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->LoadFeatures();
}
