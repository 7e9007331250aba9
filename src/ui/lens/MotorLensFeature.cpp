#include "MotorLensFeature.h"

#include "Camera.h"
#include "Ids.h"
#include "MotorLensWindow.h"
#include "WindowPlacement.h"

#include <QCoreApplication>

MotorLensFeature::MotorLensFeature(Camera& camera, QDialog& mainWindow) : m_camera(camera), m_window(new MotorLensWindow(camera, &mainWindow))
{
    WindowPlacement::Track(m_window, &mainWindow, "MotorLens");
    QObject::connect(&mainWindow, &QDialog::finished, m_window, &MotorLensWindow::StopMotors);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, m_window,
                     &MotorLensWindow::StopMotors);
}

std::vector<Feature::MenuClaim> MotorLensFeature::MenuClaims()
{
    return {{MenuCommand::MotorLens, [this] {
                 m_window->show();
                 m_window->raise();
                 m_window->activateWindow();
             }}};
}
