#pragma once
// The identity windows as a feature of the main window: Help, "&About this application" opens
// the about window; Utility, "Edit user id" and "Edit camera id" open the two editors. Each
// window is built (and reads the camera) for its command, runs modally and goes when it
// closes.
#include "Feature.h"

class Camera;
class QWidget;

class IdentityFeature : public Feature {
public:
    // The windows open over the main window.
    IdentityFeature(Camera& camera, QWidget* mainWindow) : m_camera(camera), m_mainWindow(mainWindow) {}

    std::vector<MenuClaim> MenuClaims() override;

private:
    Camera& m_camera;
    QWidget* m_mainWindow;
};
