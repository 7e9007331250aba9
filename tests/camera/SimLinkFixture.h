#pragma once
// A camera-layer test against the simulated camera: the simulator on a pseudo-terminal, a
// camera with COM1 mapped to it and opened, message boxes recorded.
#include "CamSimProcess.h"
#include "Camera.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

template <class Base = ::testing::Test>
class SimLinkFixtureOf : public Base {
protected:
    void connect(const std::vector<std::string>& args, uint32_t baud = 9600)
    {
        ASSERT_TRUE(m_sim.Start(args)) << m_sim.Error();
        m_settings.ports["COM1"] = m_sim.DevicePath();
        SetSettingsStore(&m_settings);
        m_camera = std::make_unique<Camera>(&m_settings);
        m_camera->Notice().SetTarget(&m_notices.recorder);
        ASSERT_EQ(m_camera->Link().Open(0, baud, 0), 1);
    }
    void TearDown() override
    {
        m_camera.reset();
        SetSettingsStore(nullptr);
    }
    Camera& camera() { return *m_camera; }

    CamSimProcess m_sim;
    MemorySettings m_settings;
    ScopedRecordingNotice m_notices;
    std::unique_ptr<Camera> m_camera;
};

using SimLinkFixture = SimLinkFixtureOf<>;
