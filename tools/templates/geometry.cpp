#include "geometry.h"

#include <algorithm>

namespace vyrgen {
namespace {

int steps_for(double span) {
    return std::max(8, static_cast<int>(std::ceil(span * 1.5)));
}

std::vector<double> cumulative_lengths(const Polyline& line) {
    std::vector<double> acc(line.size(), 0.0);
    for (std::size_t i = 1; i < line.size(); ++i)
        acc[i] = acc[i - 1] + length(line[i] - line[i - 1]);
    return acc;
}

} // namespace

Pt bezier_point(Pt p0, Pt p1, Pt p2, Pt p3, double t) {
    const double u = 1 - t;
    return (u * u * u) * p0 + (3 * u * u * t) * p1 + (3 * u * t * t) * p2 + (t * t * t) * p3;
}

Polyline bezier(Pt p0, Pt p1, Pt p2, Pt p3) {
    const int n = steps_for(length(p1 - p0) + length(p2 - p1) + length(p3 - p2));
    Polyline line;
    for (int i = 0; i <= n; ++i)
        line.push_back(bezier_point(p0, p1, p2, p3, static_cast<double>(i) / n));
    return line;
}

Polyline bezier(Pt p0, Pt p1, Pt p2) {
    return bezier(p0, lerp(p0, p1, 2.0 / 3.0), lerp(p2, p1, 2.0 / 3.0), p2);
}

Polyline mirrored(const Polyline& line) {
    Polyline out;
    out.reserve(line.size());
    for (const Pt p : line)
        out.push_back({-p.x, p.y});
    return out;
}

Polyline joined(Polyline a, const Polyline& b) {
    auto from = b.begin();
    if (!a.empty() && !b.empty() && length(a.back() - b.front()) < 1e-9)
        ++from;
    a.insert(a.end(), from, b.end());
    return a;
}

Polyline reversed(Polyline line) {
    std::reverse(line.begin(), line.end());
    return line;
}

Pt point_at(const Polyline& line, double t) {
    const auto acc = cumulative_lengths(line);
    const double target = std::clamp(t, 0.0, 1.0) * acc.back();
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (acc[i] >= target) {
            const double seg = acc[i] - acc[i - 1];
            const double k = seg > 0 ? (target - acc[i - 1]) / seg : 0.0;
            return lerp(line[i - 1], line[i], k);
        }
    }
    return line.back();
}

Pt tangent_at(const Polyline& line, double t) {
    const Pt a = point_at(line, std::max(0.0, t - 0.01));
    const Pt b = point_at(line, std::min(1.0, t + 0.01));
    const double len = length(b - a);
    return len > 0 ? (1.0 / len) * (b - a) : Pt{1, 0};
}

Polyline sub_polyline(const Polyline& line, double t0, double t1) {
    const auto acc = cumulative_lengths(line);
    const double a = std::clamp(t0, 0.0, 1.0) * acc.back();
    const double b = std::clamp(t1, 0.0, 1.0) * acc.back();
    Polyline out{point_at(line, t0)};
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (acc[i] > a && acc[i] < b)
            out.push_back(line[i]);
    }
    out.push_back(point_at(line, t1));
    return out;
}

} // namespace vyrgen
