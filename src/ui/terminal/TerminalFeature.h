#pragma once
// The RS-232C terminal as a feature of the main window: created hidden with it (the transcript
// grows from the start whether the window shows or not), joining the lists when the windows
// are ready; the "Terminal" button of the pages brings it to the front.
#include "Feature.h"

class Camera;
class TerminalWindow;
class QWidget;

class TerminalFeature : public Feature {
public:
    // The window becomes a child of the main window and is kept while that lives.
    TerminalFeature(Camera& camera, QWidget& mainWindow);

    std::vector<Claim> Claims() override;
    std::vector<MomentClaim> Moments() override;

    TerminalWindow& Window() const { return *m_window; }

private:
    TerminalWindow* m_window;
};
