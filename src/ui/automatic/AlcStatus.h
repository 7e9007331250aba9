#pragma once
// The "Read" button of the automatic level status group: asks the camera which automatic
// level function is working and shows its name in the status box.
#include "Feature.h"

class Camera;
class ControlAdapter;

class AlcStatus : public Feature {
public:
    AlcStatus(Camera& camera, ControlAdapter& controls) : m_camera(camera), m_controls(controls) {}

    std::vector<Claim> Claims() override;
    // Asks the camera and shows the function's name; an unknown state leaves the box empty.
    void Read();

private:
    Camera& m_camera;
    ControlAdapter& m_controls;
};
