// The LUT editor's curve without its window: the table a set of edit points gives, turning a
// table into points, and what mouse movements do to the points (the common ones through the
// window's real mouse: lut_editor_test).
#include "LutCurve.h"
#include "NaturalSpline.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Point = LutCurve::Point;
using Button = LutCurve::Button;

// A curve in Edit Mode with exactly these points (laid by mouse, as a person would).
LutCurve curveWith(const std::vector<Point>& inner)
{
    LutCurve curve;
    for (const Point& p : inner)
        EXPECT_TRUE(curve.MouseMove(Button::Left, p.x, p.y));
    return curve;
}

TEST(LutCurve, ClearedCurveGivesTheStraightTable)
{
    LutCurve curve;
    curve.ConvertEditable(5); // anything, then cleared
    curve.Clear();
    const Lut::Table expected = {0,    124,  257,  382,  515,  640,  765,  898,  1023, 1148, 1281,
                                 1406, 1539, 1664, 1788, 1921, 2046, 2179, 2304, 2429, 2562, 2687,
                                 2812, 2945, 3070, 3203, 3328, 3452, 3585, 3710, 3843, 4093};
    EXPECT_EQ(curve.Table(), expected);
    EXPECT_EQ(curve.Points(), (std::vector<Point>{{0, 260}, {260, 0}}));
    EXPECT_EQ(curve.GetMode(), LutCurve::Mode::Edit);
}

TEST(LutCurve, ConvertEditableTakesPointsFromTheTable)
{
    LutCurve curve;
    const Lut::Table straight = curve.Table();
    // Any count within 2...16 gives that many points along the table, in x order, the last
    // at (256, 0); counts outside are taken as the nearest limit.
    for (int asked : {1, 3, 8, 16, 40}) {
        curve.SetMode(LutCurve::Mode::View);
        curve.Table() = straight;
        curve.ConvertEditable(asked);
        EXPECT_EQ(curve.GetMode(), LutCurve::Mode::Edit);
        const std::vector<Point>& points = curve.Points();
        ASSERT_EQ(int(points.size()), std::clamp(asked, 2, 16)) << asked;
        EXPECT_EQ(points.back(), (Point{256, 0}));
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            const int entry = points[i].x / 8;
            EXPECT_EQ(points[i].x % 8, 0);
            EXPECT_EQ(points[i].y, int(256.0 - straight[size_t(entry)] / 16.0)) << asked << " point " << i; // truncated
            if (i > 0) {
                EXPECT_LT(points[i - 1].x, points[i].x);
            }
        }
    }
    // The most points there can be: the curve still reaches past the last one and every entry
    // finds its sample near the line, which stands on the base line 256, four pixels (64) above
    // the graph's bottom.
    for (int j = 0; j < Lut::kEntries; ++j) {
        EXPECT_NEAR(double(curve.Table()[size_t(j)]), std::min(double(straight[size_t(j)]) + 64.0, 4095.0), 32.0) << j;
        if (j > 0) {
            EXPECT_LE(curve.Table()[size_t(j - 1)], curve.Table()[size_t(j)]) << j;
        }
    }
}

std::vector<Point> withEnds(std::vector<Point> inner, Point first = {0, 260}, Point last = {260, 0})
{
    inner.insert(inner.begin(), first);
    inner.push_back(last);
    return inner;
}

TEST(LutCurve, MouseEditsThePoints)
{
    // Thirteen inner points, zig-zagging so that no two are within reach of each other.
    std::vector<Point> fifteen;
    for (int i = 1; i <= 13; ++i)
        fifteen.push_back({18 * i, i % 2 ? 60 : 200});
    const struct {
        const char* name;
        std::vector<Point> laid; // inner points laid first
        Button button;
        Point at;
        bool changed;
        std::vector<Point> after;
    } cases[] = {
        {"LeftAwayAddsInXOrder", {{200, 40}}, Button::Left, {100, 160}, true, withEnds({{100, 160}, {200, 40}})},
        {"LeftNearAnEndMovesIt", {}, Button::Left, {30, 230}, true, withEnds({}, {30, 230})},
        {"FifteenInUseAddNoMore", fifteen, Button::Left, {250, 250}, false, withEnds(fifteen)},
        {"FifteenInUseStillMove", fifteen, Button::Left, {5, 250}, true, withEnds(fifteen, {5, 250})},
        {"RightNearTheLastDeletesNothing", {{100, 160}}, Button::Right, {250, 10}, false, withEnds({{100, 160}})},
        {"RightNearAnInnerPointDeletesIt", {{100, 160}, {200, 40}}, Button::Right, {110, 150}, true,
         withEnds({{200, 40}})},
        {"RightOutOfReachDeletesNothing", {{100, 160}}, Button::Right, {117, 160}, false, withEnds({{100, 160}})},
        {"OutsideTheRangeIsIgnored", {}, Button::Left, {257, 100}, false, withEnds({})},
    };
    for (const auto& c : cases) {
        LutCurve curve = curveWith(c.laid);
        EXPECT_EQ(curve.MouseMove(c.button, c.at.x, c.at.y), c.changed) << c.name;
        EXPECT_EQ(curve.Points(), c.after) << c.name;
    }
}

TEST(LutCurve, ViewModeIgnoresTheMouseAndLinesStartByModeAndRoundHalfUp)
{
    LutCurve curve = curveWith({{100, 160}});
    std::vector<Point> line = curve.Line();
    ASSERT_EQ(line.size(), 33u);
    EXPECT_EQ(line.front(), curve.Points().front());
    EXPECT_EQ(line.back().x, 255) << "4095 / 16";

    curve.SetMode(LutCurve::Mode::View);
    EXPECT_FALSE(curve.MouseMove(Button::Left, 60, 60));
    EXPECT_FALSE(curve.MouseMove(Button::Right, 100, 160));
    EXPECT_EQ(curve.Points(), withEnds({{100, 160}}));
    curve.Table()[0] = 63;
    curve.Table()[1] = 64;
    curve.Table()[31] = 4095;
    line = curve.Line();
    EXPECT_EQ(line[0], (Point{0, 260}));
    EXPECT_EQ(line[1], (Point{0, 260}));
    EXPECT_EQ(line[2], (Point{8, 252}));
    EXPECT_EQ(line[32], (Point{255, 4}));
}

TEST(NaturalSpline, PassesThroughItsKnotsAndGoesOnStraightPastTheLast)
{
    const std::vector<double> values = {0, 40, 30, 90, 100};
    const NaturalSpline spline(values);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(spline(double(i)), values[i], 1e-9);
    // Natural ends: no curvature at the first and the last knot.
    const double h = 1e-3;
    EXPECT_NEAR((spline(2 * h) - 2 * spline(h) + spline(0)) / (h * h), 0.0, 0.5);
    EXPECT_NEAR((spline(4) - 2 * spline(4 - h) + spline(4 - 2 * h)) / (h * h), 0.0, 0.5);

    const NaturalSpline line({10, 20});
    EXPECT_NEAR(line(1.5), 25.0, 1e-9);
}

} // namespace
