// The strip searches of the feature-line search: brightness profiles of narrow vertical strips
// and the rules that find where an eye, a brow or the lips begin and end in one strip.
//
// The lids and the brow's top edge are the steepest brightness edges in their windows, which the
// calibration portraits show to lie a measured distance from the lids and brows of their
// reference points. A brow's lower edge is looked for below its top only, so that it never lies
// above it. A lip's edge is the row whose brightness around it looks most like that edge's
// (lip_edge_row): around the lips there may be teeth, the mouth's dark opening, a smile's
// folds, the lips' own highlights and the shadow under the lower lip, and no single edge marks
// a lip.

#include "generation/feature_line_search.h"

#include "engine_codes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

namespace zel::engine {
namespace {

// An eye is a few rows tall: its profile is smoothed less than a brow's, so that the lids' edges
// keep their rows (with each half of the calibration portraits generated with the other half's
// tables, two passes make the measured eye heights follow the reference ones more closely than
// five: r 0.55 against 0.53).
constexpr int kEyeSmoothPasses = 2;

bool upside_down(int y0, int y1, const char* message) {
    if (y1 - y0 >= 0)
        return false;
    vyMessage(message);
    return true;
}

} // namespace

RowProfile::RowProfile(int y0, int y1) : y0_(y0), y1_(y1) {
    if (y1 >= y0)
        values_.assign(static_cast<std::size_t>(static_cast<std::int64_t>(y1) - y0 + 1), 0);
}

int RowProfile::peak() const {
    int m = 0;
    for (const int v : values_)
        m = std::max(m, v);
    return m;
}

RowProfile strip_profile(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1) {
    RowProfile s(y0, y1);
    const int x0 = std::max(xa, 0);
    const int x1 = std::min(xb, cols - 1);
    for (int y = std::max(y0, 0); y <= std::min(y1, rows - 1); ++y) {
        int sum = 0;
        for (int x = x0; x <= x1; ++x)
            sum += grey[y][x];
        s.set(y, sum);
    }
    return s;
}

RowProfile strip_profile_smoothed(unsigned char** grey, int cols, int rows, int xa, int xb, int y0,
                                  int y1, int passes) {
    RowProfile p = strip_profile(grey, cols, rows, xa, xb, y0, y1);
    if (y0 + 1 > y1 - 1)
        return p;
    RowProfile scratch(y0, y1);
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = y0 + 1; y <= y1 - 1; ++y)
            scratch.set(y, (p[y - 1] + p[y] + p[y + 1]) / 3);
        for (int y = y0 + 1; y <= y1 - 1; ++y)
            p.set(y, scratch[y]);
    }
    return p;
}

namespace {

// The rows from..to that have a neighbour on either side inside the profile, whose brightness
// changes the way sign asks (P[y + 1] - P[y - 1] times sign positive).
int steepest(const RowProfile& p, int from, int to, int sign, const EdgePlace& place,
             double scale) {
    const int first = std::max(from, p.y0() + 1);
    const int last = std::min(to, p.y1() - 1);
    int strongest = 0;
    for (int y = first; y <= last; ++y)
        strongest = std::max(strongest, sign * (p[y + 1] - p[y - 1]));
    if (strongest == 0)
        return 0;
    const bool placed = place.weight > 0.0 && scale > 0.0;
    double best = -HUGE_VAL;
    int at = 0;
    for (int y = first; y <= last; ++y) {
        const int d = sign * (p[y + 1] - p[y - 1]);
        if (d <= 0)
            continue;
        double score = static_cast<double>(d) / strongest;
        if (placed) {
            const double off = (y - place.row) / scale;
            score -= place.weight * off * off;
        }
        if (score > best) {
            best = score;
            at = y;
        }
    }
    return at;
}

} // namespace

int steepest_fall(const RowProfile& p, int from, int to, const EdgePlace& place, double scale) {
    return steepest(p, from, to, -1, place, scale);
}

int steepest_rise(const RowProfile& p, int from, int to, const EdgePlace& place, double scale) {
    return steepest(p, from, to, 1, place, scale);
}

double edge_between_rows(const RowProfile& p, int y) {
    if (y == 0 || y - 2 < p.y0() || y + 2 > p.y1())
        return y;
    const double before = p[y] - p[y - 2];
    const double at = p[y + 1] - p[y - 1];
    const double after = p[y + 2] - p[y];
    const double bend = before - 2.0 * at + after;
    if (bend == 0.0)
        return y;
    return y + std::clamp(0.5 * (before - after) / bend, -0.5, 0.5);
}

int face_searcheyeline(unsigned char** grey, int cols, int rows, int xa, int xb, const StripRows& r,
                       double& upper, double& lower) {
    upper = lower = 0;
    if (upside_down(r.y0, r.y1, "Height is too big @ face_searcheyeline()"))
        return kUpsideDown;
    try {
        const RowProfile p =
            strip_profile_smoothed(grey, cols, rows, xa, xb, r.y0, r.y1, kEyeSmoothPasses);
        upper = edge_between_rows(p, steepest_fall(p, r.topFrom, r.topTo, r.top, r.eyeDistance));
        lower = edge_between_rows(
            p, steepest_rise(p, r.bottomFrom, r.bottomTo, r.bottom, r.eyeDistance));
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    return kOk;
}

int face_searchbrow(unsigned char** grey, int cols, int rows, int xa, int xb, const StripRows& r,
                    double& upper, double& lower) {
    upper = lower = 0;
    if (upside_down(r.y0, r.y1, "Height is too big @ face_searchbrow()"))
        return kUpsideDown;
    try {
        const RowProfile p = strip_profile_smoothed(grey, cols, rows, xa, xb, r.y0, r.y1);
        const int top = steepest_fall(p, r.topFrom, r.topTo, r.top, r.eyeDistance);
        upper = edge_between_rows(p, top);
        lower = edge_between_rows(
            p, steepest_rise(p, top != 0 ? std::max(r.bottomFrom, top + 1) : r.bottomFrom,
                             r.bottomTo));
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    return kOk;
}

namespace {

// The sums over every row a lip's profile is sampled at around rows from..to.
RowProfile lip_sums(unsigned char** grey, int cols, int rows, int xa, int xb, int from, int to,
                    double eyeDistance) {
    const double first = eyeDistance * kLipFirstOffset;
    const double last = eyeDistance * (kLipFirstOffset + kLipStep * (kLipSamples - 1));
    return strip_profile(grey, cols, rows, xa, xb, static_cast<int>(std::floor(from + first)) - 1,
                         static_cast<int>(std::ceil(to + last)) + 1);
}

int lip_edge_in(unsigned char** grey, int cols, int rows, int xa, int xb, int from, int to,
                const LipEdge& lip) {
    if (lip.profile == nullptr || from > to)
        return 0;
    return lip_edge_row(lip_sums(grey, cols, rows, xa, xb, from, to, lip.eyeDistance), from, to,
                        lip);
}

} // namespace

int face_searchmouthline(unsigned char** grey, int cols, int rows, int xa, int xb,
                         const StripRows& r, const LipEdge& upperLip, const LipEdge& lowerLip,
                         double& upper, double& lower) {
    upper = lower = 0;
    if (upside_down(r.y0, r.y1, "Height is too big @ face_searchmouthline()"))
        return kUpsideDown;
    try {
        upper = lip_edge_in(grey, cols, rows, xa, xb, r.topFrom, r.topTo, upperLip);
        lower = lip_edge_in(grey, cols, rows, xa, xb, r.bottomFrom, r.bottomTo, lowerLip);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    return kOk;
}

} // namespace zel::engine
