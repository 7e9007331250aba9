// How close the LUT transfers come to the line's own speed: reading all three tables ("Load
// all LUT table", 96 queries) and writing all three (96 settings) through the tool, beside a
// bare client that sends the same lines on the same device with nothing but write() and
// poll(), so the simulator's own pacing cost shows apart from the tool's.
//
// For 115200 and 9600 bit/s: lumora-camsim paced to that rate, the tool in this process
// started against it, each transfer timed on its own (the progress window's closing pause
// left out: it is a deliberate wait, not transfer time). The wire-time limit is every byte of
// the transfer's traffic both ways, 10 bits each, at the rate; the simulator's traffic log
// counts them. Target: at most 1.15 times the wire time at 115200 bit/s.
//
// It also times what one mouse movement costs the editor with 15 points (the most the mouse
// lays): the table computed again from the curve and the graph repainted.
//
// Run: bench_lut [--bin DIR] [--baud N]...   (DIR holds lumora-camsim, default this program's
// folder; --baud replaces the two rates)
#include "BenchTraffic.h"
#include "Camera.h"
#include "CommLink.h"
#include "ControlMode.h"
#include "LutEditorWindow.h"
#include "LutFeature.h"
#include "LutGraph.h"
#include "MainWindow.h"
#include "Program.h"
#include "ProgressBarWindow.h"
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
#include <functional>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string selfFolder()
{
    char self[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string path = n > 0 ? std::string(self, size_t(n)) : std::string();
    return path.substr(0, path.find_last_of('/'));
}

struct Measure {
    double seconds;
    double wire;
};

// Times the work and takes its wire time from the traffic it left in the log.
Measure timed(const std::string& log, uint32_t baud, const std::function<bool()>& work, bool& ok)
{
    std::ofstream(log, std::ios::trunc).close(); // the simulator appends after this
    const auto begin = Clock::now();
    ok = work() && ok;
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    return {seconds, double(readTraffic(log).bytes) * 10.0 / double(baud)};
}

void report(const char* what, uint32_t baud, const Measure& tool, const Measure& bare)
{
    std::printf("%7u bit/s  %-22s tool %.3f s (ratio %.3f)   bare client %.3f s (ratio %.3f)   wire %.3f s\n", baud,
                what, tool.seconds, tool.seconds / tool.wire, bare.seconds, bare.seconds / bare.wire, tool.wire);
}

int benchLut(const std::string& bin, uint32_t baud, bool& targetMet)
{
    char folder[] = "/tmp/lumora-bench-lut-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string log = std::string(folder) + "/traffic.jsonl";
    pid_t sim = -1;
    const std::string device = startAndReadLine(
        {bin + "/lumora-camsim", "--log", log, "--model", "KT-5100W-QBCL", "--baud", std::to_string(baud)}, sim);
    if (device.empty()) {
        std::fprintf(stderr, "lumora-camsim did not start from %s\n", bin.c_str());
        return 1;
    }
    bool ok = true;
    Measure readTool{}, writeTool{}, readBare{}, writeBare{};
    {
        MemorySettings settings;
        ScopedRecordingNotice notices;
        settings.ints[kCommunicationMode] = 0;
        settings.ints[kComPortNo] = 0;
        settings.ints[kBaudrate] = int(baud);
        settings.ints[kControlMode] = 0;
        settings.ports["COM1"] = device;
        SetSettingsStore(&settings);
        ControlMode::ForgetForTest();
        {
            auto program = std::make_unique<Program>();
            program->Window().show();
            QApplication::processEvents();
            if (program->Window().Connected() != 1) {
                std::fprintf(stderr, "the tool did not connect at %u bit/s\n", baud);
                ok = false;
            } else {
                ProgressBarWindow::Instance().SetClosePause(0);
                LutFeature& lut = *program->Window().Features().Find<LutFeature>();
                readTool = timed(log, baud, [&] { return lut.LoadAll(); }, ok);
                writeTool = timed(log, baud, [&] {
                    bool all = true;
                    for (int c = 0; c < Lut::kChannels; ++c)
                        all = lut.Editor(c).WriteToCamera(c) && all;
                    return all;
                }, ok);
                ProgressBarWindow::Instance().SetClosePause(1000);
                ok = ok && notices.recorder.messages.empty();
            }
        }
        SetSettingsStore(nullptr);
    }
    if (ok) {
        PtyClient bare(device, baud);
        static const char* const kRuns[] = {"LUTSR", "LUTSG", "LUTSB"};
        readBare = timed(log, baud, [&] {
            bool all = true;
            for (const char* run : kRuns)
                for (int j = 0; j < Lut::kEntries; ++j)
                    all = bare.exchange(std::string(run) + "?") && all;
            return all;
        }, ok);
        writeBare = timed(log, baud, [&] {
            bool all = true;
            for (const char* run : kRuns)
                for (int j = 0; j < Lut::kEntries; ++j)
                    all = bare.exchange(std::string(run) + "=" + std::to_string(Lut::InputLevel(j))) && all;
            return all;
        }, ok);
        report("read all three tables", baud, readTool, readBare);
        report("write all three tables", baud, writeTool, writeBare);
        if (baud == 115200)
            targetMet = targetMet && readTool.seconds <= 1.15 * readTool.wire && writeTool.seconds <= 1.15 * writeTool.wire;
    }
    kill(sim, SIGTERM);
    waitpid(sim, nullptr, 0);
    std::remove(log.c_str());
    rmdir(folder);
    if (!ok)
        std::fprintf(stderr, "a transfer at %u bit/s did not complete\n", baud);
    return ok ? 0 : 1;
}

// One mouse movement's work with 15 points, the mean over many movements, in milliseconds.
double mouseMoveMs()
{
    Camera camera;
    LutEditorWindow editor(camera, Lut::Green);
    editor.Initialize();
    editor.show();
    LutCurve& curve = editor.Curve();
    for (int i = 1; i <= 13; ++i)
        curve.MouseMove(LutCurve::Button::Left, 18 * i, i % 2 ? 60 : 200);
    constexpr int kMoves = 400;
    const auto begin = Clock::now();
    for (int i = 0; i < kMoves; ++i) {
        curve.MouseMove(LutCurve::Button::Left, 18 + i % 8, 60 + i % 8); // drags the first inner point
        editor.Graph()->repaint();
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - begin).count() / kMoves;
}

} // namespace

int main(int argc, char* argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string bin = selfFolder();
    std::vector<uint32_t> bauds;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--bin") == 0)
            bin = argv[i + 1];
        if (std::strcmp(argv[i], "--baud") == 0)
            bauds.push_back(uint32_t(std::strtoul(argv[i + 1], nullptr, 10)));
    }
    if (bauds.empty())
        bauds = {115200u, 9600u};

    QApplication app(argc, argv);
    int rc = 0;
    bool targetMet = true;
    for (uint32_t baud : bauds)
        rc |= benchLut(bin, baud, targetMet);
    std::printf("editor: one mouse movement with 15 points (table and repaint) %.3f ms\n", mouseMoveMs());
    std::printf("LUT transfer target (at most 1.15 x the wire time at 115200 bit/s): %s\n",
                targetMet ? "met" : "NOT met");
    return rc;
}
