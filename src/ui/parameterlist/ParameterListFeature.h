#pragma once
// Utility, "&Parameter list (XML)": shows the parameter list and fills it from the camera each
// time it is opened (the feature description itself is read again only for another camera).
// The Utility menu is usable in Control Mode 1 only, as the main window rules.
#include "Feature.h"

#include <QPointer>

class Camera;
class ParameterListWindow;
class QWidget;

class ParameterListFeature : public Feature {
public:
    // The dialog is created at once, with the main window as its parent.
    ParameterListFeature(Camera& camera, QWidget* mainWindow);

    std::vector<MenuClaim> MenuClaims() override;

    ParameterListWindow* Dialog() const;

private:
    void open();

    Camera& m_camera;
    QPointer<ParameterListWindow> m_dialog;
};
