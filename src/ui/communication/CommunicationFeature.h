#pragma once
// The communication window as a feature of the main window. It is created first among the
// features: building the window is the run's first use of the link settings and, after a run
// that did not end normally, turns the link back to the native serial port before anything
// opens it. It shows when the windows are ready, comes back with Help, "&Open Communication
// Dialog", and follows the Control Mode (baud rate, "Store"), also after every link change
// made in it. The main window hears of those link changes, and its offline bar's "Reconnect"
// opens the port here.
#include "Feature.h"

class Camera;
class CommunicationWindow;
class MainWindow;

class CommunicationFeature : public Feature {
public:
    // The window becomes a child of the main window and is kept while that lives.
    CommunicationFeature(Camera& camera, MainWindow& mainWindow);

    std::vector<MenuClaim> MenuClaims() override;
    std::vector<MomentClaim> Moments() override;

    CommunicationWindow& Window() const { return *m_window; }

private:
    void bringBack();

    CommunicationWindow* m_window;
};
