// A serial device the user may not open: the open fails with the CreateFile message and a
// further line telling why and what to do. The device is a pseudo-terminal whose owner and
// mode are set here; a child process opens it as a user other than its owner (as root the
// child drops to an unprivileged uid, since root opens anything).
#include "PtyPeer.h"
#include "SerialPort.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kOtherUser = 65534; // owns the device
constexpr uid_t kOpeningUser = 4242; // opens it: no name, no groups

// The text of the message box that opening COM1 shows in a child process, as kOpeningUser
// when this process is root.
std::string OpenAsOtherUser(const std::string& device)
{
    int out[2];
    if (pipe(out) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kOpeningUser) != 0 || setuid(kOpeningUser) != 0))
            _exit(2);
        MemorySettings settings;
        settings.ports["COM1"] = device;
        SetSettingsStore(&settings);
        ScopedRecordingNotice notice;
        SerialPort port;
        const std::string text = port.Open("COM1", 9600, 8, 0, 0, 0) || notice.recorder.messages.empty()
                                     ? "opened without a word"
                                     : notice.recorder.messages.back().text;
        _exit(write(out[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 3);
    }
    close(out[1]);
    std::string text(4096, '\0');
    text.resize(size_t(std::max<ssize_t>(0, read(out[0], text.data(), text.size()))));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "child failed";
}

} // namespace

TEST(SerialPermissions, ARefusedOpenSaysWhoMayUseTheDeviceAndWhatToDo)
{
    const group* dialout = getgrnam("dialout");
    ASSERT_NE(dialout, nullptr) << "Debian names its serial devices' group dialout";
    const struct {
        mode_t mode;
        const char* advice; // what the further line must tell the operator to do
    } cases[] = {
        {0660, "sudo usermod -aG dialout "}, // the group may use it: join the group
        {0600, "MODE=\"0660\""},              // only the owner may: an administrator must open it up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.advice);
        PtyPeer device;
        ASSERT_TRUE(device.IsOpen());
        const std::string path = device.SlavePath();
        if (geteuid() == 0) {
            ASSERT_EQ(chown(path.c_str(), kOtherUser, dialout->gr_gid), 0);
            ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        } else if (c.mode == 0600) {
            ASSERT_EQ(chmod(path.c_str(), 0), 0); // its owner is this user: refuse everyone
        } else {
            continue; // a user cannot give a device to another owner and group
        }

        const std::string text = OpenAsOtherUser(path);
        const std::string fixed = "Failed to initialize COM1 port!\nError in CreateFile()\n";
        ASSERT_EQ(text.substr(0, fixed.size()), fixed) << text;
        EXPECT_NE(text.find(path + ": Permission denied\n"), std::string::npos) << text;
        EXPECT_NE(text.find(c.advice), std::string::npos) << text;
    }
}
