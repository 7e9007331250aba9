#pragma once
// The program put together, in one place: its camera, the main window with its pages, and
// every feature in its order (the communication window and the terminal among them),
// connected. main() and the end-to-end tests build the program this way and nowhere else.
// Two features whose claims clash stop the building with a FeatureClash that names them.
//
// Adding a feature: write its class (its camera side under src/camera/, its window side
// under src/ui/<feature>/), then create and register it in Program's constructor, handing it
// the camera, the window's parts and the features it works with.
#include <memory>

class MainWindow;
class Camera;

class Program {
public:
    // The camera reads the process-wide settings store.
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    MainWindow& Window() { return *m_window; }
    Camera& Cam() { return *m_camera; }

private:
    std::unique_ptr<Camera> m_camera;
    std::unique_ptr<MainWindow> m_window;
};
