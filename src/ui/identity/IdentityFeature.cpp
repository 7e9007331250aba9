#include "IdentityFeature.h"

#include "AboutDialog.h"
#include "CameraIdDialog.h"
#include "Ids.h"
#include "UserIdDialog.h"

#include <memory>

namespace {

// The window of the command, built (it reads the camera), run modally and gone when it closes.
template <class Window>
void Run(Camera& camera, QWidget* mainWindow)
{
    Window(camera, mainWindow).exec();
}

} // namespace

std::vector<Feature::MenuClaim> IdentityFeature::MenuClaims()
{
    return {
        {MenuCommand::About, [this] { Run<AboutDialog>(m_camera, m_mainWindow); }},
        {MenuCommand::EditUserId, [this] { Run<UserIdDialog>(m_camera, m_mainWindow); }},
        {MenuCommand::EditCameraId, [this] { Run<CameraIdDialog>(m_camera, m_mainWindow); }},
    };
}
