#pragma once
// The Control Mode: 0 normal, 1 factory. Loaded from the settings ("Control Mode") on first
// use, kept in memory for the rest of the run, written back at process end when it was
// loaded in this run.
#include <cstdint>

class ControlMode {
public:
    static constexpr uint32_t kNormal = 0;
    static constexpr uint32_t kFactory = 1;

    static uint32_t Get();
    static bool IsFactory() { return Get() == kFactory; }
    static void Set(uint32_t mode);
    // The process-end write; nothing when the mode was never used in this run.
    static void SaveIfLoaded();
    // Test seam: forget the loaded value so the next Get reads the settings again.
    static void ForgetForTest();

private:
    static void load();
};
