// How close the complete reading of the camera comes to the line's own speed, beside bare
// clients that send the very same lines, how much ser2net in between costs, and how fast the
// tool starts without a camera.
//
// For each transport (the serial port on a pseudo-terminal, and Camera Link mode 3 through
// the simulated camera's libclallserial.so) and each rate (115200 and 9600 bit/s), the
// simulated camera is paced to that rate (no camera latency) and the tool in this process is
// started against it. Then, five times each: a complete reading (ReloadFromCamera, the
// progress window's closing pause left out: a deliberate wait, not transfer time), and a bare
// client that writes each of the lines that reading sent and waits until its answer's LF has
// come (poll on the pty, or the library's read). On the pty there are two bare clients: one
// writes each line at once; the other writes byte by byte with a drain after each byte, as the
// tool's serial port does, and is the floor the tool's serial port is judged against. Then the
// same reading goes through a real ser2net on loopback in front of the same pty, by raw TCP
// and by RFC 2217, each compared with the tool directly on the pty.
//
// The wire-time limit is every byte of the reading's traffic both ways, 10 bits each, at the
// rate, counted from the camera's log. Figures are ratios to that limit: min / median / max of
// five runs, once for the whole call (progress window and all) and once for the exchanges
// alone, from the first line's arrival to the forming of the last answer by the camera's log,
// against the wire time of that span.
//
// Run: bench_reload [--bin DIR] [--baud N]...   (DIR holds lumora-camsim and lib/, default this
// program's folder; --baud replaces the two rates). The ser2net paths need ser2net (scripts/setup).
#include "BenchTraffic.h"
#include "ClSerialApi.h"
#include "CommLink.h"
#include "ControlMode.h"
#include "MainWindow.h"
#include "Program.h"
#include "ProgressBarWindow.h"
#include "ReadingCamera.h"
#include "Ser2netProcess.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 5;

std::string selfPath()
{
    char self[PATH_MAX] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    return n > 0 ? std::string(self, size_t(n)) : std::string();
}

long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

class LibraryClient : public BareClient {
public:
    explicit LibraryClient(const std::string& library)
    {
        m_handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_handle)
            return;
        auto* init = reinterpret_cast<ClSerialInitFn*>(dlsym(m_handle, "clSerialInit"));
        m_read = reinterpret_cast<ClSerialReadFn*>(dlsym(m_handle, "clSerialRead"));
        m_write = reinterpret_cast<ClSerialWriteFn*>(dlsym(m_handle, "clSerialWrite"));
        m_close = reinterpret_cast<ClSerialCloseFn*>(dlsym(m_handle, "clSerialClose"));
        if (!init || !m_read || !m_write || !m_close || init(0, &m_ref) != kClNoError)
            m_ref = nullptr;
    }
    ~LibraryClient() override
    {
        if (m_ref)
            m_close(m_ref);
        if (m_handle)
            dlclose(m_handle);
    }
    bool ok() const { return m_ref != nullptr; }
    bool exchange(const std::string& line) override
    {
        std::string out = line + "\r\n";
        uint32_t n = uint32_t(out.size());
        if (m_write(m_ref, out.data(), &n, 500) != kClNoError)
            return false;
        const auto end = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < end) {
            char byte = 0;
            uint32_t one = 1;
            if (m_read(m_ref, &byte, &one, 10) == kClNoError && one == 1 && byte == '\n')
                return true;
        }
        return false;
    }

private:
    void* m_handle = nullptr;
    hSerRef m_ref = nullptr;
    ClSerialReadFn* m_read = nullptr;
    ClSerialWriteFn* m_write = nullptr;
    ClSerialCloseFn* m_close = nullptr;
};

struct Tool {
    MemorySettings settings;
    ScopedRecordingNotice notices;
    std::unique_ptr<Program> program;
    MainWindow* window = nullptr;

    void start(unsigned mode, const std::string& device, uint32_t baud)
    {
        settings.ints[kCommunicationMode] = mode;
        settings.ints[kComPortNo] = 0;
        settings.ints[kClVer11DllIndex] = 0;
        settings.ints[kBaudrate] = baud ? baud : 115200;
        settings.ints[kControlMode] = 1;
        settings.ints[kShutdownStatus] = 1;
        settings.ports["COM1"] = device;
        SetSettingsStore(&settings);
        ControlMode::ForgetForTest();
        program = std::make_unique<Program>();
        window = &program->Window();
        window->show();
        QApplication::processEvents();
    }
    ~Tool()
    {
        program.reset();
        SetSettingsStore(nullptr);
    }
};

struct Figures {
    double min, median, max;
};

