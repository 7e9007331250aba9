#include "ProcessLifetime.h"

#include "AppSettings.h"
#include "CommLink.h"
#include "ControlMode.h"

void ApplyShutdownFallback()
{
    if (!AppSettings::Instance().WasPreviousShutdownNormal())
        CommLink::Instance().SetMode(0);
}

void WriteProcessEndSettings()
{
    CommLink::Instance().SaveSettings();
    ControlMode::SaveIfLoaded();
    AppSettings::Instance().MarkNormalShutdown();
}
