#pragma once
// Dialog units, the layout unit of dialog templates. They are tied to the dialog's font so
// that a layout keeps its proportions whatever font it runs with: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth of its height.
#include <QRect>

class QFont;

// Converts a rectangle in dialog units (x, y, width, height) to pixels for `font`. Each edge
// is converted on its own and rounded to the nearest pixel, so controls that touch in dialog
// units touch in pixels too. A negative width or height stays negative (an invalid QRect).
QRect dialogUnitsToPixels(const QRect& units, const QFont& font);
