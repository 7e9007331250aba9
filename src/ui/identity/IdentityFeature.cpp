#include "IdentityFeature.h"

#include "CAboutDialog.h"
#include "CCameraIdDialog.h"
#include "CUserIdDialog.h"
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
        dialog = std::make_unique<CAboutDialog>(m_camera, m_mainWindow);
        break;
    case MenuCommand::EditUserId:
        dialog = std::make_unique<CUserIdDialog>(m_camera, m_mainWindow);
        break;
    case MenuCommand::EditCameraId:
        dialog = std::make_unique<CCameraIdDialog>(m_camera, m_mainWindow);
        break;
    default:
        return;
    }
    dialog->exec();
}
