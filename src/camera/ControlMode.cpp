#include "ControlMode.h"

#include "SettingsStore.h"

namespace {
bool g_loaded = false;
uint32_t g_mode = ControlMode::kNormal;
} // namespace

void ControlMode::load()
{
    if (!g_loaded) {
        Settings().ReadInt(kControlMode, g_mode, kNormal);
        g_loaded = true;
    }
}

uint32_t ControlMode::Get()
{
    load();
    return g_mode;
}

void ControlMode::Set(uint32_t mode)
{
    g_loaded = true;
    g_mode = mode;
}

void ControlMode::SaveIfLoaded()
{
    if (g_loaded)
        Settings().WriteInt(kControlMode, g_mode);
}

void ControlMode::ForgetForTest()
{
    g_loaded = false;
    g_mode = kNormal;
}
