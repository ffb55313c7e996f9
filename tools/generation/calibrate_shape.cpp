#include "calibrate_shape.h"

#include "generation/eye_corners.h"
#include "generation/landmark_pairs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelgen {
namespace {

using zel::engine::FaceAxes;
using zel::engine::PairGeometry;
using zel::engine::PointCandidate;

PointCandidate candidate(const Sample& s, const char* key) {
    const Point p = s.ref.at(key);
    return {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)), 0.0};
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * (v.size() - 1)))];
}

// The axes the search uses for a pair: the outer eye corners against the inner ones, the
// nose wings and mouth corners against the eyes' middles about the nose centre.
FaceAxes axes_for(const Sample& s, int pair) {
    const PointCandidate li = candidate(s, "leye_in"), ri = candidate(s, "reye_in");
    if (pair == 0)
        return zel::engine::face_axes(li.x, li.y, ri.x, ri.y, (li.x + ri.x) / 2.0,
                                      (li.y + ri.y) / 2.0);
    const PointCandidate lo = candidate(s, "leye_out"), ro = candidate(s, "reye_out");
    const PointCandidate nc = candidate(s, "nose_c");
    return zel::engine::face_axes((li.x + lo.x) / 2.0, (li.y + lo.y) / 2.0, (ri.x + ro.x) / 2.0,
                                  (ri.y + ro.y) / 2.0, nc.x, nc.y);
}

} // namespace

std::array<double, 21> measure_face_shape(const std::vector<Sample>& samples,
                                          const ShapeMargin& margin,
                                          std::vector<std::string>& lines) {
    static const char* const keys[3][2] = {
        {"leye_out", "reye_out"}, {"nose_l", "nose_r"}, {"mouth_l", "mouth_r"}};
    static const char* const names[3] = {"outer eye corners", "nose wings", "mouth corners"};
    std::array<double, 21> shape{};
    for (int pair = 0; pair < 3; ++pair) {
        std::vector<double> span, off, tilt;
        for (const Sample& s : samples) {
            const PairGeometry g = zel::engine::pair_geometry(
                candidate(s, keys[pair][0]), candidate(s, keys[pair][1]), axes_for(s, pair));
            span.push_back(g.span);
            off.push_back(g.offCentre);
            tilt.push_back(g.tilt);
        }
        if (span.empty())
            continue;
        const double lo = quantile(span, margin.outside);
        const double hi = quantile(span, 1 - margin.outside);
        const double offMax = quantile(off, 1 - margin.outside);
        const double tiltMax = quantile(tilt, 1 - margin.outside);
        const double widen = (hi - lo) * margin.share + margin.slack;
        double* v = shape.data() + 4 * pair;
        v[0] = lo - widen;
        v[1] = hi + widen;
        v[2] = offMax * (1 + margin.share) + margin.slack;
        v[3] = tiltMax * (1 + margin.share) + margin.slack;
        char line[200];
        std::snprintf(line, sizeof line,
                      "%s: span %.3f to %.3f, off the centre line up to %.3f, tilt up to %.3f "
                      "(of the eyes' distance, %zu portraits)",
                      names[pair], lo, hi, offMax, tiltMax, span.size());
        lines.push_back(line);
    }
    // The nose centre against the eyes' middles, as the search places it.
    std::vector<double> beside, below;
    for (const Sample& s : samples) {
        const PointCandidate li = candidate(s, "leye_in"), ri = candidate(s, "reye_in");
        const PointCandidate lo = candidate(s, "leye_out"), ro = candidate(s, "reye_out");
        const double lx = (li.x + lo.x) / 2.0, ly = (li.y + lo.y) / 2.0;
        const double rx = (ri.x + ro.x) / 2.0, ry = (ri.y + ro.y) / 2.0;
        const zel::engine::PointGeometry g = zel::engine::point_geometry(
            candidate(s, "nose_c"),
            zel::engine::face_axes(lx, ly, rx, ry, (lx + rx) / 2, (ly + ry) / 2));
        beside.push_back(g.beside);
        below.push_back(g.below);
    }
    if (!beside.empty()) {
        const double besideMax = quantile(beside, 1 - margin.outside);
        const double lo = quantile(below, margin.outside);
        const double hi = quantile(below, 1 - margin.outside);
        const double widen = (hi - lo) * margin.share + margin.slack;
        shape[12] = besideMax * (1 + margin.share) + margin.slack;
        shape[13] = lo - widen;
        shape[14] = hi + widen;
        char line[200];
        std::snprintf(line, sizeof line,
                      "nose centre: up to %.3f beside the eyes' middle, %.3f to %.3f below them "
                      "(of the eyes' distance)",
                      besideMax, lo, hi);
        lines.push_back(line);
    }
    // The eyes against each other: how level the inner corners lie and how alike the eyes'
    // widths are, as fractions of the inner corners' distance.
    std::vector<double> innerTilt, widthDifference, innerSpan;
    for (const Sample& s : samples) {
        const PointCandidate li = candidate(s, "leye_in"), ri = candidate(s, "reye_in");
        const PointCandidate lo = candidate(s, "leye_out"), ro = candidate(s, "reye_out");
        const FaceAxes axes = axes_for(s, 0);
        innerTilt.push_back(zel::engine::inner_tilt(li, ri));
        innerSpan.push_back(axes.scale / s.box.width);
        widthDifference.push_back(
            std::abs(std::hypot(li.x - lo.x, li.y - lo.y) - std::hypot(ro.x - ri.x, ro.y - ri.y)) /
            axes.scale);
    }
    if (!innerTilt.empty()) {
        const double tiltMax = quantile(innerTilt, 1 - margin.outside);
        const double widthMax = quantile(widthDifference, 1 - margin.outside);
        shape[15] = tiltMax * (1 + margin.share) + margin.slack;
        shape[16] = widthMax * (1 + margin.share) + margin.slack;
        const double lo = quantile(innerSpan, margin.outside);
        const double hi = quantile(innerSpan, 1 - margin.outside);
        const double widen = (hi - lo) * margin.share;
        shape[17] = lo - widen;
        shape[18] = hi + widen;
        char line[200];
        std::snprintf(line, sizeof line,
                      "inner eye corners: tilt up to %.3f, eye widths differing by up to %.3f "
                      "(of the inner corners' distance), %.3f to %.3f of the box width apart",
                      tiltMax, widthMax, lo, hi);
        lines.push_back(line);
    }
    return shape;
}

} // namespace zelgen
