// The identity data and the lens motors against the simulated camera: the about reading cut
// short, the checks before a text goes out, the camera id refused after its unlock, and motors
// stopped when the lens goes. The complete about reading, the texts it shows and the camera id
// saved: identity_lens_e2e_test.
#include "SimLinkFixture.h"
#include "Camera.h"
#include "FactoryIdentity.h"
#include "Identity.h"
#include "Ids.h"
#include "MotorLens.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(IdentityTexts, VersionsPartsAndWhatMayBeSent)
{
    EXPECT_EQ(Identity::VersionText(1000), "10.00");
    EXPECT_EQ(Identity::XmlVersionText(7), "0.0.7");
    EXPECT_EQ(Identity::SplitDeviceVersion("1.0.a.B"), (Identity::DeviceVersion{"1", "0", "a", "B"}));
    EXPECT_EQ(Identity::SplitDeviceVersion("10..3."), (Identity::DeviceVersion{"10", "", "3", ""}));
    EXPECT_EQ(Identity::SplitDeviceVersion("1.2.3"), std::nullopt);

    EXPECT_EQ(Identity::FirstCharacters({"12", "", "x", "\xC3\xA9t"}, "."), "1..x.\xC3\xA9");
    EXPECT_EQ(Identity::CharacterCount("caf\xC3\xA9"), 4u);
    EXPECT_TRUE(Identity::IsSendable(" Line 7 ~!=?,"));
    for (const char* refused : {"A\rB", "A\nGA=1", "tab\there", "caf\xC3\xA9", "\x7F"})
        EXPECT_FALSE(Identity::IsSendable(refused)) << refused;
}

class IdentityCamera : public SimLinkFixture {
protected:
    const std::vector<RecordingNotice::Entry>& messages() const { return m_notices.recorder.messages; }
};

TEST_F(IdentityCamera, AboutStopsWhenTheCameraFallsSilent)
{
    // Answers the firmware version, then nothing more.
    connect({"--fault", "silent-after=1"});
    const Identity::AboutData data = Identity::ReadAboutData(camera());
    EXPECT_EQ(data.firmware, "1.05");
    EXPECT_FALSE(data.model || data.cameraId || data.fpga || data.userId || data.xmlVersion);
    EXPECT_EQ(m_sim.Received(), (Lines{"VN?", "MD?", "ID?", "FPVN?"}));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text.find("stopped answering"), std::string::npos);
    EXPECT_FALSE(camera().Responsive());
}

// A line break pasted in, and a sound id saved: identity_lens_e2e_test.
TEST_F(IdentityCamera, UserIdIsCheckedBeforeItIsSent)
{
    connect({});
    const struct {
        std::string text;
        int result;
        const char* message; // the start of the message
    } cases[] = {
        {std::string(17, 'u'), 0, "User ID string is too long !!"},
        {"caf\xC3\xA9", 0, "The User ID may hold only printable ASCII"},
        {std::string(16, 'u'), 1, "Writing the User ID \"uuuuuuuuuuuuuuuu\" has been completed."},
    };
    for (const auto& c : cases) {
        m_sim.ClearLog();
        m_notices.recorder.Clear();
        EXPECT_EQ(Identity::SaveUserId(camera(), c.text), c.result) << c.text;
        EXPECT_EQ(m_sim.Received(), c.result ? Lines{"UD=" + c.text} : Lines{}) << c.text;
        ASSERT_EQ(messages().size(), 1u) << c.text;
        EXPECT_EQ(messages()[0].text.rfind(c.message, 0), 0u) << messages()[0].text;
        EXPECT_EQ(messages()[0].icon, c.result ? NoticeIcon::Information : NoticeIcon::Error);
    }
}

// Boxes that do not spell a version are refused with their own reason and send nothing; the
// camera's refusal has its own text.
TEST_F(IdentityCamera, XmlVersionIsWrittenOnlyAsThreeDigits)
{
    const struct {
        std::vector<std::string> faults;
        FactoryIdentity::XmlDigits boxes;
        Lines sent;
        int result;
        std::string message;
    } cases[] = {
        {{}, {"1", "", "3"}, {}, 0, "Each box takes one digit 0\u20139."},
        {{}, {"12", "2", "3"}, {}, 0, "Each box takes one digit 0\u20139."},
        {{}, {"1", "x", "3"}, {}, 0, "Each box takes one digit 0\u20139."},
        {{}, {"1", "2", "3"}, {"XMLVR=123"}, 1, "Writing the XML Version has been completed."},
        {{"--fault", "error-replies"}, {"3", "0", "5"}, {"XMLVR=305"}, 0, "Couldn't write the XML Version."},
    };
    for (const auto& c : cases) {
        connect(c.faults);
        EXPECT_EQ(FactoryIdentity::WriteXmlVersion(camera(), c.boxes), c.result) << c.message;
        EXPECT_EQ(m_sim.Received(), c.sent) << c.boxes[0] << c.boxes[1];
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().back().text, c.message);
        TearDown();
        m_sim.Stop();
        m_notices.recorder.Clear();
    }
}

TEST_F(IdentityCamera, RefusedIdentityWritesLeaveTheCameraLocked)
{
    // An empty id is refused by the camera: the unlock is withdrawn at once.
    connect({});
    EXPECT_EQ(Identity::SaveCameraId(camera(), ""), 0);
    EXPECT_EQ(m_sim.Received(), (Lines{"ULCK=7315048", "ID=", "ULCK=0"}));
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().text, "Couldn't save the camera id.");
    EXPECT_EQ(camera().SetText(CmdIndex::ID, "X", Timeouts::kExchangeMs), 0); // locked
    // A line break would smuggle in a line of its own: nothing goes out.
    m_sim.ClearLog();
    EXPECT_EQ(Identity::SaveCameraId(camera(), "AB\r\nCRS00=1"), 0);
    EXPECT_TRUE(m_sim.Received().empty());
    TearDown();
    m_sim.Stop();

    // A refused unlock sends no id line; the device version is refused after its own message.
    connect({"--fault", "error-replies"});
    EXPECT_EQ(Identity::SaveCameraId(camera(), "SIM0000002"), 0);
    EXPECT_EQ(m_sim.Received(), Lines{"ULCK=7315048"});
    EXPECT_EQ(messages().back().text, "Couldn't save camera id.");
    EXPECT_EQ(Identity::SaveDeviceVersion(camera(), "1.0.0.1"), 0);
    EXPECT_EQ(messages().back().text, "Couldn't write the Device Version.");
}

TEST_F(IdentityCamera, MotorsStartedAreStoppedWhenTheLensGoes)
{
    connect({});
    {
        MotorLens lens(camera());
        EXPECT_EQ(lens.Start(MotorLens::Motor::Iris, MotorLens::Way::First), 1);
        EXPECT_EQ(lens.Start(MotorLens::Motor::Focus, MotorLens::Way::Second), 1);
        EXPECT_EQ(lens.Stop(MotorLens::Motor::Iris), 1);
        EXPECT_FALSE(lens.MayRun(MotorLens::Motor::Iris));
        EXPECT_TRUE(lens.MayRun(MotorLens::Motor::Focus));
    }
    EXPECT_EQ(m_sim.Received(), (Lines{"MLI=1", "MLF=2", "MLI=0", "MLF=0"}));
    EXPECT_EQ(m_sim.Received("state"), (Lines{"motor iris: open", "motor focus: far", "motor iris: stop", "motor focus: stop"}));
}

} // namespace
