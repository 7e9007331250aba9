// How soon a waiting CommLink::Read returns after a byte reaches the serial line, over a
// pseudo-terminal. The reader thread must wake the sleeping reader within a millisecond;
// a polling reader would show its poll interval here.
//
// Run: bench_serial_wake [samples]
#include "Camera.h"
#include "CommLink.h"
#include "SettingsStore.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

int main(int argc, char* argv[])
{
    using Clock = std::chrono::steady_clock;
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;

    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);

    MemorySettings settings;
    settings.ports["COM1"] = name;
    SetSettingsStore(&settings);
    Camera camera(&settings);
    CommLink& link = camera.Link();
    if (link.Open(0, 115200, 0) != 1)
        return 1;

    std::atomic<Clock::rep> sentAt{0};
    std::vector<double> latencyUs;
    latencyUs.reserve(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        std::thread device([&] {
            // Give the reader time to fall asleep first.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            sentAt = Clock::now().time_since_epoch().count();
            ssize_t n = write(master, "x", 1);
            (void)n;
        });
        char byte;
        int got = link.Read(&byte, 1, 5000);
        auto returned = Clock::now().time_since_epoch().count();
        device.join();
        if (got != 1) {
            std::fprintf(stderr, "sample %d: no byte\n", i);
            return 1;
        }
        latencyUs.push_back(std::chrono::duration<double, std::micro>(Clock::duration(returned - sentAt.load())).count());
    }
    link.Close();
    SetSettingsStore(nullptr);

    std::sort(latencyUs.begin(), latencyUs.end());
    auto at = [&](double q) { return latencyUs[static_cast<size_t>(q * (latencyUs.size() - 1))]; };
    std::printf("CommLink::Read wake-up after a byte arrives (%d samples, pty)\n", samples);
    std::printf("  median %.0f us, p90 %.0f us, p99 %.0f us, max %.0f us\n", at(0.5), at(0.9), at(0.99),
                latencyUs.back());
    std::printf("  target: within 1000 us -> %s\n", at(0.99) <= 1000.0 ? "met (p99)" : "NOT met (p99)");
    return 0;
}
