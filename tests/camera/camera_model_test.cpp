// The model check against the simulated camera playing a model whose name only begins like a
// known one, one that is no format, or none at all (the known models and an unknown one as
// start-up meets them: reading_e2e_test).
#include "SimLinkFixture.h"
#include "Camera.h"

#include <gtest/gtest.h>

namespace {

struct ModelCase {
    const char* played; // what the camera calls itself; null: it does not answer
    uint32_t type;
    bool warned;
};

class CameraModelTest : public SimLinkFixtureOf<::testing::TestWithParam<ModelCase>> {};

TEST_P(CameraModelTest, ClassifiesTheAnswerOrKeepsTheModel)
{
    const ModelCase c = GetParam();
    using Args = std::vector<std::string>;
    connect(c.played ? Args{"--model", c.played} : Args{"--fault", "silent-after=0"});
    CameraModel model;
    model.modelType = 1;
    model.modelName = "KT-5200W-QBCL";
    ASSERT_EQ(CheckCameraModel(camera().Exchange(), camera().Notice(), model), c.played ? 1 : 0);
    EXPECT_EQ(m_sim.Received(), std::vector<std::string>{"MD?"});
    EXPECT_EQ(model.modelType, c.type);
    EXPECT_EQ(model.modelName, c.played ? c.played : "KT-5200W-QBCL");
    ASSERT_EQ(m_notices.recorder.messages.size(), c.warned ? 1u : 0u);
    if (c.warned) {
        EXPECT_EQ(m_notices.recorder.messages[0].text, "Unsupported model: \"" + std::string(c.played) + "\"");
        EXPECT_EQ(m_notices.recorder.messages[0].icon, NoticeIcon::Warning);
    }
}

INSTANTIATE_TEST_SUITE_P(Models, CameraModelTest,
                         ::testing::Values(ModelCase{"KT-5100W", 2, true}, ModelCase{"%S%N", 2, true},
                                           ModelCase{nullptr, 1, false}));

} // namespace
