// The serial port on POSIX terminal devices: termios for the line, flock and TIOCEXCL for
// exclusive use.
#include "SerialPort.h"

#include "Deadline.h"
#include "SerialDevices.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

struct SerialPort::Platform {
    int fd = -1;
};

namespace {

// A whole Write gives up when the line stays blocked this long (the port's write time-out).
constexpr auto kWriteTimeout = std::chrono::milliseconds(20000);

speed_t speedFor(uint32_t baudRate)
{
    switch (baudRate) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    default: return B0;
    }
}

tcflag_t sizeFor(uint8_t dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

std::string causeLine(const std::string& device, int error)
{
    return device + ": " + std::strerror(error);
}

} // namespace

SerialPort::SerialPort() : m_platform(std::make_unique<Platform>()) {}

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::IsOpen() const
{
    return m_platform->fd >= 0;
}

int SerialPort::failOpen(const char* step, const std::string& portName, const std::string& cause)
{
    if (m_platform->fd >= 0) {
        ioctl(m_platform->fd, TIOCNXCL);
        close(m_platform->fd);
        m_platform->fd = -1;
    }
    m_reader.stop();
    std::string text = "Failed to initialize " + portName + " port!\nError in " + step;
    if (!cause.empty())
        text += "\n" + cause;
    notice().Message(text, "", NoticeIcon::Exclamation);
    return 0;
}

int SerialPort::Open(const std::string& portName, uint32_t baudRate, uint8_t dataBits,
                     uint8_t stopBits, int32_t xonXoff, uint32_t parityCheck)
{
    if (IsOpen())
        Close();
    m_device = ResolvePortDevice(settings().PortDevice(portName));

    // The device, exclusively: TIOCEXCL keeps other openers off the tty, the lock keeps a
    // second run of this program off it even where TIOCEXCL does not apply (root).
    m_platform->fd = open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_platform->fd < 0) {
        const int error = errno;
        const std::string advice = PermissionAdvice(m_device, error);
        return failOpen("CreateFile()", portName, causeLine(m_device, error) + (advice.empty() ? "" : "\n" + advice));
    }
    if (flock(m_platform->fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        return failOpen("CreateFile()", portName,
                        error == EWOULDBLOCK ? m_device + ": in use by another program"
                                             : causeLine(m_device, error));
    }
    if (isatty(m_platform->fd))
        ioctl(m_platform->fd, TIOCEXCL);

    // The events the reader waits for: received bytes on the port and Close's wake-up.
    if (!m_reader.prepare())
        return failOpen("SetCommMask()", portName, std::string("eventfd: ") + std::strerror(errno));

    // Queue sizes belong to the tty driver here; nothing to set up.

    // Reads return at once with what is there.
    int flags = fcntl(m_platform->fd, F_GETFL);
    if (flags < 0 || fcntl(m_platform->fd, F_SETFL, flags | O_NONBLOCK) != 0)
        return failOpen("SetCommTimeouts()", portName, causeLine(m_device, errno));

    termios t{};
    if (tcgetattr(m_platform->fd, &t) != 0)
        return failOpen("GetCommState()", portName, causeLine(m_device, errno));

    // Binary mode: no line editing, echo, signals or CR/LF translation either way.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXANY | IXON | IXOFF);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= sizeFor(dataBits) | CREAD | CLOCAL;
    if (stopBits != 0) // POSIX has no one and a half; the nearer longer setting is two
        t.c_cflag |= CSTOPB;
    if (parityCheck & 1)
        t.c_iflag |= INPCK;
    else
        t.c_iflag &= ~INPCK;
    if (xonXoff == 1)
        t.c_iflag |= IXON | IXOFF;
    t.c_cc[VSTART] = 0x13;
    t.c_cc[VSTOP] = 0x11;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    speed_t speed = speedFor(baudRate);
    if (speed == B0 || cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0)
        return failOpen("SetCommState()", portName,
                        m_device + ": baud rate " + std::to_string(baudRate) + " not supported");
    // tcsetattr reports success when any part was taken; read back to be sure of the rate.
    // (Frame bits are not compared: a pseudo-terminal always reports 8N1.)
    termios applied{};
    if (tcsetattr(m_platform->fd, TCSANOW, &t) != 0)
        return failOpen("SetCommState()", portName, causeLine(m_device, errno));
    if (tcgetattr(m_platform->fd, &applied) != 0 || cfgetospeed(&applied) != speed)
        return failOpen("SetCommState()", portName, m_device + ": line settings not accepted");

    // Raise DTR. A device without modem lines (a pseudo-terminal) refuses; that is fine.
    int dtr = TIOCM_DTR;
    ioctl(m_platform->fd, TIOCMBIS, &dtr);

    m_receive.restart();
    // A hang-up or an error of the device is a lost line at once.
    m_reader.start(m_platform->fd, 256, false, [this](const char* bytes, int count) { m_receive.store(bytes, count); },
                   [this] { m_receive.markLost(); });
    return 1;
}

void SerialPort::Close()
{
    m_reader.stop();
    if (m_platform->fd >= 0) {
        ioctl(m_platform->fd, TIOCNXCL); // the exclusive flag outlives our descriptor on a shared tty
        close(m_platform->fd);
        m_platform->fd = -1;
    }
    m_receive.wakeAll();
}

int SerialPort::Write(const char* bytes, int count)
{
    if (!IsOpen() || count < 1 || IsLost())
        return 0;
    std::lock_guard<std::mutex> lock(m_writeMutex);
    const Deadline deadline(Deadline::Clock::now() + kWriteTimeout);
    for (int i = 0; i < count; ++i) {
        for (;;) {
            ssize_t n = write(m_platform->fd, bytes + i, 1);
            if (n == 1)
                break;
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return 1; // not examined: the reply will time out
            if (deadline.passed())
                return 1;
            pollfd p{m_platform->fd, POLLOUT, 0};
            poll(&p, 1, static_cast<int>(deadline.left().count()));
        }
        tcdrain(m_platform->fd); // each byte has left before the next is written
    }
    return 1;
}
