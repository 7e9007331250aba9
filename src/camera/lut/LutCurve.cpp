#include "LutCurve.h"

#include "NaturalSpline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int64_t kNoDistance = 999999;

} // namespace

LutCurve::LutCurve()
{
    Clear();
}

void LutCurve::Clear()
{
    m_points = {{0, kBottom}, {kGraphSize, 0}};
    m_mode = Mode::Edit;
    pointsChanged();
}

void LutCurve::ConvertEditable(int count)
{
    const int n = std::clamp(count, kMinConvertPoints, kMaxConvertPoints);
    std::vector<Point> points;
    for (int i = 0; i < n - 1; ++i) {
        // Single precision, as the entries have always been picked.
        const int k = int(float(i) / float(n - 1) * 32.0f);
        const double height = 256.0 - double(m_table[size_t(k)]) * 8.0 * 0.0078125;
        points.push_back({8 * k, int32_t(std::trunc(height))});
    }
    points.push_back({kMouseRange, 0});
    m_points = std::move(points);
    m_mode = Mode::Edit;
    pointsChanged();
}

bool LutCurve::MouseMove(Button button, int x, int y)
{
    if (m_mode != Mode::Edit || x < 0 || x > kMouseRange || y < 0 || y > kMouseRange)
        return false;
    const Point p{x, y};
    auto within = [&p](const Point& q, int reach) { return std::abs(q.x - p.x) <= reach && std::abs(q.y - p.y) <= reach; };
    const int count = int(m_points.size());
    if (button == Button::Left) {
        auto hit = std::find_if(m_points.begin(), m_points.end(), [&](const Point& q) { return within(q, kMoveReach); });
        if (hit != m_points.end())
            *hit = p;
        else if (count < kMouseSlots)
            m_points.push_back(p);
        else
            return false;
    } else {
        // The end points stay: the search runs over the inner points only.
        int found = -1;
        for (int i = 1; i <= count - 2 && found < 0; ++i)
            if (within(m_points[size_t(i)], kDeleteReach))
                found = i;
        if (found < 0)
            return false;
        m_points.erase(m_points.begin() + found);
    }
    std::sort(m_points.begin(), m_points.end(), [](const Point& a, const Point& b) { return a.x < b.x; });
    pointsChanged();
    return true;
}

void LutCurve::pointsChanged()
{
    if (m_mode == Mode::Edit)
        m_table = TableFromPoints(m_points);
}

std::vector<LutCurve::Point> LutCurve::Line() const
{
    std::vector<Point> line;
    line.push_back(m_mode == Mode::Edit && !m_points.empty() ? m_points.front() : Point{0, kBottom});
    for (int j = 0; j < Lut::kEntries; ++j) {
        const uint32_t value = m_table[size_t(j)];
        const uint32_t rows = (value >> 7) + ((value & 0x7F) >= 64 ? 1u : 0u);
        const uint32_t x = Lut::InputLevel(j) * 8u / 128u;
        const uint32_t y = uint32_t(kBottom) - 8u * rows; // wraps above the top: skipped below
        if (x <= uint32_t(kGraphSize) && y <= uint32_t(kBottom))
            line.push_back({int32_t(x), int32_t(y)});
    }
    return line;
}

Lut::Table LutCurve::TableFromPoints(const std::vector<Point>& points)
{
    Lut::Table table{};
    if (points.size() < 2)
        return table;
    std::vector<double> xs, ys;
    for (const Point& p : points) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    const NaturalSpline curveX(xs), curveY(ys);
    // Up to one knot past the last point, bounded by the count of samples.
    const int n = int(points.size());
    const int samples = std::min(kMaxSamples, kSamplesPerKnot * n + 1);
    std::vector<double> sampleX(static_cast<size_t>(samples)), sampleY(static_cast<size_t>(samples));
    for (int k = 0; k < samples; ++k) {
        const double t = double(k) / double(kSamplesPerKnot);
        sampleX[size_t(k)] = curveX(t);
        sampleY[size_t(k)] = curveY(t);
    }
    for (int j = 0; j < Lut::kEntries; ++j) {
        const double level = Lut::InputLevel(j);
        // The running best is kept as a whole number: a later sample wins only when it is
        // nearer than the truncated best, which is how the tables have always come out.
        int64_t best = kNoDistance;
        int chosen = 0;
        for (int k = 0; k < samples; ++k) {
            const double distance = std::fabs(level - 16.0 * sampleX[size_t(k)]);
            if (distance < double(best)) {
                best = int64_t(distance);
                chosen = k;
            }
        }
        const double value = std::trunc((kBottom - sampleY[size_t(chosen)]) * 16.0);
        table[size_t(j)] = uint32_t(std::clamp(value, 0.0, double(Lut::kMaxValue)));
    }
    return table;
}
