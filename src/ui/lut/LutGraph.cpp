#include "LutGraph.h"

#include <QPainter>
#include <QPen>

namespace {

constexpr int kGridDivisions = 10;
constexpr int kMarkRadius = 4;
constexpr int kCurveWidth = 2;

} // namespace

LutGraph::LutGraph(const LutCurve& curve, int channel, QWidget* parent)
    : QWidget(parent), m_curve(curve), m_color(ChannelColor(channel))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAccessibleName(QStringLiteral("LUT curve"));
    setFixedSize(LutCurve::kGraphSize, LutCurve::kGraphSize);
}

QColor LutGraph::ChannelColor(int channel)
{
    switch (channel) {
    case Lut::Green:
        return QColor(0, 255, 0);
    case Lut::Blue:
        return QColor(0, 0, 255);
    default:
        return QColor(255, 0, 0);
    }
}

void LutGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.setPen(QPen(GridColor(), 1));
    for (int x = 0; x < w; x += w / kGridDivisions)
        painter.drawLine(x, 0, x, h);
    for (int y = h - 1; y >= 0; y -= h / kGridDivisions)
        painter.drawLine(0, y, w, y);

    // Point marks are hollow rings on a white face, so a point stays visible on the curve.
    if (m_curve.GetMode() == LutCurve::Mode::Edit) {
        painter.setBrush(Qt::white);
        for (const LutCurve::Point& p : m_curve.Points())
            painter.drawEllipse(QPoint(p.x, p.y), kMarkRadius, kMarkRadius);
    }

    const std::vector<LutCurve::Point> line = m_curve.Line();
    QPolygon polyline;
    for (const LutCurve::Point& p : line)
        polyline << QPoint(p.x, p.y);
    painter.setPen(QPen(m_color, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(polyline);
}
