#pragma once
// A property grid row that shows and edits its value itself, for values that the grid's own
// row kinds do not cover (PushButtonItem is one). The grid owns the object once it is added.
#include <QString>

class QPainter;
class QRect;
class QWidget;

class ICustomItem {
public:
    virtual ~ICustomItem() = default;

    // The value as text: what the grid hands out as the row's value and what is read aloud.
    virtual QString valueText() const = 0;
    // Paints the value cell; `grid` lends its style and palette. `editable` is false for a row
    // that cannot be edited.
    virtual void drawValue(QPainter& painter, const QRect& rect, const QWidget* grid, bool editable) const = 0;
    // The person clicked the value of an editable row or pressed Enter on it; `rect` is the
    // value cell in the coordinates of `area`, where an editor of the item's own may go.
    // True when the edit was accepted: the grid then reports the row as changed.
    virtual bool edit(QWidget* area, const QRect& rect) = 0;
};
