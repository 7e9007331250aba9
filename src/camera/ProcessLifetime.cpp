#include "ProcessLifetime.h"

#include "CommLink.h"
#include "ControlMode.h"
#include "SettingsStore.h"

void ApplyShutdownFallback(CommLink& link)
{
    if (!Settings().WasPreviousShutdownNormal())
        link.SetMode(0);
}

void WriteProcessEndSettings(CommLink& link)
{
    link.SaveSettings();
    ControlMode::SaveIfLoaded();
    Settings().MarkNormalShutdown();
}
