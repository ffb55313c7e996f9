#pragma once
// Points and curves of the part artwork, in drawing pixels: x to the right, y downward.

#include <cmath>
#include <vector>

namespace vyrgen {

struct Pt {
    double x = 0;
    double y = 0;
};

inline Pt operator+(Pt a, Pt b) {
    return {a.x + b.x, a.y + b.y};
}
inline Pt operator-(Pt a, Pt b) {
    return {a.x - b.x, a.y - b.y};
}
inline Pt operator*(double k, Pt a) {
    return {k * a.x, k * a.y};
}
inline Pt lerp(Pt a, Pt b, double t) {
    return a + t * (b - a);
}
inline double length(Pt a) {
    return std::hypot(a.x, a.y);
}

using Polyline = std::vector<Pt>;

// Cubic Bezier from p0 to p3, sampled finely enough for one-pixel segments.
Polyline bezier(Pt p0, Pt p1, Pt p2, Pt p3);
// Quadratic Bezier.
Polyline bezier(Pt p0, Pt p1, Pt p2);
// Point at parameter t of a cubic Bezier.
Pt bezier_point(Pt p0, Pt p1, Pt p2, Pt p3, double t);

// The polyline mirrored about the vertical line x = 0.
Polyline mirrored(const Polyline& line);
// Joins b to the end of a (dropping b's first point when it repeats a's last).
Polyline joined(Polyline a, const Polyline& b);
Polyline reversed(Polyline line);
// The part of a polyline between fractions t0 and t1 of its length.
Polyline sub_polyline(const Polyline& line, double t0, double t1);
// Point at fraction t of the polyline's length, and the unit tangent there.
Pt point_at(const Polyline& line, double t);
Pt tangent_at(const Polyline& line, double t);

} // namespace vyrgen
