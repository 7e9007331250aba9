// Serial ports reached over the network. First against a server of the test's own on a
// loopback port, which plays what ser2net will not: Telnet options the tool must refuse, 0xFF
// in data both ways, servers that refuse or stay silent. Then through ser2net itself in front
// of lumora-camsim's pseudo-terminal: exchanges over raw TCP and RFC 2217, a rate change that
// reaches the device's line settings, and a server that goes away mid-exchange.
#include "CamSimProcess.h"
#include "LinkTestSupport.h"
#include "NetworkPort.h"
#include "Ser2netProcess.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr char kIac = '\xFF', kDont = '\xFE', kDo = '\xFD', kWont = '\xFC', kWill = '\xFB', kSb = '\xFA', kSe = '\xF0';
constexpr char kEcho = 1, kSga = 3, kTerminalType = 24, kWindowSize = 31, kComPort = 44;

std::string cmd(char verb, char option) { return {kIac, verb, option}; }
std::string sub(const std::string& body) { return std::string{kIac, kSb, kComPort} + body + std::string{kIac, kSe}; }
bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(NetworkAddress, PartsOfGoodAndBadEntries)
{
    struct Case {
        const char* entry;
        bool telnet;
        const char* host;
        const char* port;
    };
    const Case good[] = {
        {"tcp://127.0.0.1:4001", false, "127.0.0.1", "4001"},
        {"rfc2217://line7-pc:65535", true, "line7-pc", "65535"},
        {"tcp://[::1]:1", false, "::1", "1"},
    };
    for (const Case& c : good) {
        const auto parsed = ParseNetworkAddress(c.entry);
        ASSERT_TRUE(parsed.has_value()) << c.entry;
        EXPECT_EQ(parsed->telnet, c.telnet) << c.entry;
        EXPECT_EQ(parsed->host, c.host) << c.entry;
        EXPECT_EQ(parsed->port, c.port) << c.entry;
    }
    for (const char* bad : {"tcp://line7-pc", "tcp://:4001", "tcp://line7-pc:0", "tcp://line7-pc:65536",
                            "tcp://line7-pc:40a1", "tcp://::1:4001", "rfc2217://line7-pc:", "/dev/ttyUSB0",
                            "telnet://line7-pc:23", "tcp://[]:4001"})
        EXPECT_FALSE(ParseNetworkAddress(bad).has_value()) << bad;
}

