// Command exchange round trips against a device on a pseudo-terminal that paces its answers
// to a real line: an answer's LF leaves the device no earlier than the request and the answer
// would take on the wire (10 bits per byte) after the request's first byte arrived. Reports
// exchanges per second and the ratio of measured time to that wire-time limit, the cost of
// writing a line, and the CPU the idle receive loop uses.
//
//   bench_exchange [--count9600 N] [--count115200 N] [--idle-seconds S]
#include "Camera.h"
#include "CommLink.h"
#include "Command.h"
#include "CommandTable.h"
#include "SettingsStore.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <numeric>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/prctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#if __has_include(<QCoreApplication>)
#include "ReceiveTimer.h"
#include <QCoreApplication>
#include <QTimer>
#define BENCH_WITH_QT 1
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The device end of the line: answers "XX?" with "XX=100" and settings with "COMPLETE".
class PacedDevice {
public:
    PacedDevice()
    {
        char name[128] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            std::perror("openpty");
            std::exit(1);
        }
        termios t{};
        tcgetattr(m_slave, &t);
        cfmakeraw(&t);
        tcsetattr(m_slave, TCSANOW, &t);
        m_path = name;
        if (pipe(m_wake) != 0) {
            std::perror("pipe");
            std::exit(1);
        }
    }

    ~PacedDevice()
    {
        Stop();
        close(m_master);
        close(m_slave);
        close(m_wake[0]);
        close(m_wake[1]);
    }

    const std::string& SlavePath() const { return m_path; }

    // How much later than its line time the device itself answered, summed: the part of an
    // exchange's time that a busy machine adds on the device's side, not the program's.
    void ResetLateness() { m_lateNs = 0; }
    double LatenessSeconds() const { return m_lateNs.load() / 1e9; }
    Clock::time_point FirstByteAt() const { return Clock::time_point(Clock::duration(m_firstAt.load())); }
    Clock::time_point ReplyWrittenAt() const { return Clock::time_point(Clock::duration(m_replyAt.load())); }

    // Throws away whatever the program wrote while the device was not answering.
    void Drain()
    {
        char buffer[512];
        pollfd p{m_master, POLLIN, 0};
        while (poll(&p, 1, 0) > 0 && read(m_master, buffer, sizeof buffer) > 0) {
        }
    }

    void Start(uint32_t baud)
    {
        Stop();
        m_baud = baud;
        m_thread = std::thread([this] { Run(); });
    }

    void Stop()
    {
        if (!m_thread.joinable())
            return;
        char b = 1;
        (void)!write(m_wake[1], &b, 1);
        m_thread.join();
        (void)!read(m_wake[0], &b, 1);
    }

private:
    void Run()
    {
        // The device is test equipment: it keeps its own timing tight.
        prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
        std::string line;
        Clock::time_point first;
        char buffer[256];
        for (;;) {
            pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0)
                continue;
            if (fds[1].revents)
                return;
            ssize_t n = read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            const auto now = Clock::now();
            for (ssize_t i = 0; i < n; ++i) {
                if (line.empty())
                    first = now;
                line.push_back(buffer[i]);
                if (buffer[i] != '\n')
                    continue;
                std::string reply = Answer(line);
                // Rate 0: no pacing, to see what an exchange costs beyond the line itself.
                const auto wire = std::chrono::nanoseconds(
                    m_baud ? (line.size() + reply.size()) * 10ULL * 1000000000ULL / m_baud : 0);
                SleepUntil(first + wire);
                const auto late = Clock::now() - (first + wire);
                m_firstAt = first.time_since_epoch().count();
                m_replyAt = Clock::now().time_since_epoch().count();
                (void)!write(m_master, reply.data(), reply.size());
                m_lateNs += std::chrono::duration_cast<std::chrono::nanoseconds>(late).count();
                line.clear();
            }
        }
    }

    static std::string Answer(const std::string& line)
    {
        size_t query = line.find('?');
        if (query != std::string::npos && line.find('=') == std::string::npos)
            return line.substr(0, query) + "=100\r\n";
        return "COMPLETE\r\n";
    }

    static void SleepUntil(Clock::time_point when)
    {
        auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
        timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }

    int m_master = -1;
    int m_slave = -1;
    int m_wake[2] = {-1, -1};
    std::string m_path;
    uint32_t m_baud = 9600;
    std::atomic<int64_t> m_lateNs{0};
    std::atomic<int64_t> m_firstAt{0}; // when the last request's first byte arrived
    std::atomic<int64_t> m_replyAt{0}; // when the last reply was written
    std::thread m_thread;
};

double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

struct Result {
    double sendUs;    // median: exchange start to the request's first byte at the device
    double receiveUs; // median: reply written by the device to the exchange's return
    double perSecond;
    double ratio;       // mean exchange time / wire time
    double medianRatio; // median exchange time / wire time
    double lateRatio;   // mean time less the device's own lateness / wire time
    int failures;
};

// Runs count exchanges of one kind; the wire time counts request and reply bytes.
template <typename Exchange>
Result measure(PacedDevice& device, int count, uint32_t baud, size_t lineBytes, Exchange exchange)
{
    int failures = 0;
    exchange(); // settle: the first exchange pays for page faults and thread start-up
    std::vector<double> times, sends, receives;
    times.reserve(count);
    device.ResetLateness();
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const auto before = Clock::now();
        failures += exchange() ? 0 : 1;
        const auto after = Clock::now();
        times.push_back(std::chrono::duration<double>(after - before).count());
        sends.push_back(std::chrono::duration<double, std::micro>(device.FirstByteAt() - before).count());
        receives.push_back(std::chrono::duration<double, std::micro>(after - device.ReplyWrittenAt()).count());
    }
    std::sort(sends.begin(), sends.end());
    std::sort(receives.begin(), receives.end());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double wire = lineBytes * 10.0 / baud;
    std::sort(times.begin(), times.end());
    const double late = device.LatenessSeconds();
    return {sends[sends.size() / 2], receives[receives.size() / 2], count / seconds, seconds / count / wire, times[times.size() / 2] / wire,
            (seconds - late) / count / wire, failures};
}

