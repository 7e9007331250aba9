#pragma once
// The LUT editor's 260 x 260 graph: the grid, the edit points in Edit Mode and the table's
// curve in the channel's pen. It only paints; the editor window takes the mouse (the graph
// lets mouse events through to it, as a static control does) and edits the curve.
#include "LutCurve.h"

#include <QColor>
#include <QWidget>

class LutGraph : public QWidget {
public:
    // The curve belongs to the editor and outlives this graph.
    LutGraph(const LutCurve& curve, int channel, QWidget* parent);

    // The pen of a channel: pure red, green or blue; any other channel draws in red.
    static QColor ChannelColor(int channel);
    static QColor GridColor() { return QColor(100, 50, 100); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const LutCurve& m_curve;
    QColor m_color;
};
