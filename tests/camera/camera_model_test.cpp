// The model check against the simulated camera playing one model or another.
#include "SimLinkFixture.h"
#include "Camera.h"

#include <gtest/gtest.h>

namespace {

struct ModelCase {
    const char* played; // what the camera calls itself
    uint32_t type;
    bool warned;
};

class CameraModelTest : public SimLinkFixtureOf<::testing::TestWithParam<ModelCase>> {};

TEST_P(CameraModelTest, ClassifiesTheAnswer)
{
    const ModelCase c = GetParam();
    connect({"--model", c.played});
    CameraModel model;
    ASSERT_EQ(CheckCameraModel(model), 1);
    EXPECT_EQ(m_sim.Received(), std::vector<std::string>{"MD?"});
    EXPECT_EQ(model.modelType, c.type);
    EXPECT_EQ(model.modelName, c.played);
    EXPECT_EQ(model.SensorWidth(), c.type == 0 ? 1456 : 2064);
    EXPECT_EQ(model.SensorHeight(), c.type == 0 ? 1088 : 1544);
    if (c.warned) {
        ASSERT_EQ(m_notices.recorder.messages.size(), 1u);
        EXPECT_EQ(m_notices.recorder.messages[0].text, "Unsupported model: \"" + std::string(c.played) + "\"");
        EXPECT_EQ(m_notices.recorder.messages[0].icon, NoticeIcon::Warning);
    } else {
        EXPECT_TRUE(m_notices.recorder.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Models, CameraModelTest,
                         ::testing::Values(ModelCase{"KT-5100W-QBCL", 0, false}, ModelCase{"KT-5200W-QBCL", 1, false},
                                           ModelCase{"KT-5100W", 2, true}, ModelCase{"%S%N", 2, true}));

TEST_F(CameraModelTest, NoAnswerKeepsTheModel)
{
    connect({"--fault", "silent-after=0"});
    CameraModel model;
    model.modelType = 1;
    model.modelName = "KT-5200W-QBCL";
    EXPECT_EQ(CheckCameraModel(model), 0);
    EXPECT_EQ(model.modelType, 1u);
    EXPECT_EQ(model.modelName, "KT-5200W-QBCL");
    EXPECT_TRUE(m_notices.recorder.messages.empty());
}

} // namespace
