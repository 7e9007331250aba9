// How close the complete reading of the camera comes to the line's own speed, and how fast
// the tool starts without a camera.
//
// For 115200 and 9600 bit/s: lumora-camsim paced to that rate (no camera latency), the tool
// in this process started against it, then one more complete reading timed on its own (the
// progress window's closing pause left out: it is a deliberate wait, not transfer time). The
// wire-time limit is every byte of that reading's traffic both ways, 10 bits each, at the
// rate; the simulator's traffic log counts them. Then a fresh process of this program starts
// the tool without a camera and reports when its window is shown and its resident memory.
//
// Run: bench_reload [--bin DIR] [--baud N]...   (DIR holds lumora-camsim, default this
// program's folder; --baud replaces the two rates, 0 runs the simulator unpaced)
#include "CCtrlToolDlg.h"
#include "CProgressBarDialog.h"
#include "CommLink.h"
#include "ControlMode.h"
#include "Program.h"
#include "ReadingCamera.h"
#include "ParameterTable.h"
#include "SettingsStore.h"
#include "UserNotice.h"

#include <QApplication>

#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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

// Runs a program and returns the first line it prints; the process keeps running.
std::string startAndReadLine(const std::vector<std::string>& args, pid_t& pid)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        close(out[0]);
        dup2(out[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string line;
    char c;
    pollfd p{out[0], POLLIN, 0};
    while (poll(&p, 1, 20000) > 0 && read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(out[0]);
    return line;
}

// Bytes of the logged traffic both ways, each line with its CR LF.
long loggedBytes(const std::string& log)
{
    std::ifstream in(log);
    std::string text;
    long bytes = 0;
    while (std::getline(in, text)) {
        const size_t key = text.find("\"line\": \"");
        if (key == std::string::npos)
            continue;
        long length = 0;
        for (size_t i = key + 9; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] == '\\')
                i += text[i + 1] == 'u' ? 5 : 1;
            ++length;
        }
        bytes += length + 2;
    }
    return bytes;
}

long loggedLines(const std::string& log)
{
    std::ifstream in(log);
    std::string text;
    long lines = 0;
    while (std::getline(in, text))
        lines += text.empty() ? 0 : 1;
    return lines;
}

struct Tool {
    MemorySettings settings;
    ScopedRecordingNotice notices;
    std::unique_ptr<Program> program;
    CCtrlToolDlg* window = nullptr;

    void start(const std::string& device, uint32_t baud)
    {
        settings.ints[kCommunicationMode] = 0;
        settings.ints[kComPortNo] = 0;
        settings.ints[kBaudrate] = baud ? baud : 115200;
        settings.ints[kControlMode] = 1;
        settings.ports["COM1"] = device;
        SetSettingsStore(&settings);
        ControlMode::ForgetForTest();
        CommLink::Instance().ReloadSettingsForTest();
        program = std::make_unique<Program>();
        window = &program->Window();
        window->show();
        QApplication::processEvents();
    }
    ~Tool()
    {
        program.reset();
        CommLink::Instance().Close();
        SetSettingsStore(nullptr);
    }
};

int benchReload(const std::string& bin, uint32_t baud)
{
    char folder[] = "/tmp/lumora-bench-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string log = std::string(folder) + "/traffic.jsonl";
    pid_t sim = -1;
    std::vector<std::string> args = {bin + "/lumora-camsim", "--log", log, "--model", "KT-5100W-QBCL"};
    if (baud) {
        args.push_back("--baud");
        args.push_back(std::to_string(baud));
    }
    const std::string device = startAndReadLine(args, sim);
    if (device.empty()) {
        std::fprintf(stderr, "lumora-camsim did not start from %s\n", bin.c_str());
        return 1;
    }
    int rc = 0;
    {
        Tool tool;
        const auto startupBegin = Clock::now();
        tool.start(device, baud);
        const double startupS = std::chrono::duration<double>(Clock::now() - startupBegin).count();
        if (tool.window->Connected() != 1) {
            std::fprintf(stderr, "the tool did not connect at %u bit/s\n", baud);
            rc = 1;
        } else {
            CProgressBarDialog::Instance().SetClosePause(0);
            std::ofstream(log, std::ios::trunc).close(); // the simulator appends after this
            const auto begin = Clock::now();
            tool.window->Features().Find<ReadingCamera>()->ReloadFromCamera();
            const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
            const long bytes = loggedBytes(log);
            const double limit = baud ? double(bytes) * 10.0 / double(baud) : 0.0;
            const long exchanges = loggedLines(log) / 2;
            std::printf("%7u bit/s: reload %.3f s, wire-time limit %.3f s (%ld bytes, %ld exchanges), ratio %.3f,"
                        " %.2f ms per exchange above the wire time; whole start-up with its reading %.3f s\n",
                        baud, seconds, limit, bytes, exchanges, limit > 0 ? seconds / limit : 0.0,
                        1000.0 * (seconds - limit) / double(exchanges ? exchanges : 1), startupS);
            // The read loop on its own (progress window, one query per row, dispatch).
            std::ofstream(log, std::ios::trunc).close();
            const auto walkBegin = Clock::now();
            tool.window->Features().Find<ReadingCamera>()->ReadAllParameters();
            const double walk = std::chrono::duration<double>(Clock::now() - walkBegin).count();
            const double walkLimit = baud ? double(loggedBytes(log)) * 10.0 / double(baud) : 0.0;
            std::printf("%7u bit/s: read loop alone %.3f s, wire-time limit %.3f s, ratio %.3f\n", baud, walk,
                        walkLimit, walkLimit > 0 ? walk / walkLimit : 0.0);
            CProgressBarDialog::Instance().SetClosePause(1000);
        }
    }
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
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
    tool.start("/nonexistent/lumora-bench", 9600);
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

    int rc = 0;
    {
        QApplication app(argc, argv);
        for (uint32_t baud : bauds)
            rc |= benchReload(bin, baud);
        std::printf("resident memory after a connected start-up and two readings: %ld kB\n", residentKb());
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
