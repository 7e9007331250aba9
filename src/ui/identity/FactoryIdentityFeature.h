#pragma once
// The factory page's identity writes: "Set" writes the model chosen in the model list, "Read"
// and "Write" exchange the XML version with its three one-digit boxes.
#include "Feature.h"

class Camera;
class ControlAdapter;

class FactoryIdentityFeature : public Feature {
public:
    // The adapter belongs to the main window and outlives this object.
    FactoryIdentityFeature(Camera& camera, ControlAdapter& controls) : m_camera(camera), m_controls(controls) {}

    std::vector<Claim> Claims() override;

    void WriteModelId();
    // Shows the camera's version in the boxes; without an answer they keep what they show.
    void ReadXmlVersion();
    void WriteXmlVersion();

private:
    Camera& m_camera;
    ControlAdapter& m_controls;
};
