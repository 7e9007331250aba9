#include "FlashStatus.h"

#include "FlashAreas.h"
#include "StatusLine.h"

namespace {

QString areaName(int area)
{
    if (area == FlashAreas::kFactoryArea)
        return QStringLiteral("the factory set");
    return QStringLiteral("user set %1").arg(area);
}

void report(const QString& text)
{
    StatusLine::Instance().ReportAction(text);
}

} // namespace

void ReportAreaLoaded(int area, bool ok)
{
    report(ok ? QStringLiteral("Loaded %1").arg(areaName(area))
              : QStringLiteral("The camera did not load %1").arg(areaName(area)));
}

void ReportAreaStored(int area, bool ok)
{
    report(ok ? QStringLiteral("Stored the settings in %1").arg(areaName(area))
              : QStringLiteral("The camera did not store %1").arg(areaName(area)));
}

void ReportAllUserSetsStored(int failed)
{
    const int sets = FlashAreas::kLastUserArea - FlashAreas::kFirstUserArea + 1;
    report(failed == 0 ? QStringLiteral("Stored the settings in all %1 user sets").arg(sets)
                       : QStringLiteral("%1 of %2 user sets were not stored").arg(failed).arg(sets));
}
