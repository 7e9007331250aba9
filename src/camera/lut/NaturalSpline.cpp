#include "NaturalSpline.h"

#include <algorithm>
#include <cmath>

NaturalSpline::NaturalSpline(const std::vector<double>& a)
{
    const size_t m = a.size() < 2 ? 0 : a.size() - 1;
    if (m == 0) {
        m_segments.push_back({a.empty() ? 0.0 : a[0], 0, 0, 0});
        return;
    }
    // The tridiagonal system of the second-derivative terms c with c_0 = c_m = 0, solved
    // forwards (mu, z) and back; with unit spacing its diagonal is 4.
    std::vector<double> c(m + 1, 0.0), mu(m + 1, 0.0), z(m + 1, 0.0);
    for (size_t i = 1; i < m; ++i) {
        const double alpha = 3.0 * (a[i - 1] - 2.0 * a[i] + a[i + 1]);
        const double l = 4.0 - mu[i - 1];
        mu[i] = 1.0 / l;
        z[i] = (alpha - z[i - 1]) / l;
    }
    for (size_t i = m - 1; i >= 1; --i)
        c[i] = z[i] - mu[i] * c[i + 1];
    m_segments.reserve(m);
    for (size_t i = 0; i < m; ++i) {
        const double d = (c[i + 1] - c[i]) / 3.0;
        const double b = (a[i + 1] - a[i]) - c[i] - d;
        m_segments.push_back({a[i], b, c[i], d});
    }
}

double NaturalSpline::operator()(double t) const
{
    const double last = double(m_segments.size() - 1);
    const double i = std::clamp(std::floor(t), 0.0, last);
    const Segment& s = m_segments[size_t(i)];
    const double u = t - i;
    return ((s.d * u + s.c) * u + s.b) * u + s.a;
}
