#pragma once
// The motor lens window as a feature of the main window: the Settings menu's "&Motor Lens"
// shows it. The window is created with the main window and kept while it lives; when the main
// window closes or the program is asked to end, every motor still running is stopped while
// the link is still open.
#include "Feature.h"

class Camera;
class MotorLensWindow;
class QDialog;

class MotorLensFeature : public Feature {
public:
    // The window becomes a child of the main window.
    MotorLensFeature(Camera& camera, QDialog& mainWindow);

    std::vector<MenuClaim> MenuClaims() override;

    MotorLensWindow* Window() const { return m_window; }

private:
    Camera& m_camera;
    MotorLensWindow* m_window;
};
