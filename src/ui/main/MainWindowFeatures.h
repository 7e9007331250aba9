#pragma once
// The camera features of the main window put together: the parameter controls over the
// window's pages, the reading of the camera, the command-line families and the push buttons,
// with the hooks between them connected, the "&Reload" menu entry served and the
// communication dialog's reload after a link change. The main window
// (or a test standing in for the program) owns one for its whole life.
#include "CommandFamilies.h"
#include "ControlFeatureHooks.h"
#include "ParameterControls.h"
#include "PushButtons.h"
#include "ReadingCamera.h"

class CCtrlToolDlg;

class CMainWindowFeatures {
public:
    explicit CMainWindowFeatures(CCtrlToolDlg& window);
    // The window may outlive the features: its communication dialog lets go of the reload.
    ~CMainWindowFeatures();

    ParameterControls& Controls() { return m_controls; }
    CReadingCamera& Reading() { return m_reading; }
    CCommandFamilies& Families() { return m_families; }
    CPushButtons& Buttons() { return m_buttons; }
    ClOutputFormat& Format() { return m_format; }

    // The window's start-up steps, which it runs from its initialisation once these
    // features exist: the first reading once the model check answered, and after the tabs
    // the pending rows and the last step of a connected start.
    void AfterConnect(int connected);
    void AtEnd(int connected);

private:
    CCtrlToolDlg& m_window;
    ClOutputFormat m_format;
    ParameterControls m_controls;
    CReadingCamera m_reading;
    CCommandFamilies m_families;
    CPushButtons m_buttons;
};