// One client at a time on a loopback port of the system's choosing.
class OwnServer {
public:
    OwnServer()
    {
        m_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(m_listen, 1);
        getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~OwnServer()
    {
        if (m_client >= 0)
            close(m_client);
        close(m_listen);
    }
    std::string Address(const char* scheme) const { return std::string(scheme) + "://127.0.0.1:" + std::to_string(m_port); }

    bool Accept()
    {
        pollfd p{m_listen, POLLIN, 0};
        if (poll(&p, 1, 5000) != 1)
            return false;
        m_client = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        return m_client >= 0;
    }
    void Send(const std::string& bytes) { ::send(m_client, bytes.data(), bytes.size(), MSG_NOSIGNAL); }
    // Everything the client sent until `wanted` came (or 5 s passed); kept for Received().
    std::string ReadUntil(const std::string& wanted)
    {
        const auto deadline = Clock::now() + 5s;
        while (!holds(m_received, wanted) && Clock::now() < deadline) {
            pollfd p{m_client, POLLIN, 0};
            if (poll(&p, 1, 100) != 1)
                continue;
            char buffer[512];
            const ssize_t n = read(m_client, buffer, sizeof buffer);
            if (n <= 0)
                break;
            m_received.append(buffer, static_cast<size_t>(n));
        }
        return m_received;
    }
    void Forget() { m_received.clear(); }

private:
    int m_listen = -1;
    int m_client = -1;
    int m_port = 0;
    std::string m_received;
};

class NetworkPortTest : public ::testing::Test, public LinkFixture {
protected:
    // COM4 mapped to the address, opened through the link as a run of the tool does.
    int OpenCom4(const std::string& address, uint32_t baud = 9600)
    {
        settings.ports["COM4"] = address;
        return link.Open(0, baud, 3);
    }
    std::string ReadLine(int timeoutMs = 3000)
    {
        std::string line;
        char c = 0;
        while (line.find('\n') == std::string::npos && link.Read(&c, 1, static_cast<uint32_t>(timeoutMs)) == 1)
            line += c;
        return line;
    }
};

// The 9600 bit/s report that ends the negotiation.
const std::string kRate9600 = sub({'\x65', 0, 0, '\x25', '\x80'});
const std::string kSettings9600 = sub({1, 0, 0, '\x25', '\x80'}) + sub({2, 8}) + sub({3, 1}) + sub({4, 1}) +
                                  sub({5, 1}) + sub({12, 3});

TEST_F(NetworkPortTest, TelnetRefusesForeignOptionsSetsThePortAndEscapesFfBothWays)
{
    OwnServer server;
    std::string negotiation;
    std::thread serverSide([&] {
        ASSERT_TRUE(server.Accept());
        server.Send(cmd(kWill, kEcho) + cmd(kDo, kTerminalType) + cmd(kDo, kWindowSize) + cmd(kWill, kSga) +
                    cmd(kDo, kComPort));
        negotiation = server.ReadUntil(kSettings9600);
        server.Send(kRate9600);
    });
    ASSERT_EQ(OpenCom4(server.Address("rfc2217")), 1) << (notices.recorder.messages.empty() ? "" : notices.recorder.messages[0].text);
    serverSide.join();
    EXPECT_TRUE(holds(negotiation, cmd(kWill, kComPort)));
    EXPECT_TRUE(holds(negotiation, kSettings9600));
    for (const std::string& refusal : {cmd(kDont, kEcho), cmd(kWont, kTerminalType), cmd(kWont, kWindowSize)})
        EXPECT_TRUE(holds(negotiation, refusal)) << "refusal missing";
    for (const std::string& consent : {cmd(kDo, kEcho), cmd(kWill, kTerminalType), cmd(kWill, kWindowSize)})
        EXPECT_FALSE(holds(negotiation, consent)) << "foreign option accepted";
    EXPECT_EQ(negotiation.find(kSettings9600) + kSettings9600.size(), negotiation.size()) << "nothing after the settings";

    // Data: 0xFF doubled on the way out, undoubled on the way in; commands within data are
    // taken out and answered.
    server.Forget();
    link.WritePacket(std::string("\xFF\x01\xFF", 3), "packet");
    EXPECT_EQ(server.ReadUntil(std::string("\xFF\xFF\x01\xFF\xFF", 5)), std::string("\xFF\xFF\x01\xFF\xFF", 5));
    server.Forget();
    server.Send(std::string("A\xFF\xFF", 3) + std::string{kIac, '\xF1'} + cmd(kDo, kTerminalType) + "B\r\n");
    EXPECT_EQ(ReadLine(), "A\xFF" "B\r\n");
    EXPECT_EQ(server.ReadUntil(cmd(kWont, kTerminalType)), cmd(kWont, kTerminalType));
    EXPECT_FALSE(link.IsLost());
}

TEST_F(NetworkPortTest, RawTcpCarriesEveryByteUntouched)
{
    OwnServer server;
    std::thread serverSide([&] { ASSERT_TRUE(server.Accept()); });
    ASSERT_EQ(OpenCom4(server.Address("tcp")), 1);
    serverSide.join();
    const std::string telnetLike = {kIac, kWill, kComPort, '\n'};
    link.WritePacket(telnetLike, "packet");
    EXPECT_EQ(server.ReadUntil(telnetLike), telnetLike);
    server.Send(telnetLike);
    EXPECT_EQ(ReadLine(), telnetLike);
}

TEST_F(NetworkPortTest, OpenFailureNamesTheAddressAndTheReason)
{
    struct Case {
        const char* what;
        const char* scheme; // nullptr: the address is given as is
        std::string answer; // what the server says once connected
        const char* address;
        const char* reason;
    };
    const Case cases[] = {
        {"port control refused", "rfc2217", cmd(kDont, kComPort), "", "does not offer port control"},
        {"another rate", "rfc2217", cmd(kDo, kComPort) + sub({'\x65', 0, 0, '\x12', '\xC0'}), "", "baud rate 9600 not supported"},
        {"silent server", "rfc2217", "", "", "did not answer the port settings in time"},
        {"nobody listens", nullptr, "", "tcp://127.0.0.1:1", "Connection refused"},
        {"no such host", nullptr, "", "rfc2217://lumora-no-such-host.invalid:4001", "rfc2217://lumora-no-such-host.invalid:4001: "},
        {"malformed", nullptr, "", "tcp://line7-pc", "not an address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        notices.recorder.Clear();
        OwnServer server;
        std::thread serverSide([&] {
            if (c.scheme && server.Accept())
                server.Send(c.answer);
        });
        const std::string address = c.scheme ? server.Address(c.scheme) : c.address;
        const auto start = Clock::now();
        EXPECT_EQ(OpenCom4(address), 0);
        EXPECT_LT(Clock::now() - start, 4s);
        serverSide.join();
        EXPECT_FALSE(link.ActiveTransport()->IsOpen());
        ASSERT_EQ(notices.recorder.messages.size(), 1u);
        const std::string& text = notices.recorder.messages[0].text;
        EXPECT_TRUE(holds(text, "Failed to initialize COM4 port!\nError in ")) << text;
        EXPECT_TRUE(holds(text, address + ": ")) << text;
        EXPECT_TRUE(holds(text, c.reason)) << text;
    }
}

// The camera behind ser2net: COM4 mapped to either of its ports.
class Ser2netTest : public NetworkPortTest {
protected:
    void SetUp() override
    {
        if (Ser2netProcess::Program().empty())
            GTEST_SKIP() << "ser2net is not installed (scripts/setup installs it)";
        ASSERT_TRUE(camera.Start({})) << camera.Error();
        ASSERT_TRUE(server.Start(camera.DevicePath())) << server.Error();
    }
    std::string Ask(const std::string& query)
    {
        link.Write(query + "\r\n");
        return ReadLine();
    }

    CamSimProcess camera;
    Ser2netProcess server;
};

TEST_F(Ser2netTest, ExchangesOverRawTcpAndRfc2217)
{
    for (const std::string& address : {server.RawAddress(), server.TelnetAddress()}) {
        SCOPED_TRACE(address);
        ASSERT_EQ(OpenCom4(address), 1) << (notices.recorder.messages.empty() ? "" : notices.recorder.messages[0].text);
        EXPECT_EQ(link.SelectedPortText(), "COM4 (" + address + ")");
        EXPECT_TRUE(Ask("MD?").rfind("MD=KT-5", 0) == 0);
        EXPECT_EQ(Ask("PE=1234"), "COMPLETE\r\n");
        EXPECT_EQ(Ask("PE?"), "PE=1234\r\n");
        link.Close();
    }
}

TEST_F(Ser2netTest, Rfc2217RateChangeReachesTheDevice)
{
    ASSERT_EQ(OpenCom4(server.TelnetAddress(), 9600), 1);
    EXPECT_EQ(camera.DeviceBaud(), 9600u);
    for (const uint32_t rate : {115200u, 19200u}) {
        ASSERT_EQ(link.ChangeBaudRate(rate), 1) << rate;
        EXPECT_EQ(camera.DeviceBaud(), rate) << rate;
        EXPECT_TRUE(Ask("MD?").rfind("MD=KT-5", 0) == 0) << rate;
    }
}

TEST_F(Ser2netTest, ServerStoppedMidExchangeLosesTheLink)
{
    for (const bool telnet : {false, true}) {
        SCOPED_TRACE(telnet ? "rfc2217" : "tcp");
        if (telnet) { // the raw pass stopped it
            ASSERT_TRUE(server.Start(camera.DevicePath())) << server.Error();
        }
        ASSERT_EQ(OpenCom4(telnet ? server.TelnetAddress() : server.RawAddress()), 1);
        ArrivalWatch watch(*link.ActiveTransport());
        link.Write("MD?\r\n");
        server.Stop();
        EXPECT_TRUE(watch.WaitFor([&] { return link.IsLost(); }, 3s));
        const auto start = Clock::now();
        char rest[64];
        link.Read(rest, sizeof rest, 300);
        EXPECT_LT(Clock::now() - start, 1s);
        EXPECT_EQ(link.ActiveTransport()->Write("MD?\r\n", 5), 0);
        link.Close();
    }
}

} // namespace
