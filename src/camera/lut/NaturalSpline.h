#pragma once
// A natural cubic spline over values at the knots t = 0, 1, ..., m (spacing 1): the curve the
// LUT editor lays through its edit points, once for the x values and once for the y values.
// Beyond the last knot the last segment is continued.
#include <vector>

class NaturalSpline {
public:
    // At least two values; with two the spline is the straight line through them.
    explicit NaturalSpline(const std::vector<double>& values);

    double operator()(double t) const;

private:
    struct Segment {
        double a, b, c, d; // S(t) = ((d u + c) u + b) u + a with u = t - i
    };
    std::vector<Segment> m_segments;
};
