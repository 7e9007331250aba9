#include "ParameterListFeature.h"

#include "Camera.h"
#include "Ids.h"
#include "ParameterListWindow.h"
#include "WindowPlacement.h"

ParameterListFeature::ParameterListFeature(Camera& camera, QWidget* mainWindow) : m_camera(camera), m_dialog(new ParameterListWindow(camera, mainWindow))
{
    WindowPlacement::Track(m_dialog, mainWindow, "ParameterList");
}

ParameterListWindow* ParameterListFeature::Dialog() const
{
    return m_dialog;
}

std::vector<Feature::MenuClaim> ParameterListFeature::MenuClaims()
{
    return {{MenuCommand::ParameterList, [this] { open(); }}};
}

void ParameterListFeature::open()
{
    if (!m_dialog)
        return;
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->LoadFeatures();
}