Figures figures(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

// Each run of one client: the whole call's seconds and its ratio to the wire time, and the
// exchanges alone as the camera saw them against the wire time of the same span.
struct Runs {
    std::vector<double> seconds, whole, span;

    void add(double s, const Traffic& traffic, uint32_t baud)
    {
        const double bitTime = 10.0 / double(baud);
        seconds.push_back(s);
        whole.push_back(s / (double(traffic.bytes) * bitTime));
        span.push_back(traffic.span / (double(traffic.spanBytes) * bitTime));
    }
    double median() const { return figures(whole).median; }
};

void setEnv(const char* name, const std::string& value)
{
    setenv(name, value.c_str(), 1);
}

void clearLog(const std::string& log)
{
    std::ofstream(log, std::ios::trunc).close(); // the simulator appends after this
}

// The tool's complete reading, kRuns times, with COM1 mapped to `device` (a device path or a
// network address); the lines of the last run are left in `lines`. The link is closed after.
bool timeTool(unsigned mode, const std::string& device, uint32_t baud, const std::string& log, Runs& runs,
              std::vector<std::string>& lines)
{
    Tool t;
    t.start(mode, device, baud);
    if (t.window->Connected() != 1) {
        std::fprintf(stderr, "the tool did not connect to %s at %u bit/s\n", device.c_str(), baud);
        return false;
    }
    ProgressBarWindow::Instance().SetClosePause(0);
    ReadingCamera& reading = *t.window->Features().Find<ReadingCamera>();
    for (int run = 0; run < kRuns; ++run) {
        clearLog(log);
        const auto begin = Clock::now();
        reading.ReloadFromCamera();
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        const Traffic traffic = readTraffic(log);
        runs.add(seconds, traffic, baud);
        lines = traffic.received;
    }
    ProgressBarWindow::Instance().SetClosePause(1000);
    for (const auto& message : t.notices.recorder.messages)
        std::fprintf(stderr, "the reading over %s said: %s\n", device.c_str(), message.text.c_str());
    return t.notices.recorder.messages.empty();
}

// A bare client sending the reading's lines, kRuns times.
bool timeClient(BareClient& client, const std::vector<std::string>& lines, uint32_t baud, const std::string& log,
                Runs& runs)
{
    for (int run = 0; run < kRuns; ++run) {
        clearLog(log);
        const auto begin = Clock::now();
        for (const std::string& line : lines)
            if (!client.exchange(line)) {
                std::fprintf(stderr, "the bare client got no answer to %s\n", line.c_str());
                return false;
            }
        runs.add(std::chrono::duration<double>(Clock::now() - begin).count(), readTraffic(log), baud);
    }
    return true;
}

void printRow(const std::string& path, uint32_t baud, const Runs& r, const std::string& compared)
{
    const Figures w = figures(r.whole), s = figures(r.span);
    std::printf("%-30s %6u %7.3f   %.3f / %.3f / %.3f   %.3f / %.3f / %.3f   %s\n", path.c_str(), baud,
                figures(r.seconds).median, w.min, w.median, w.max, s.min, s.median, s.max, compared.c_str());
}

std::string format(const char* pattern, double a, double b = 0)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// The tool against a bare client: their medians, whole call and exchanges alone.
std::string toolOver(const Runs& tool, const Runs& client)
{
    return format("tool/this %.3f, exchanges alone %.3f", tool.median() / client.median(),
                  figures(tool.span).median / figures(client.span).median);
}

// The same reading through a real ser2net on loopback in front of the pty, by raw TCP and by
// RFC 2217, against the tool directly on the pty.
int benchSer2net(const std::string& device, uint32_t baud, const std::string& log, const Runs& direct,
                 const std::vector<std::string>& lines)
{
    Ser2netProcess server;
    if (!server.Start(device)) {
        std::fprintf(stderr, "ser2net: %s\n", server.Error().c_str());
        return 1;
    }
    const double target = baud == 115200 ? 1.15 : baud == 9600 ? 1.03 : 0;
    const std::pair<std::string, std::string> paths[] = {{"ser2net raw TCP, tool", server.RawAddress()},
                                                         {"ser2net RFC 2217, tool", server.TelnetAddress()}};
    int rc = 0;
    for (const auto& [path, address] : paths) {
        Runs runs;
        std::vector<std::string> sent;
        if (!timeTool(0, address, baud, log, runs, sent)) {
            rc = 1;
        } else if (sent != lines) {
            std::fprintf(stderr, "the reading over %s sent other lines than over the pty\n", address.c_str());
            rc = 1;
        } else {
            printRow(path, baud, runs,
                     format(target > 0 ? "%.3f x the direct pty (target %.2f)" : "%.3f x the direct pty",
                            runs.median() / direct.median(), target));
        }
    }
    return rc;
}

// One transport at one rate. "pty": the tool directly on the simulator's pty and through
// ser2net (raw TCP, RFC 2217) in front of that pty, then the bare clients on the pty. "cl3": the
// tool and the bare client through the simulator's Camera Link library.
int benchReload(const std::string& bin, const std::string& transport, uint32_t baud)
{
    char folder[] = "/tmp/lumora-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string log = std::string(folder) + "/traffic.jsonl";
    const std::string libDir = bin.substr(0, bin.find_last_of('/')) + "/lib";
    const bool cl = transport != "pty";
    pid_t sim = -1;
    std::string device;
    if (cl) {
        // The simulated camera lives inside the library; it takes its options from here.
        setEnv("LUMORA_CAMSIM_LOG", log);
        setEnv("LUMORA_CAMSIM_ARGS", "--model KT-5100W-QBCL --baud " + std::to_string(baud));
        setEnv("LD_LIBRARY_PATH", libDir);
    } else {
        device = startAndReadLine({bin + "/lumora-camsim", "--log", log, "--model", "KT-5100W-QBCL", "--baud",
                                   std::to_string(baud)},
                                  sim);
        if (device.empty()) {
            std::fprintf(stderr, "lumora-camsim did not start from %s\n", bin.c_str());
            return 1;
        }
    }
    int rc = 0;
    Runs tool;
    std::vector<std::string> lines;
    if (timeTool(cl ? 3u : 0u, device, baud, log, tool, lines)) {
        printRow(transport + ", tool", baud, tool, "(" + std::to_string(lines.size()) + " exchanges)");
        if (cl) {
            LibraryClient library(libDir + "/libclallserial.so");
            Runs bare;
            if (library.ok() && timeClient(library, lines, baud, log, bare))
                printRow("cl3, bare client", baud, bare, toolOver(tool, bare));
            else
                rc = 1;
        } else {
            for (const bool byteWise : {false, true}) {
                PtyClient client(device, baud, byteWise);
                Runs bare;
                if (timeClient(client, lines, baud, log, bare))
                    printRow(byteWise ? "pty, bare byte by byte + drain" : "pty, bare line at once", baud, bare,
                             toolOver(tool, bare));
                else
                    rc = 1;
            }
            rc |= benchSer2net(device, baud, log, tool, lines);
        }
    } else {
        rc = 1;
    }
    if (sim > 0) {
        kill(sim, SIGTERM);
        waitpid(sim, nullptr, 0);
    }
    unsetenv("LUMORA_CAMSIM_ARGS");
    unsetenv("LUMORA_CAMSIM_LOG");
    std::remove(log.c_str());
    rmdir(folder);
    return rc;
}

// The child: the tool started without a camera; prints when its window was shown (on the
// system-wide monotonic clock) and its resident memory.
int startupChild()
{
    int argc = 1;
    char name[] = "bench_reload";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    Tool tool;
    tool.start(0, "/nonexistent/lumora-bench", 9600);
    QApplication::processEvents();
    const auto shown = Clock::now().time_since_epoch();
    std::printf("%lld %ld %d\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(shown).count()),
                residentKb(), tool.window->isVisible() ? 1 : 0);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0)
        return startupChild();

    std::string bin = selfPath().substr(0, selfPath().find_last_of('/'));
    std::vector<uint32_t> bauds;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--bin") == 0)
            bin = argv[i + 1];
        if (std::strcmp(argv[i], "--baud") == 0)
            bauds.push_back(uint32_t(std::strtoul(argv[i + 1], nullptr, 10)));
    }
    if (bauds.empty())
        bauds = {115200u, 9600u};

    std::printf("Median seconds of the whole call; ratios to the wire time, min / median / max of %d runs;\n"
                "the last column compares medians of the whole call (and of the exchanges alone).\n"
                "%-30s %6s %7s   %-21s   %-21s\n",
                kRuns, "path", "bit/s", "time s", "whole call", "exchanges alone");
    int rc = 0;
    {
        QApplication app(argc, argv);
        for (const char* transport : {"pty", "cl3"})
            for (uint32_t baud : bauds)
                rc |= benchReload(bin, transport, baud);
        std::printf("resident memory after the readings: %ld kB\n", residentKb());
    }

    // Start-up without a camera, in a fresh process, best of three.
    double best = 1e9;
    long rss = 0;
    for (int run = 0; run < 3; ++run) {
        pid_t child = -1;
        const auto begin = Clock::now();
        const std::string line = startAndReadLine({selfPath(), "--startup-child"}, child);
        waitpid(child, nullptr, 0);
        long long shownUs = 0;
        int visible = 0;
        if (std::sscanf(line.c_str(), "%lld %ld %d", &shownUs, &rss, &visible) != 3 || !visible) {
            std::fprintf(stderr, "the start-up child failed: %s\n", line.c_str());
            return 1;
        }
        const double seconds =
            (double(shownUs) - double(std::chrono::duration_cast<std::chrono::microseconds>(
                                          begin.time_since_epoch()).count())) / 1e6;
        best = std::min(best, seconds);
    }
    std::printf("start-up without a camera: window shown %.3f s after the process started "
                "(best of 3), resident memory %ld kB\n", best, rss);
    return rc;
}
