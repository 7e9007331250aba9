// The test helper itself: bytes cross the pair both ways unchanged, reads give up at their
// time-out with what came, a closed master is a hang-up on the slave side.
#include "PtyPeer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

TEST(PtyPeer, StandsInForTheDeviceAtTheFarEnd)
{
    PtyPeer peer;
    ASSERT_TRUE(peer.IsOpen());
    int fd = open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "GA=100\r\nAB", 10), 10);
    EXPECT_EQ(peer.ReadUntil('\n', 2000), "GA=100\r\n");
    EXPECT_EQ(peer.Read(5, 50), "AB");
    EXPECT_EQ(peer.ReadAvailable(), "");

    const std::string bytes("COMPLETE\r\n\x00\xff", 12);
    ASSERT_TRUE(peer.Write(bytes));
    std::string got(32, '\0');
    pollfd p{fd, POLLIN, 0};
    ASSERT_GT(poll(&p, 1, 2000), 0);
    got.resize(static_cast<size_t>(read(fd, got.data(), got.size())));
    EXPECT_EQ(got, bytes);

    peer.CloseMaster();
    EXPECT_FALSE(peer.Write("x"));
    ASSERT_EQ(poll(&p, 1, 2000), 1);
    EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
    close(fd);
}
