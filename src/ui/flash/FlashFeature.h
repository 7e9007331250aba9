#pragma once
// The flash memory areas from the main window: Settings "&Load settings" and "&Store
// settings" (each through the area selection) and the factory page's "Store All". After a
// load the camera is read again, since every setting may have changed.
#include "Feature.h"

#include <QPointer>

class Camera;
class QWidget;
class ReadingCamera;

class FlashFeature : public Feature {
public:
    // Both belong to the main window and outlive this object.
    FlashFeature(Camera& camera, QWidget* mainWindow, ReadingCamera& reading);

    std::vector<Claim> Claims() override;
    std::vector<MenuClaim> MenuClaims() override;

    void LoadSettingsFromArea();
    void StoreSettingsToArea();
    void StoreToAllUserAreas();

private:
    Camera& m_camera;
    QPointer<QWidget> m_mainWindow;
    ReadingCamera& m_reading;
};
