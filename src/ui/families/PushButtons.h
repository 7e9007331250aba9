#pragma once
// The push buttons of the pages whose action is a camera exchange (the button table of the
// camera layer): the window side reads the boxes a button takes its numbers from and shows
// what comes back. A successful camera reset closes the main window without asking.
#include "Feature.h"

class Camera;
class MainWindow;
class ControlAdapter;

class PushButtons : public Feature {
public:
    // Both belong to the main window and outlive this object.
    PushButtons(Camera& camera, MainWindow& window, ControlAdapter& controls) : m_camera(camera), m_window(window), m_controls(controls) {}

    std::vector<Claim> Claims() override;

    // Runs the button's action; 1 when it ran to its end (answer or acknowledgement).
    int OnPushButton(int buttonId);

private:
    Camera& m_camera;
    MainWindow& m_window;
    ControlAdapter& m_controls;
};
