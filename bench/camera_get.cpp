// The camera layer's own cost per exchange, the figure the Python module is measured against
// (bench/python_exchange.py runs both on the same simulated camera): opens a camera object on
// a device and times N queries of one parameter, as the module's get() runs them.
//
//   bench_camera_get DEVICE [N] [MNEMONIC]   -> prints the microseconds per exchange: wall
//   time, then the CPU time of this process (all its threads)
#include "Camera.h"
#include "CommandTable.h"
#include "SettingsStore.h"
#include "Timeouts.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_camera_get DEVICE [N] [MNEMONIC]\n");
        return 2;
    }
    const int count = argc > 2 ? std::atoi(argv[2]) : 2000;
    const std::string mnemonic = argc > 3 ? argv[3] : "PE";
    MemorySettings settings;
    settings.ports["COM1"] = argv[1];
    Camera camera(&settings);
    RecordingNotice notices; // nothing is shown
    camera.Notice().SetTarget(&notices);
    if (!camera.Link().Open(0, 115200, 0) || !camera.CheckModel()) {
        std::fprintf(stderr, "no camera on %s\n", argv[1]);
        return 3;
    }
    const int command = CommandTable::Instance().FindCommand(mnemonic);
    std::string value;
    // A warm-up, as the Python side has one: first exchanges of a fresh process cost more.
    for (int i = 0; i < count / 5; ++i)
        camera.QueryRawText(command, value, Timeouts::kExchangeMs);
    const auto cpu = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
    };
    const double cpuStart = cpu();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i)
        if (!camera.QueryRawText(command, value, Timeouts::kExchangeMs)) {
            std::fprintf(stderr, "%s was not answered\n", mnemonic.c_str());
            return 3;
        }
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    std::printf("%.2f %.2f\n", took.count() / count, (cpu() - cpuStart) / count);
    return 0;
}
