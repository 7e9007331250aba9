// How a front end beside the window (lumora-cli, the Python module) turns the port a person
// names into a link: COM names through the port map, device paths and network addresses under
// COM1, Camera Link ports by index, every unset value from the window's settings.
#include "LinkChoice.h"
#include "SettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkChoiceTest, PortsAreChosenAsGivenElseAsStored)
{
    struct Case {
        const char* what;
        LinkRequest request;
        unsigned mode, index;
        uint32_t baud;
        const char* where;
        const char* alias; // the path COM1 stands for; empty: none
    };
    const Case cases[] = {
        {"all stored", {}, 0, 2, 19200, "COM3 (/dev/ttyS2)", ""},
        {"a COM name in any case, its own mode 0", {"com7", -1, -1, -1}, 0, 6, 19200, "COM7 (/dev/ttyS6)", ""},
        {"a device path under COM1", {"/dev/ttyUSB0", 115200, -1, -1}, 0, 0, 115200, "/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"a network address under COM1", {"rfc2217://line7-pc:4001", -1, 0, -1}, 0, 0, 19200,
         "rfc2217://line7-pc:4001", "rfc2217://line7-pc:4001"},
        {"COM0 is no COM name", {"COM0", -1, -1, -1}, 0, 0, 19200, "COM0", "COM0"},
        {"a Camera Link mode, stored port", {"", -1, 2, -1}, 2, 4, 19200, "Camera Link port 4 (mode 2)", ""},
        {"a Camera Link port given", {"", 9600, 3, 1}, 3, 1, 9600, "Camera Link port 1 (mode 3)", ""},
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        settings.ints = {{kCommunicationMode, 0}, {kBaudrate, 19200}, {kComPortNo, 2}, {kCl2001DllIndex, 4}};
        const LinkChoice choice = ChooseLink(c.request, settings);
        EXPECT_EQ(choice.problem, LinkChoice::Problem::None) << c.what;
        EXPECT_EQ(choice.mode, c.mode) << c.what;
        EXPECT_EQ(choice.index, c.index) << c.what;
        EXPECT_EQ(choice.baud, c.baud) << c.what;
        EXPECT_EQ(choice.where, c.where) << c.what;
        EXPECT_EQ(choice.aliasPath, c.alias) << c.what;
        if (*c.alias)
            EXPECT_EQ(settings.ports["COM1"], c.alias) << c.what;
    }
}

TEST(LinkChoiceTest, ImpossibleRequestsAndTheAliasInMessages)
{
    MemorySettings settings;
    settings.ints[kCommunicationMode] = 7;
    EXPECT_EQ(ChooseLink({}, settings).problem, LinkChoice::Problem::ModeOutOfRange);
    EXPECT_EQ(ChooseLink({"/dev/ttyUSB0", -1, 2, -1}, settings).problem, LinkChoice::Problem::PortOutsideMode0);
    EXPECT_TRUE(settings.ports.empty()) << "nothing is mapped for a request that is not met";

    const LinkChoice choice = ChooseLink({"/tmp/cam", -1, -1, -1}, settings);
    EXPECT_EQ(choice.AsGiven("Failed to initialize COM1 port! COM10 stays, COM1."),
              "Failed to initialize /tmp/cam port! COM10 stays, /tmp/cam.");
    EXPECT_EQ(ChooseLink({"COM1", -1, -1, -1}, settings).AsGiven("COM1"), "COM1");
}

} // namespace
