#pragma once
// A camera-layer test against the simulated camera: the simulator on a pseudo-terminal, COM1
// mapped to it and opened, message boxes recorded.
#include "CamSimProcess.h"
#include "CommLink.h"
#include "ParameterTable.h"
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
        CommLink::Instance().ReloadSettingsForTest();
        ASSERT_EQ(CommLink::Instance().Open(0, baud, 0), 1);
        ParameterTable::Instance().Reset();
    }
    void TearDown() override
    {
        CommLink::Instance().Close();
        SetSettingsStore(nullptr);
    }

    CamSimProcess m_sim;
    MemorySettings m_settings;
    ScopedRecordingNotice m_notices;
};

using SimLinkFixture = SimLinkFixtureOf<>;