double writeCostMs(CommLink& link, const std::string& line, int count)
{
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        link.Write(line);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / count;
}

} // namespace

int main(int argc, char** argv)
{
    int count9600 = 150;
    int count115200 = 1500;
    int idleSeconds = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--count9600"))
            count9600 = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--count115200"))
            count115200 = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--idle-seconds"))
            idleSeconds = std::atoi(argv[i + 1]);
    }

    PacedDevice device;
    MemorySettings settings;
    settings.ports["COM1"] = device.SlavePath();
    SetSettingsStore(&settings);
    Camera camera(&settings);
    CommLink& link = camera.Link();
    Command& command = camera.Exchange();
    const int ga = CommandTable::Instance().FindCommand("GA");

    std::printf("exchange benchmark: device paced to the line time, 10 bits per byte\n");
    std::printf("%-8s %-6s %6s %12s %9s %12s %7s %7s %s\n", "rate", "kind", "count", "exchanges/s", "wire ms",
                "measured ms", "ratio", "median", "less device lateness");
    bool met = true;
    for (uint32_t baud : {9600u, 115200u}) {
        const int count = baud == 9600 ? count9600 : count115200;
        if (link.Open(0, baud, 0) != 1) {
            std::fprintf(stderr, "cannot open %s\n", device.SlavePath().c_str());
            return 1;
        }
        device.Start(baud);
        struct Kind {
            const char* name;
            size_t bytes; // request + reply
            std::function<int()> run;
        };
        const Kind kinds[] = {
            {"query", std::strlen("GA?\r\n") + std::strlen("GA=100\r\n"),
             [&] {
                 CommandValue value;
                 return command.QueryValue(ga, value, 2500);
             }},
            {"set", std::strlen("GA=100\r\n") + std::strlen("COMPLETE\r\n"), [&] { return command.SetInt(ga, 100, 2500); }},
        };
        for (const Kind& kind : kinds) {
            Result r = measure(device, count, baud, kind.bytes, kind.run);
            const double wireMs = kind.bytes * 10.0 / baud * 1000.0;
            std::printf("%-8u %-6s %6d %12.1f %9.3f %12.3f %7.3f %7.3f %7.3f%s\n", baud, kind.name, count, r.perSecond,
                        wireMs, 1000.0 / r.perSecond, r.ratio, r.medianRatio, r.lateRatio,
                        r.failures ? "  (failures!)" : "");
            std::printf("%-8u %-6s median us: start to first byte at device %.0f, reply written to exchange done %.0f\n",
                        baud, kind.name, r.sendUs, r.receiveUs);
            met = met && r.ratio <= 1.1 && r.failures == 0;
        }
        device.Stop();
        // Writing alone: every byte is drained before the next (the serial port's rule).
        std::printf("%-8u write of an 8-byte line: %.3f ms\n", baud, writeCostMs(link, "GA=100\r\n", 200));
        device.Drain();
        command.ClearReplies();
    }
    std::printf("exchange target (ratio <= 1.1 at both rates): %s\n", met ? "met" : "NOT met");

    // The same exchanges with a device that answers at once: the time the program, the
    // port's reader thread and the pseudo-terminal add to every exchange.
    link.Open(0, 115200, 0);
    device.Start(0);
    for (int k = 0; k < 2; ++k) {
        std::vector<double> times;
        for (int i = 0; i < count115200; ++i) {
            const auto before = Clock::now();
            if (k == 0) {
                CommandValue value;
                command.QueryValue(ga, value, 2500);
            } else {
                command.SetInt(ga, 100, 2500);
            }
            times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("unpaced %-6s overhead per exchange: median %.0f us, 90th percentile %.0f us, mean %.0f us\n",
                    k == 0 ? "query" : "set", times[times.size() / 2], times[times.size() * 9 / 10],
                    std::accumulate(times.begin(), times.end(), 0.0) / times.size());
    }
    device.Stop();

    // Idle: the link open, nothing arriving, the receive timer running.
    device.Start(9600);
    link.Open(0, 9600, 0);
#ifdef BENCH_WITH_QT
    QCoreApplication app(argc, argv);
    ReceiveTimer timer(camera);
    timer.Start();
    const double cpuStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto wallStart = Clock::now();
    QTimer::singleShot(idleSeconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    timer.Stop();
    const char* how = "25 ms receive timer in a Qt event loop";
#else
    const double cpuStart = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto wallStart = Clock::now();
    const auto end = wallStart + std::chrono::seconds(idleSeconds);
    while (Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        while (command.ReceivePending()) {
        }
    }
    const char* how = "25 ms receive loop";
#endif
    const double cpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
    const double percent = 100.0 * cpu / wall;
    std::printf("idle (%s): %.1f ms CPU over %.1f s = %.3f %% of one core (target < 0.5 %%): %s\n", how,
                cpu * 1000.0, wall, percent, percent < 0.5 ? "met" : "NOT met");
    device.Stop();
    link.Close();
    SetSettingsStore(nullptr);
    return 0;
}
