// How long logging one line takes in the terminal transcript (32786 lines) and in the
// communication dialog's message list (4096 lines), empty and full. Every exchange logs its
// lines here on the user-interface thread, so a full list must cost no more than an empty one.
//
// Run: bench_logging [lines-per-sample]   (offscreen unless QT_QPA_PLATFORM says otherwise)
#include "Camera.h"
#include "CommunicationWindow.h"
#include "LineListModel.h"
#include "TerminalWindow.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double meanUs;
    double medianUs;
    double p99Us;
    double cpuUs; // this thread's CPU time per line: what the line costs without preemption
};

double threadCpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// Times `count` single additions (each followed by `after`, which may be empty).
Sample timeAdds(int count, const std::function<void(int)>& add, const std::function<void()>& after = {})
{
    std::vector<double> times;
    times.reserve(static_cast<size_t>(count));
    const double cpuStart = threadCpuUs();
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        add(i);
        if (after)
            after();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    const double cpu = (threadCpuUs() - cpuStart) / count;
    double total = 0;
    for (double t : times)
        total += t;
    std::sort(times.begin(), times.end());
    return {total / count, times[times.size() / 2], times[times.size() * 99 / 100], cpu};
}

void report(const char* what, int held, const Sample& s)
{
    std::printf("%-40s holding %5d: mean %7.2f  median %7.2f  p99 %8.2f  cpu %7.2f us\n", what, held, s.meanUs,
                s.medianUs, s.p99Us, s.cpuUs);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The dialogs touch the program's settings; keep them away from the user's own.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int perSample = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
    const std::string line = "Rx: PE=5000";

    Camera camera;
    TerminalWindow terminal(camera);
    CommunicationWindow communication(camera);

    std::printf("lines per sample: %d (target: under 50 us per line, full no slower than empty)\n"
                "times per line in microseconds: wall clock mean, median and 99th percentile, and CPU time\n\n",
                perSample);

    // Empty lists: the first additions.
    terminal.Clear();
    report("terminal AddLine, hidden", 0, timeAdds(1000, [&](int) { terminal.AddLine(line); }));
    communication.ClearMessages();
    report("message list AddMessage, hidden", 0, timeAdds(1000, [&](int) { communication.AddMessage(line); }));

    // Full lists: every addition also drops the oldest line.
    while (terminal.Transcript().count() < TerminalWindow::kMaxLines)
        terminal.AddLine(line);
    while (communication.Messages().count() < CommunicationWindow::kMaxMessages)
        communication.AddMessage(line);
    report("terminal AddLine, hidden", terminal.Transcript().count(),
           timeAdds(perSample, [&](int) { terminal.AddLine(line); }));
    report("message list AddMessage, hidden", communication.Messages().count(),
           timeAdds(perSample, [&](int) { communication.AddMessage(line); }));

    // Shown windows: each line followed by a pass of the event loop, as between two exchanges,
    // so the cost includes the view's update and the repaint of the visible rows.
    terminal.show();
    communication.show();
    QCoreApplication::processEvents();
    terminal.Clear();
    communication.ClearMessages();
    QCoreApplication::processEvents();
    const auto pass = [] { QCoreApplication::processEvents(); };
    std::printf("\n");
    report("terminal AddLine + repaint, shown", 0, timeAdds(1000, [&](int) { terminal.AddLine(line); }, pass));
    report("message list AddMessage + repaint, shown", 0,
           timeAdds(1000, [&](int) { communication.AddMessage(line); }, pass));
    while (terminal.Transcript().count() < TerminalWindow::kMaxLines)
        terminal.AddLine(line);
    while (communication.Messages().count() < CommunicationWindow::kMaxMessages)
        communication.AddMessage(line);
    QCoreApplication::processEvents();
    report("terminal AddLine + repaint, shown", terminal.Transcript().count(),
           timeAdds(perSample / 4, [&](int) { terminal.AddLine(line); }, pass));
    report("message list AddMessage + repaint, shown", communication.Messages().count(),
           timeAdds(perSample / 4, [&](int) { communication.AddMessage(line); }, pass));
    return 0;
}
