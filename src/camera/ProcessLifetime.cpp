#include "ProcessLifetime.h"

#include "CommLink.h"
#include "ControlMode.h"
#include "SettingsStore.h"

void ApplyShutdownFallback()
{
    if (!Settings().WasPreviousShutdownNormal())
        CommLink::Instance().SetMode(0);
}

void WriteProcessEndSettings()
{
    CommLink::Instance().SaveSettings();
    ControlMode::SaveIfLoaded();
    Settings().MarkNormalShutdown();
}
