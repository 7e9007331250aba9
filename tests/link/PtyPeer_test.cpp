// The test helper itself: bytes cross the pair both ways, time-outs hold, a closed master
// is a hang-up on the slave side.
#include "PtyPeer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

TEST(PtyPeer, BytesCrossBothWaysUnchanged)
{
    PtyPeer peer;
    ASSERT_TRUE(peer.IsOpen());
    int fd = open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);

    ASSERT_EQ(write(fd, "GA=100\r\n", 8), 8);
    EXPECT_EQ(peer.ReadUntil('\n', 2000), "GA=100\r\n");

    ASSERT_TRUE(peer.Write(std::string("COMPLETE\r\n\x00\xff", 12)));
    char buffer[32];
    std::string got;
    while (got.size() < 12) {
        pollfd p{fd, POLLIN, 0};
        ASSERT_GT(poll(&p, 1, 2000), 0);
        ssize_t n = read(fd, buffer, sizeof buffer);
        ASSERT_GT(n, 0);
        got.append(buffer, static_cast<size_t>(n));
    }
    EXPECT_EQ(got, std::string("COMPLETE\r\n\x00\xff", 12));
    close(fd);
}

TEST(PtyPeer, ReadGivesUpAtItsTimeOutWithWhatCame)
{
    PtyPeer peer;
    int fd = open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "AB", 2), 2);
    EXPECT_EQ(peer.Read(5, 50), "AB");
    EXPECT_EQ(peer.ReadAvailable(), "");
    close(fd);
}

TEST(PtyPeer, ClosedMasterIsAHangUpForTheSlave)
{
    PtyPeer peer;
    int fd = open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    peer.CloseMaster();
    EXPECT_FALSE(peer.IsOpen());
    EXPECT_FALSE(peer.Write("x"));
    pollfd p{fd, POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 2000), 1);
    EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
    close(fd);
}
