#include "IdentityFeature.h"

#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "UserIdDialog.h"
#include "Ids.h"

#include <memory>

std::vector<int> IdentityFeature::MenuCommands() const
{
    return {MenuCommand::About, MenuCommand::EditUserId, MenuCommand::EditCameraId};
}

void IdentityFeature::OnMenu(int commandId)
{
    std::unique_ptr<QDialog> dialog;
    switch (commandId) {
    case MenuCommand::About:
        dialog = std::make_unique<AboutDialog>(m_camera, m_mainWindow);
        break;
    case MenuCommand::EditUserId:
        dialog = std::make_unique<UserIdDialog>(m_camera, m_mainWindow);
        break;
    case MenuCommand::EditCameraId:
        dialog = std::make_unique<CameraIdDialog>(m_camera, m_mainWindow);
        break;
    default:
        return;
    }
    dialog->exec();
}
