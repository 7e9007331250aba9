#include "DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

#include <cmath>

QRect dialogUnitsToPixels(const QRect& units, const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width is taken over the 52 letters and rounded to whole pixels, as the
    // Windows dialog manager does, so layouts drawn for it come out the same size here.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (letters / 26 + 1) / 2;
    const int baseY = metrics.height();
    const auto toPixels = [](int value, int base, int unitsPerBase) {
        return int(std::lround(double(value) * base / unitsPerBase));
    };
    const int left = toPixels(units.x(), baseX, 4);
    const int top = toPixels(units.y(), baseY, 8);
    const int right = toPixels(units.x() + units.width(), baseX, 4);
    const int bottom = toPixels(units.y() + units.height(), baseY, 8);
    return QRect(left, top, right - left, bottom - top);
}
