// Two cameras in one process, each on a thread of its own, at the same time: every line each
// one sends reaches its own simulator only, and each keeps its own values and messages.
#include "CamSimProcess.h"
#include "Camera.h"
#include "ControlMode.h"
#include "Ids.h"
#include "Progress.h"
#include "Reload.h"
#include "SettingFile.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

namespace {

using Lines = std::vector<std::string>;

struct Side {
    Side(const char* m, int32_t e, int32_t a) : model(m), exposure(e), applied(a) {}
    const char* model;
    int32_t exposure; // what the simulator starts with
    int32_t applied;  // what the setting file sets
    CamSimProcess sim;
    MemorySettings settings;
    RecordingNotice notice;
    std::unique_ptr<Camera> camera;
    Lines sent;
    bool connected = false;
    bool read = false;
    int32_t seen = 0; // the exposure the reading found
    SettingFile::LoadResult loaded;
};

// The whole work of one camera: the model check, a reading of every setting and a file.
void work(Side& side, const std::string& file)
{
    Camera& camera = *side.camera;
    SilentProgress progress;
    side.connected = camera.CheckModel() == 1;
    side.read = Reload::ReadAllParameters(camera, 0, progress, nullptr);
    side.seen = camera.Table().GetDataValue(CtrlId::ExposureTime);
    side.loaded = SettingFile::ReadSettingFile(camera, file, progress, nullptr);
}

} // namespace

TEST(TwoCameras, ReadAndApplyAFileOnTwoThreadsAtOnceEachOnItsOwnLine)
{
    // The Control Mode is the process's: read once, before the threads.
    MemorySettings common;
    common.ints[kControlMode] = 0;
    SetSettingsStore(&common);
    ControlMode::ForgetForTest();
    ControlMode::Get();

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("two-cameras-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    Side sides[2] = {{"KT-5100W-QBCL", 1111, 3333}, {"KT-5200W-QBCL", 2222, 4444}};
    std::string files[2];
    for (int i = 0; i < 2; ++i) {
        Side& side = sides[i];
        ASSERT_TRUE(side.sim.Start({"--model", side.model, "--set", "PE=" + std::to_string(side.exposure)}))
            << side.sim.Error();
        side.settings.ports["COM1"] = side.sim.DevicePath();
        side.camera = std::make_unique<Camera>(&side.settings);
        side.camera->Notice().SetTarget(&side.notice);
        side.camera->Events().SetTranscriptSink([&side](const std::string& line) {
            if (line.rfind("Tx: ", 0) == 0)
                side.sent.push_back(line.substr(4));
        });
        ASSERT_EQ(side.camera->Link().Open(0, 115200, 0), 1);
        files[i] = (dir / ("camera" + std::to_string(i) + ".cam")).string();
        std::ofstream(files[i], std::ios::binary) << "PE=" << side.applied << "\r\nGA=" << 150 + i << "\r\n";
    }

    std::thread first(work, std::ref(sides[0]), files[0]);
    std::thread second(work, std::ref(sides[1]), files[1]);
    first.join();
    second.join();

    for (Side& side : sides) {
        SCOPED_TRACE(side.model);
        EXPECT_TRUE(side.connected && side.read);
        EXPECT_TRUE(side.loaded.complete);
        EXPECT_EQ(side.loaded.refused, 0);
        EXPECT_TRUE(side.notice.messages.empty()) << side.notice.messages.front().text;
        EXPECT_EQ(side.camera->Model().modelName, side.model);
        EXPECT_EQ(side.seen, side.exposure);
        EXPECT_EQ(side.camera->Table().GetDataValue(CtrlId::ExposureTime), side.applied);
        side.camera.reset(); // the simulator's log is complete once the line is closed
        const Lines received = side.sim.Received();
        EXPECT_GT(received.size(), 100u);
        EXPECT_EQ(received, side.sent);
    }
    SetSettingsStore(nullptr);
    std::filesystem::remove_all(dir);
}
