// The network port on POSIX sockets: getaddrinfo for the host, a non-blocking connect bounded
// in time.
#include "NetworkPort.h"

#include "Deadline.h"
#include "SettingsStore.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

struct NetworkPort::Platform {
    int fd = -1;
};

namespace {

constexpr uint32_t kConnectTimeoutMs = 3000;  // also the bound on the port settings' answer
constexpr auto kSendTimeout = std::chrono::milliseconds(20000);
constexpr auto kRetryPause = std::chrono::milliseconds(100);

std::string reason(int error)
{
    return std::strerror(error);
}

// Connects to one resolved address before the deadline; the socket, or -1 with errno set.
int connectTo(const addrinfo& ai, const Deadline& deadline)
{
    int fd = socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol);
    if (fd < 0)
        return -1;
    if (connect(fd, ai.ai_addr, ai.ai_addrlen) != 0 && errno != EINPROGRESS) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    pollfd p{fd, POLLOUT, 0};
    int ready = 0;
    do
        ready = poll(&p, 1, static_cast<int>(deadline.left().count()));
    while (ready < 0 && errno == EINTR);
    int error = ETIMEDOUT;
    socklen_t length = sizeof error;
    if (ready > 0 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    if (error != 0) {
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Small requests and answers go out at once; a peer that vanished without a word is noticed
// within about half a minute.
void tune(int fd)
{
    const int on = 1, idle = 15, interval = 5, count = 3;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

} // namespace

NetworkPort::NetworkPort() : m_platform(std::make_unique<Platform>()) {}

NetworkPort::~NetworkPort()
{
    Close();
}

bool NetworkPort::IsOpen() const
{
    return m_platform->fd >= 0;
}

int NetworkPort::Open(const std::string& portName, uint32_t baudRate)
{
    if (IsOpen())
        Close();
    m_address = settings().PortDevice(portName);
    m_remoteBaud = 0;
    m_telnet.reset();
    const std::optional<NetworkAddress> address = ParseNetworkAddress(m_address);
    if (!address)
        return failOpen("getaddrinfo()", portName,
                        m_address + ": not an address of the form tcp://HOST:PORT or rfc2217://HOST:PORT");

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    if (const int error = getaddrinfo(address->host.c_str(), address->port.c_str(), &hints, &found); error != 0)
        return failOpen("getaddrinfo()", portName,
                        m_address + ": " + (error == EAI_SYSTEM ? reason(errno) : gai_strerror(error)));
    const Deadline deadline(kConnectTimeoutMs);
    for (;;) {
        int lastError = ETIMEDOUT;
        for (const addrinfo* ai = found; ai && m_platform->fd < 0 && !deadline.passed(); ai = ai->ai_next) {
            m_platform->fd = connectTo(*ai, deadline);
            if (m_platform->fd < 0)
                lastError = errno;
        }
        if (m_platform->fd < 0) {
            freeaddrinfo(found);
            return failOpen("connect()", portName, m_address + ": " + reason(lastError));
        }
        tune(m_platform->fd);
        m_receive.restart();
        if (!address->telnet)
            break;
        bool closed = false;
        const std::string refusal = negotiate(baudRate, deadline, closed);
        if (refusal.empty())
            break;
        // ser2net turns a client away for a moment after another one left the same device;
        // a closed connection is tried again while there is time.
        if (!closed || deadline.left() < kRetryPause * 2) {
            freeaddrinfo(found);
            return failOpen("SetCommState()", portName, m_address + ": " + refusal);
        }
        close(m_platform->fd);
        m_platform->fd = -1;
        std::this_thread::sleep_for(kRetryPause);
    }
    freeaddrinfo(found);

    if (!m_reader.prepare())
        return failOpen("SetCommMask()", portName, std::string("eventfd: ") + reason(errno));
    // A hang-up or error is read: 0 bytes is a close by the server, an error a reset.
    m_reader.start(m_platform->fd, 4096, true, [this](const char* bytes, int count) { received(bytes, count); },
                   [this] { m_receive.markLost(); });
    return 1;
}

std::string NetworkPort::negotiate(uint32_t baudRate, const Deadline& deadline, bool& closed)
{
    // The remote port's settings, answered before the port counts as open; data that comes
    // meanwhile is kept.
    m_telnet = std::make_unique<TelnetCodec>(baudRate);
    std::string why = "the server closed the connection";
    closed = !sendAll(m_telnet->Opening());
    char buffer[512];
    while (!closed && m_telnet->state() == TelnetCodec::State::Negotiating) {
        pollfd p{m_platform->fd, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(deadline.left().count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return "the server did not answer the port settings in time";
        const ssize_t n = ready > 0 ? read(m_platform->fd, buffer, sizeof buffer) : -1;
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n < 0)
            why = reason(errno); // reset, mostly
        if (n > 0)
            received(buffer, static_cast<int>(n));
        closed = n <= 0 || IsLost();
    }
    if (closed)
        return why;
    m_remoteBaud = m_telnet->RemoteBaud();
    if (m_telnet->state() == TelnetCodec::State::Refused)
        return "the server does not offer port control (RFC 2217)";
    if (m_remoteBaud != baudRate)
        return "baud rate " + std::to_string(baudRate) + " not supported";
    return {};
}

void NetworkPort::Close()
{
    m_reader.stop();
    if (m_platform->fd >= 0) {
        close(m_platform->fd);
        m_platform->fd = -1;
    }
    m_receive.wakeAll();
}

bool NetworkPort::sendAll(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(m_sendMutex);
    const Deadline deadline(Deadline::Clock::now() + kSendTimeout);
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = send(m_platform->fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            m_receive.markLost(); // reset or closed: no byte will get through any more
            return false;
        }
        if (deadline.passed())
            return false;
        pollfd p{m_platform->fd, POLLOUT, 0};
        poll(&p, 1, static_cast<int>(deadline.left().count()));
    }
    return true;
}
