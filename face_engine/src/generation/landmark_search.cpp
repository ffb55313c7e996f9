// Landmark search: eye corners, nose points and mouth corners by template correlation inside
// windows that are fractions of the face box, the mouth band located first by the saturation of
// the lips.

#include "generation/landmark_search.h"

#include "engine_codes.h"
#include "generation/eye_corners.h"
#include "generation/eye_darkness.h"
#include "generation/face_shape_model.h"
#include "generation/generation_tables.h"
#include "generation/mouth_mirror.h"
#include "generation/temple_skin.h"
#include "truncate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <new>
#include <optional>
#include <vector>

namespace zel::engine {
namespace {

constexpr char kSearchRange[] = "SEARCH_RANGE";
constexpr int kRangeValues = 21;
// Header words that ReadBinTemplate fills: the fifth is the point count, the sixth the size
// the offsets were measured at.
constexpr int kHeaderWords = 6;
constexpr int kHeaderCount = 4;
constexpr int kHeaderReference = 5;

// Box lowering and the mouth's windows, as fractions of the box.
constexpr double kTopLowering = 0.027;
constexpr double kMouthBandHalfWidth = 0.1;
constexpr double kMouthRowsAbove = 0.07;
constexpr double kMouthRowsBelow = 0.04;
constexpr int kProjectionSmoothRadius = 2;

// The pairs searched together: local maxima kept per point and their least spacing as a
// fraction of the box height.
constexpr int kPairCandidates = 16;
// The eye corners are chosen as a set of four: fewer candidates each keep the sets few, but
// not so few that lashes, brows and frames of glasses crowd the true corner out of its list
// (measured on portraits not calibrated on, six lose far fewer corners than four).
constexpr int kEyeCandidates = 6;
constexpr double kCandidateSpacing = 0.02;
// The proportions a face may have, measured by the calibration on portraits: span, off-centre
// and tilt limits of the outer eye corners (against the inner corners' distance), the nose
// wings and the mouth corners (against the distance of the eyes' middles); then how far the
// nose centre may lie beside the eyes' middle and, least and most, below the eye line.
constexpr char kFaceShape[] = "FACE_SHAPE";
enum PairKind : int { kEyePair, kNosePair, kMouthPair };

// A point template with its offsets scaled to the face.
struct ScaledTemplate {
    std::vector<int> dx;
    std::vector<int> dy;
    std::vector<std::int32_t> w;
    std::int64_t sw = 0;  // sum of the weights
    std::int64_t sww = 0; // sum of their squares
    int minDx = 0;
    int maxDx = 0;
    int minDy = 0;
    int maxDy = 0;
};

int read_scaled_template(int set, const char* name, int size, double angle, ScaledTemplate& out) {
    std::int32_t header[kHeaderWords] = {};
    std::vector<std::int32_t> x(kPointTemplateCapacity);
    std::vector<std::int32_t> y(kPointTemplateCapacity);
    std::vector<std::int32_t> w(kPointTemplateCapacity);
    if (name == nullptr || generation_tables().read_points(set, name, header, x.data(), y.data(),
                                                           w.data(), kPointTemplateCapacity) == 0)
        return kMissing;
    const int n = header[kHeaderCount];
    const int reference = header[kHeaderReference];
    // A template without points or without a size to scale from cannot be matched.
    if (n < 1 || n > kPointTemplateCapacity || reference < 1)
        return kMissing;
    const double s = static_cast<double>(size) / reference;
    for (int i = 0; i < n; ++i) {
        int dx = 0, dy = 0;
        turned_offset(x[i], y[i], s, angle, dx, dy);
        out.dx.push_back(dx);
        out.dy.push_back(dy);
        out.w.push_back(w[i]);
        out.sw += w[i];
        out.sww += static_cast<std::int64_t>(w[i]) * w[i];
        out.minDx = std::min(out.minDx, dx);
        out.maxDx = std::max(out.maxDx, dx);
        out.minDy = std::min(out.minDy, dy);
        out.maxDy = std::max(out.maxDy, dy);
    }
    return kOk;
}

// The brightness of the part of the picture a search reads, in one block of bytes.
class LumaPlane {
public:
    LumaPlane(_pixel** hsv, int x0, int x1, int y0, int y1) : x0_(x0), y0_(y0), cols_(x1 - x0 + 1) {
        values_.resize(static_cast<std::size_t>(cols_) * (y1 - y0 + 1));
        unsigned char* out = values_.data();
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                *out++ = hsv[y][x].b;
    }
    int cols() const { return cols_; }
    const unsigned char* at(int x, int y) const {
        return values_.data() + static_cast<std::size_t>(y - y0_) * cols_ + (x - x0_);
    }

private:
    int x0_;
    int y0_;
    int cols_;
    std::vector<unsigned char> values_;
};

// Pearson correlation of the brightness differences d = b(point) - b(centre) with the weights,
// from the template's point count k and the sums of b, b^2 and b w: the centre's brightness
// cancels out of k S(dw) - S(d) S(w) = k S(bw) - S(b) S(w) and of k S(dd) - S(d)^2 =
// k S(bb) - S(b)^2. Integer sums in 64 bits: a template of a thousand points at full contrast
// overflows 32.
double pearson(std::int64_t k, std::int64_t sb, std::int64_t sbb, std::int64_t sbw, std::int64_t sw,
               std::int64_t sww) {
    const double num = static_cast<double>(k * sbw - sb * sw);
    const double a = static_cast<double>(k * sbb - sb * sb);
    const double b = static_cast<double>(k * sww - sw * sw);
    return num / std::sqrt(a * b);
}

// The sums of b, b^2 and b w at every position of a block of the window where the template
// lies wholly inside the picture, gathered template point by template point: each point adds
// a shifted copy of the plane's rows, which the compiler turns into vector code.
class InsideSums {
public:
    InsideSums(const LumaPlane& plane, const ScaledTemplate& t, const SearchWindow& block)
        : x0_(block.x0), y0_(block.y0), cols_(block.x1 - block.x0 + 1) {
        const std::size_t size = static_cast<std::size_t>(cols_) * (block.y1 - block.y0 + 1);
        sb_.assign(size, 0);
        sbb_.assign(size, 0);
        sbw_.assign(size, 0);
        // Per point at most 255 x 255: a thousand points stay inside 32 bits.
        for (std::size_t i = 0; i < t.dx.size(); ++i) {
            const std::int32_t w = t.w[i];
            for (int y = block.y0; y <= block.y1; ++y) {
                const unsigned char* src = plane.at(block.x0 + t.dx[i], y + t.dy[i]);
                const std::size_t row = static_cast<std::size_t>(y - y0_) * cols_;
                std::int32_t* sb = sb_.data() + row;
                std::int32_t* sbb = sbb_.data() + row;
                std::int32_t* sbw = sbw_.data() + row;
                for (int x = 0; x < cols_; ++x) {
                    const std::int32_t b = src[x];
                    sb[x] += b;
                    sbb[x] += b * b;
                    sbw[x] += b * w;
                }
            }
        }
    }
    double score(const ScaledTemplate& t, int x, int y) const {
        const std::size_t i = static_cast<std::size_t>(y - y0_) * cols_ + (x - x0_);
        return pearson(static_cast<std::int64_t>(t.dx.size()), sb_[i], sbb_[i], sbw_[i], t.sw,
                       t.sww);
    }

private:
    int x0_;
    int y0_;
    int cols_;
    std::vector<std::int32_t> sb_;
    std::vector<std::int32_t> sbb_;
    std::vector<std::int32_t> sbw_;
};

// The same where template points fall outside the picture: those are skipped.
double correlation_at_edge(const LumaPlane& plane, const ScaledTemplate& t, int cols, int rows,
                           int x, int y) {
    std::int64_t k = 0, sb = 0, sbb = 0, sbw = 0, sw = 0, sww = 0;
    for (std::size_t i = 0; i < t.dx.size(); ++i) {
        const int px = x + t.dx[i];
        const int py = y + t.dy[i];
        if (px < 0 || px >= cols || py < 0 || py >= rows)
            continue;
        const std::int64_t b = *plane.at(px, py);
        const std::int64_t w = t.w[i];
        ++k;
        sb += b;
        sbb += b * b;
        sbw += b * w;
        sw += w;
        sww += w * w;
    }
    return pearson(k, sb, sbb, sbw, sw, sww);
}

// Reads "SEARCH_RANGE", else -21.
int read_ranges(int set, double r[kRangeValues]) {
    return generation_tables().read_range(set, kSearchRange, r) != 0 ? kOk : kMissing;
}

SearchWindow window(double x0, double x1, double y0, double y1) {
    return {trunc_to_int(x0), trunc_to_int(x1), trunc_to_int(y0), trunc_to_int(y1)};
}

bool never_set(int x, int y) {
    return x == 0 && y == 0;
}

// Searches one point; a point that no position scores keeps its value unless it was never set,
// in which case it takes the window's centre.
int search_point(_pixel** hsv, int cols, int rows, int set, LandmarkPoint which,
                 const SearchWindow& w, int size, std::int32_t& x, std::int32_t& y) {
    int outX = x;
    int outY = y;
    bool found = false;
    if (const int result = landmark_match_window(
            hsv, cols, rows, set, landmark_template_name(which), w, size, outX, outY, found);
        result != kOk)
        return result;
    if (!found && never_set(outX, outY)) {
        const SearchWindow inside = w.clipped(cols, rows);
        (inside.empty() ? w : inside).centre(cols, rows, outX, outY);
    }
    x = outX;
    y = outY;
    return kOk;
}

// Where each point is written in the landmark record.
struct PointMembers {
    std::int32_t* x;
    std::int32_t* y;
};

PointMembers members(FaceLandmarks& lm, LandmarkPoint which) {
    switch (which) {
    case kEyeLeftIn:
        return {&lm.eyes[0].in_x, &lm.eyes[0].in_y};
    case kEyeRightIn:
        return {&lm.eyes[1].in_x, &lm.eyes[1].in_y};
    case kEyeLeftOut:
        return {&lm.eyes[0].out_x, &lm.eyes[0].out_y};
    case kEyeRightOut:
        return {&lm.eyes[1].out_x, &lm.eyes[1].out_y};
    case kNoseCentre:
        return {&lm.nose.center_x, &lm.nose.center_y};
    case kNoseLeft:
        return {&lm.nose.l_x, &lm.nose.l_y};
    case kNoseRight:
        return {&lm.nose.r_x, &lm.nose.r_y};
    case kMouthLeft:
        return {&lm.mouth.l_x, &lm.mouth.l_y};
    case kMouthRight:
        return {&lm.mouth.r_x, &lm.mouth.r_y};
    }
    return {nullptr, nullptr};
}

int search_points(_pixel** hsv, int cols, int rows, int set, const FaceBox& box, const double* r,
                  int mouthLine, std::initializer_list<LandmarkPoint> points, FaceLandmarks& lm) {
    for (const LandmarkPoint which : points) {
        const PointMembers p = members(lm, which);
        const SearchWindow w = landmark_window(which, box, r, lm, mouthLine);
        if (const int result = search_point(hsv, cols, rows, set, which, w, box.height, *p.x, *p.y);
            result != kOk)
            return result;
    }
    return kOk;
}

// The midpoint of an eye's two corners.
void eye_middle(const FaceLandmarks& lm, int eye, double& x, double& y) {
    x = (lm.eyes[eye].in_x + lm.eyes[eye].out_x) / 2.0;
    y = (lm.eyes[eye].in_y + lm.eyes[eye].out_y) / 2.0;
}

// The local maxima of the point template name in window, best first (the first is a single
// search's answer).
int candidates_in(_pixel** hsv, int cols, int rows, int set, const FaceBox& box, const char* name,
                  const SearchWindow& w, int count, std::vector<PointCandidate>& found,
                  double angle = 0.0) {
    ScoreMap map;
    if (const int result =
            landmark_score_window(hsv, cols, rows, set, name, w, box.height, map, angle);
        result != kOk)
        return result;
    found = score_peaks(map, count, std::max(2, trunc_to_int(box.height * kCandidateSpacing)));
    return kOk;
}

// The local maxima of a point's window, best first.
int window_candidates(_pixel** hsv, int cols, int rows, int set, const FaceBox& box,
                      const double* r, int mouthLine, LandmarkPoint which, const FaceLandmarks& lm,
                      std::vector<PointCandidate>& found) {
    return candidates_in(hsv, cols, rows, set, box, landmark_template_name(which),
                         landmark_window(which, box, r, lm, mouthLine), kPairCandidates, found,
                         template_angle(lm, which));
}

// The rows and columns every candidate of a list spans.
struct Extent {
    int x0 = 0;
    int x1 = 0;
    int y0 = 0;
    int y1 = 0;
};
Extent extent_of(const std::vector<PointCandidate>& list) {
    Extent e{list.front().x, list.front().x, list.front().y, list.front().y};
    for (const PointCandidate& c : list) {
        e.x0 = std::min(e.x0, c.x);
        e.x1 = std::max(e.x1, c.x);
        e.y0 = std::min(e.y0, c.y);
        e.y1 = std::max(e.y1, c.y);
    }
    return e;
}

// The eye shape in pixels of this box: the outer corners' reach about the inner ones from the
// windows of the ranges, the inner corners' distance from the fractions of the box width.
EyeShape placed_eye_shape(const EyeShape& shape, const FaceBox& box, const double* r) {
    EyeShape placed = shape;
    placed.reachLo = box.width * r[6];
    placed.reachHi = box.width * r[5];
    placed.dropLo = box.height * r[7];
    placed.dropHi = box.height * r[8];
    placed.innerSpanLo = box.width * shape.innerSpanLo;
    placed.innerSpanHi = box.width * shape.innerSpanHi;
    return placed;
}

// The candidates of an outer eye corner or a mouth corner that have skin beyond them (a frame's
// hinge and the jaw's edge against the background do not); other points' candidates all pass.
// With keepSome, a list the test would empty stays as it is: the test misjudged the face.
std::vector<PointCandidate> with_skin_beyond(const std::vector<PointCandidate>& list,
                                             LandmarkPoint which, _pixel** hsv, int cols, int rows,
                                             const FaceBox& box, double skin, bool keepSome) {
    double least = 0.0;
    int step = 0;
    switch (which) {
    case kEyeLeftOut:
    case kEyeRightOut:
        least = kLeastSkinBeyondEye;
        step = which == kEyeLeftOut ? -1 : 1;
        break;
    case kMouthLeft:
    case kMouthRight:
        least = kLeastSkinBeyondMouth;
        step = which == kMouthLeft ? -1 : 1;
        break;
    default:
        return list;
    }
    std::vector<PointCandidate> kept =
        corners_with_skin_beyond(list, hsv, cols, rows, box, step, skin, least);
    return kept.empty() && keepSome ? list : kept;
}

// The four eye corners as one set: the left inner corner's window comes from the box, the
// others' windows hold their windows about every candidate of the corner they are searched
// around, and the set is the one that looks most like a pair of eyes. False in found when a
// window scored nowhere (the corners are then searched one at a time).
int search_eye_corners(_pixel** hsv, int cols, int rows, int set, const FaceBox& box,
                       const double* r, const EyeShape& shape, FaceLandmarks& lm, bool& found) {
    found = false;
    const double W = box.width;
    const double H = box.height;
    std::vector<PointCandidate> li, ri, lo, ro;
    if (const int result =
            candidates_in(hsv, cols, rows, set, box, "EYE_LEFT_IN",
                          landmark_window(kEyeLeftIn, box, r, lm, 0), kEyeCandidates, li);
        result != kOk || li.empty())
        return result;
    const Extent l = extent_of(li);
    const SearchWindow rightIn =
        window(box.maxx - W * r[1], box.maxx - W * r[0], l.y0 - H * r[4], l.y1 + H * r[4]);
    if (const int result =
            candidates_in(hsv, cols, rows, set, box, "EYE_RIGHT_IN", rightIn, kEyeCandidates, ri);
        result != kOk || ri.empty())
        return result;
    const Extent rx = extent_of(ri);
    const SearchWindow leftOut =
        window(l.x0 - W * r[5], l.x1 - W * r[6], l.y0 + H * r[7], l.y1 + H * r[8]);
    const SearchWindow rightOut =
        window(rx.x0 + W * r[6], rx.x1 + W * r[5], rx.y0 + H * r[7], rx.y1 + H * r[8]);
    if (const int result =
            candidates_in(hsv, cols, rows, set, box, "EYE_LEFT_OUT", leftOut, kEyeCandidates, lo);
        result != kOk || lo.empty())
        return result;
    if (const int result =
            candidates_in(hsv, cols, rows, set, box, "EYE_RIGHT_OUT", rightOut, kEyeCandidates, ro);
        result != kOk || ro.empty())
        return result;
    const double skin = skin_hue(hsv, cols, rows, box);
    lo = with_skin_beyond(lo, kEyeLeftOut, hsv, cols, rows, box, skin, true);
    ro = with_skin_beyond(ro, kEyeRightOut, hsv, cols, rows, box, skin, true);
    lo = outer_corners_weighed_by_face(lo, hsv, cols, rows, box, -1, skin);
    ro = outer_corners_weighed_by_face(ro, hsv, cols, rows, box, 1, skin);
    const EyeCorners e = choose_eye_corners(
        lo, li, ri, ro, shape, [&](const PointCandidate& in, const PointCandidate& out) {
            return dark_off_middle_cost(hsv, cols, rows, in, out);
        });
    lm.eyes[0].out_x = e.leftOut.x;
    lm.eyes[0].out_y = e.leftOut.y;
    lm.eyes[0].in_x = e.leftIn.x;
    lm.eyes[0].in_y = e.leftIn.y;
    lm.eyes[1].in_x = e.rightIn.x;
    lm.eyes[1].in_y = e.rightIn.y;
    lm.eyes[1].out_x = e.rightOut.x;
    lm.eyes[1].out_y = e.rightOut.y;
    found = true;
    return kOk;
}

// Searches a left point and its right partner together: each keeps its best local maxima, and
// the best scoring pair that fits shape wins (without a shape each point takes its best; a
// point whose window scored nowhere is left to the rule of a single search).
int search_pair(_pixel** hsv, int cols, int rows, int set, const FaceBox& box, const double* r,
                int mouthLine, LandmarkPoint left, LandmarkPoint right, const FaceAxes& axes,
                const PairShape* shape, FaceLandmarks& lm) {
    std::vector<PointCandidate> found[2];
    const LandmarkPoint which[2] = {left, right};
    for (int i = 0; i < 2; ++i)
        if (const int result =
                window_candidates(hsv, cols, rows, set, box, r, mouthLine, which[i], lm, found[i]);
            result != kOk)
            return result;
    if (shape != nullptr) {
        const double skin = skin_hue(hsv, cols, rows, box);
        for (int i = 0; i < 2; ++i)
            found[i] = with_skin_beyond(found[i], which[i], hsv, cols, rows, box, skin, true);
    }
    if (shape != nullptr && !found[0].empty() && !found[1].empty()) {
        const CandidatePair pair = choose_pair(found[0], found[1], axes, *shape);
        found[0] = {pair.left};
        found[1] = {pair.right};
    }
    for (int i = 0; i < 2; ++i) {
        const PointMembers p = members(lm, which[i]);
        if (!found[i].empty()) {
            *p.x = found[i].front().x;
            *p.y = found[i].front().y;
        } else if (never_set(*p.x, *p.y)) {
            const SearchWindow w =
                landmark_window(which[i], box, r, lm, mouthLine).clipped(cols, rows);
            int x = 0, y = 0;
            (w.empty() ? landmark_window(which[i], box, r, lm, mouthLine) : w)
                .centre(cols, rows, x, y);
            *p.x = x;
            *p.y = y;
        }
    }
    return kOk;
}

// The nose centre among its window's local maxima: the best scoring one that lies below the
// eyes as a face's nose does (the window alone is a fraction of a box that may be off).
int search_nose_centre(_pixel** hsv, int cols, int rows, int set, const FaceBox& box,
                       const double* r, const PointShape& shape, FaceLandmarks& lm) {
    std::vector<PointCandidate> found;
    if (const int result =
            window_candidates(hsv, cols, rows, set, box, r, 0, kNoseCentre, lm, found);
        result != kOk)
        return result;
    if (found.empty())
        return search_points(hsv, cols, rows, set, box, r, 0, {kNoseCentre}, lm);
    double lx = 0, ly = 0, rx = 0, ry = 0;
    eye_middle(lm, 0, lx, ly);
    eye_middle(lm, 1, rx, ry);
    const PointCandidate c =
        choose_point(found, face_axes(lx, ly, rx, ry, (lx + rx) / 2, (ly + ry) / 2), shape);
    lm.nose.center_x = c.x;
    lm.nose.center_y = c.y;
    return kOk;
}

// The axes of the face for the pairs below the eyes: across from one eye's middle to the
// other's, the centre line through the nose centre.
FaceAxes axes_through_nose(const FaceLandmarks& lm) {
    double lx = 0, ly = 0, rx = 0, ry = 0;
    eye_middle(lm, 0, lx, ly);
    eye_middle(lm, 1, rx, ry);
    return face_axes(lx, ly, rx, ry, lm.nose.center_x, lm.nose.center_y);
}

// The eye corners one after another: the inner ones, then the outer pair about them.
int search_eyes_singly(_pixel** hsv, int cols, int rows, int set, const FaceBox& box,
                       const double* r, const PairShape* shape, FaceLandmarks& lm) {
    if (const int result =
            search_points(hsv, cols, rows, set, box, r, 0, {kEyeLeftIn, kEyeRightIn}, lm);
        result != kOk)
        return result;
    // The outer corners mirror about the middle of the inner ones.
    const FaceAxes eyes = face_axes(lm.eyes[0].in_x, lm.eyes[0].in_y, lm.eyes[1].in_x,
                                    lm.eyes[1].in_y, (lm.eyes[0].in_x + lm.eyes[1].in_x) / 2.0,
                                    (lm.eyes[0].in_y + lm.eyes[1].in_y) / 2.0);
    return search_pair(hsv, cols, rows, set, box, r, 0, kEyeLeftOut, kEyeRightOut, eyes, shape, lm);
}

// The correlation of the point's template at the point itself (NaN when it does not score).
double score_at(_pixel** hsv, int cols, int rows, int set, const FaceBox& box, LandmarkPoint which,
                int x, int y, const FaceLandmarks& lm) {
    ScoreMap map;
    if (landmark_score_window(hsv, cols, rows, set, landmark_template_name(which), {x, x, y, y},
                              box.height, map, template_angle(lm, which)) != kOk ||
        map.scores.empty())
        return std::numeric_limits<double>::quiet_NaN();
    return map.scores.front();
}

// How much mirror unlikeness with its partner costs a mouth corner chosen again, against its
// template score. Measured on the calibration portraits: at every weight tried from 0.25 to
// 1.5 the jaw's edge no longer takes the place of a thin-lipped mouth's corner (at 0.2 it
// still does) and no other point moves beyond a fifth of the eyes' distance; the mouth
// corners' mean error is least at 0.5.
constexpr double kMirrorWeight = 0.5;

// A mouth corner is judged by its likeness to its partner only when the partner fits the face
// shape where the corner does not: with both corners misplaced, or neither, the partner is no
// guide (two wrong corners can mirror each other as well as two right ones).
bool one_mouth_corner_misfits(const ShapeModel& model,
                              const std::array<PointCandidate, kShapePoints>& points) {
    const ShapeFit fit = fit_face_shape(model, points);
    return fit.valid && ((fit.misfit[kMouthLeft] <= model.misfitLimit) !=
                         (fit.misfit[kMouthRight] <= model.misfitLimit));
}

// The score of a candidate for point, less what its mirror unlikeness with the other mouth
// corner of points costs when it is a mouth corner.
PointCandidate with_partner(_pixel** hsv, int cols, int rows,
                            const std::array<PointCandidate, kShapePoints>& points, int point,
                            PointCandidate c) {
    if (point == kMouthLeft)
        c.score -= kMirrorWeight * mirror_unlikeness(hsv, cols, rows, c, points[kMouthRight]);
    else if (point == kMouthRight)
        c.score -= kMirrorWeight * mirror_unlikeness(hsv, cols, rows, points[kMouthLeft], c);
    return c;
}

// The nine points held to the face shape of the tables, when they give one: a point far from
// where the shape fitted to the others puts it is chosen again among its window's local
// maxima and those near that place; a mouth corner together with its partner as it stands.
void mend_by_shape(_pixel** hsv, int cols, int rows, int set, const FaceBox& box, const double* r,
                   int mouthLine, FaceLandmarks& lm) {
    double mean[kRangeValues] = {};
    double spread[kRangeValues] = {};
    if (generation_tables().read_range(set, kShapeMeanRange, mean) == 0 ||
        generation_tables().read_range(set, kShapeSpreadRange, spread) == 0)
        return;
    ShapeModel model = shape_model_from_ranges(mean, spread);
    // The ways faces vary together, when the tables hold them.
    if (double rest[kRangeValues] = {};
        generation_tables().read_range(set, kShapeRestRange, rest) != 0) {
        model.rest = shape_rest_from_range(rest);
        for (int k = 0; k < kShapeModes; ++k) {
            double mode[kRangeValues] = {};
            if (generation_tables().read_range(set, shape_mode_range(k).c_str(), mode) == 0)
                break;
            model.modes.push_back(shape_mode_from_range(mode));
        }
    }
    std::array<PointCandidate, kShapePoints> points;
    for (int i = 0; i < kShapePoints; ++i) {
        const auto which = static_cast<LandmarkPoint>(i);
        const PointMembers p = members(lm, which);
        points[i] = {*p.x, *p.y, score_at(hsv, cols, rows, set, box, which, *p.x, *p.y, lm)};
    }
    const bool mirrored = one_mouth_corner_misfits(model, points);
    if (mirrored)
        for (const int i : {kMouthLeft, kMouthRight})
            points[i] = with_partner(hsv, cols, rows, points, i, points[i]);
    const FaceLandmarks found = lm;
    const double skin = skin_hue(hsv, cols, rows, box);
    const ShapeCandidateSource source = [&](int point, double x, double y, double radius) {
        const auto which = static_cast<LandmarkPoint>(point);
        std::vector<PointCandidate> all, near;
        const int reach = std::max(2, static_cast<int>(std::ceil(radius)));
        const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
        if (window_candidates(hsv, cols, rows, set, box, r, mouthLine, which, found, all) != kOk)
            all.clear();
        if (candidates_in(hsv, cols, rows, set, box, landmark_template_name(which),
                          {cx - reach, cx + reach, cy - reach, cy + reach}, kPairCandidates, near,
                          template_angle(found, which)) == kOk)
            all.insert(all.end(), near.begin(), near.end());
        // A corner is not taken again where the face has ended beyond it.
        all = with_skin_beyond(all, which, hsv, cols, rows, box, skin, false);
        if (mirrored)
            for (PointCandidate& c : all)
                c = with_partner(hsv, cols, rows, points, point, c);
        return all;
    };
    if (mend_face_shape(model, points, source) == 0)
        return;
    for (int i = 0; i < kShapePoints; ++i) {
        const PointMembers p = members(lm, static_cast<LandmarkPoint>(i));
        *p.x = points[i].x;
        *p.y = points[i].y;
    }
}

} // namespace

SearchWindow SearchWindow::clipped(int cols, int rows) const {
    return {std::max(x0, 0), std::min(x1, cols - 1), std::max(y0, 0), std::min(y1, rows - 1)};
}

void SearchWindow::centre(int cols, int rows, int& x, int& y) const {
    x = std::clamp(static_cast<int>((static_cast<std::int64_t>(x0) + x1) / 2), 0,
                   std::max(cols - 1, 0));
    y = std::clamp(static_cast<int>((static_cast<std::int64_t>(y0) + y1) / 2), 0,
                   std::max(rows - 1, 0));
}

void face_box_lower_top(FaceBox& box) {
    box.miny += trunc_to_int(box.height * kTopLowering);
    box.centery = (box.miny + box.maxy) / 2;
    box.height = box.maxy - box.miny + 1;
}

int landmark_score_window(_pixel** hsv, int cols, int rows, int set, const char* name,
                          const SearchWindow& window, int size, ScoreMap& map, double angle) {
    map = ScoreMap{};
    ScaledTemplate t;
    try {
        if (const int result = read_scaled_template(set, name, size, angle, t); result != kOk)
            return result;
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    const SearchWindow w = window.clipped(cols, rows);
    if (hsv == nullptr || w.empty())
        return kOk;
    try {
        map = {w.x0, w.y0, w.x1 - w.x0 + 1, w.y1 - w.y0 + 1, {}};
        map.scores.resize(static_cast<std::size_t>(map.cols) * map.rows);
        // Everything the template reads from any position of the window.
        const LumaPlane plane(hsv, std::max(w.x0 + t.minDx, 0), std::min(w.x1 + t.maxDx, cols - 1),
                              std::max(w.y0 + t.minDy, 0), std::min(w.y1 + t.maxDy, rows - 1));
        // The positions where the template lies wholly inside the picture.
        const SearchWindow inner{std::max(w.x0, -t.minDx), std::min(w.x1, cols - 1 - t.maxDx),
                                 std::max(w.y0, -t.minDy), std::min(w.y1, rows - 1 - t.maxDy)};
        std::optional<InsideSums> sums;
        if (!inner.empty())
            sums.emplace(plane, t, inner);
        double* out = map.scores.data();
        for (int y = w.y0; y <= w.y1; ++y) {
            for (int x = w.x0; x <= w.x1; ++x) {
                const bool inside =
                    x >= inner.x0 && x <= inner.x1 && y >= inner.y0 && y <= inner.y1;
                // A flat neighbourhood scores 0/0, a NaN that never wins.
                *out++ =
                    inside ? sums->score(t, x, y) : correlation_at_edge(plane, t, cols, rows, x, y);
            }
        }
    } catch (const std::bad_alloc&) {
        map = ScoreMap{};
        return kNoMemory;
    }
    return kOk;
}

int landmark_match_window(_pixel** hsv, int cols, int rows, int set, const char* name,
                          const SearchWindow& window, int size, int& outX, int& outY, bool& found) {
    found = false;
    ScoreMap map;
    if (const int result = landmark_score_window(hsv, cols, rows, set, name, window, size, map);
        result != kOk)
        return result;
    const std::vector<PointCandidate> best = score_peaks(map, 1, 1);
    if (!best.empty()) {
        outX = best.front().x;
        outY = best.front().y;
        found = true;
    }
    return kOk;
}

int landmark_match_template(_pixel** hsv, int cols, int rows, int set, const char* name, int xFrom,
                            int xTo, int yFrom, int yTo, int& outX, int& outY, int size) {
    bool found = false;
    return landmark_match_window(hsv, cols, rows, set, name, {xFrom, xTo, yFrom, yTo}, size, outX,
                                 outY, found);
}

int mouth_line_projection(_pixel** hsv, int cols, int rows, int xFrom, int xTo, int yFrom, int yTo,
                          int& outY) {
    outY = yFrom;
    const std::int64_t n = std::abs(static_cast<std::int64_t>(yTo) - yFrom);
    // Under five rows nothing is smoothed, and the first row is the answer.
    if (n < 2 * kProjectionSmoothRadius + 1 || hsv == nullptr)
        return kOk;
    std::vector<double> sum;
    std::vector<double> smooth;
    try {
        sum.assign(static_cast<std::size_t>(n), 0.0);
        smooth.assign(static_cast<std::size_t>(n), 0.0);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    const int x0 = std::max(xFrom, 0);
    const int x1 = std::min(xTo, cols);
    const int y0 = std::max(yFrom, 0);
    const int y1 = std::min(yTo, rows);
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            sum[static_cast<std::size_t>(y - yFrom)] += hsv[y][x].g;
    for (std::int64_t i = kProjectionSmoothRadius; i < n - kProjectionSmoothRadius; ++i) {
        double total = 0.0;
        for (std::int64_t j = i - kProjectionSmoothRadius; j <= i + kProjectionSmoothRadius; ++j)
            total += sum[static_cast<std::size_t>(j)];
        smooth[static_cast<std::size_t>(i)] = total / (2 * kProjectionSmoothRadius + 1);
    }
    double best = -9999.0;
    std::int64_t at = 0;
    for (std::int64_t i = 0; i < n; ++i) {
        if (smooth[static_cast<std::size_t>(i)] > best) {
            best = smooth[static_cast<std::size_t>(i)];
            at = i;
        }
    }
    outY = static_cast<int>(yFrom + at);
    return kOk;
}

bool template_follows_eye_line(LandmarkPoint which) {
    return which == kNoseCentre || which == kNoseLeft || which == kNoseRight;
}

double eye_line_tilt(double lx, double ly, double rx, double ry) {
    return rx > lx ? std::atan2(ry - ly, rx - lx) : 0.0;
}

double template_angle(const FaceLandmarks& lm, LandmarkPoint which) {
    if (!template_follows_eye_line(which))
        return 0.0;
    double lx = 0, ly = 0, rx = 0, ry = 0;
    eye_middle(lm, 0, lx, ly);
    eye_middle(lm, 1, rx, ry);
    return eye_line_tilt(lx, ly, rx, ry);
}

void turned_offset(double x, double y, double scale, double angle, int& dx, int& dy) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double tx = (x * c - y * s) * scale;
    const double ty = (x * s + y * c) * scale;
    // Upright offsets keep the rounding the stored templates were always read with (a half
    // added, then truncated: a negative offset lands a pixel nearer the point); turned ones go
    // to the nearest pixel, which on the calibration portraits and their halves lost fewer
    // points.
    if (angle == 0.0) {
        dx = trunc_to_int(tx + 0.5);
        dy = trunc_to_int(ty + 0.5);
    } else {
        dx = trunc_to_int(std::lround(tx));
        dy = trunc_to_int(std::lround(ty));
    }
}

const char* landmark_template_name(LandmarkPoint which) {
    static const char* const names[] = {"EYE_LEFT_IN",   "EYE_RIGHT_IN", "EYE_LEFT_OUT",
                                        "EYE_RIGHT_OUT", "NOSE_CENTER",  "NOSE_LEFT",
                                        "NOSE_RIGHT",    "MOUTH_LEFT",   "MOUTH_RIGHT"};
    return names[which];
}

MouthBand mouth_band(const FaceBox& box, const double r[21], int noseRow) {
    const double W = box.width;
    const double H = box.height;
    const int e = trunc_to_int(W * kMouthBandHalfWidth);
    // Below the nose: the nostrils are as saturated as the lips and often more.
    const int top = std::max(trunc_to_int(H * r[19]) + box.miny, noseRow + 1);
    return {box.centerx - e, box.centerx + e, top, trunc_to_int(H * r[20]) + box.miny};
}

SearchWindow landmark_window(LandmarkPoint which, const FaceBox& box, const double r[21],
                             const FaceLandmarks& lm, int mouthLine) {
    const double W = box.width;
    const double H = box.height;
    const double minx = box.minx;
    const double maxx = box.maxx;
    const double miny = box.miny;
    const double lx = lm.eyes[0].in_x, ly = lm.eyes[0].in_y;
    const double rx = lm.eyes[1].in_x, ry = lm.eyes[1].in_y;
    const double cx = lm.nose.center_x, cy = lm.nose.center_y;
    switch (which) {
    case kEyeLeftIn:
        return window(W * r[0] + minx, W * r[1] + minx, H * r[2] + miny, H * r[3] + miny);
    case kEyeRightIn:
        return window(maxx - W * r[1], maxx - W * r[0], ly - H * r[4], ly + H * r[4]);
    case kEyeLeftOut:
        return window(lx - W * r[5], lx - W * r[6], ly + H * r[7], ly + H * r[8]);
    case kEyeRightOut:
        return window(rx + W * r[6], rx + W * r[5], ry + H * r[7], ry + H * r[8]);
    case kNoseCentre:
        return window(W * r[9] + minx, W * r[10] + minx, H * r[11] + miny, H * r[12] + miny);
    case kNoseLeft:
        return window(cx - W * r[13], cx - W * r[14], cy + H * r[15], cy + H * r[16]);
    case kNoseRight:
        return window(cx + W * r[14], cx + W * r[13], cy + H * r[15], cy + H * r[16]);
    case kMouthLeft:
    case kMouthRight: {
        // The corners' rows lie around the mouth line, inside the band.
        const MouthBand band = mouth_band(box, r, lm.nose.center_y);
        const int y0 = std::max(trunc_to_int(mouthLine - H * kMouthRowsAbove), band.y0);
        const int y1 = std::min(trunc_to_int(mouthLine + H * kMouthRowsBelow), band.y1);
        if (which == kMouthLeft)
            return {trunc_to_int(W * r[17] + minx), trunc_to_int(W * r[18] + minx), y0, y1};
        return {trunc_to_int(maxx - W * r[18]), trunc_to_int(maxx - W * r[17]), y0, y1};
    }
    }
    return {};
}

int landmark_search(int set, const FaceBox& box, _pixel** hsv, int cols, int rows,
                    FaceLandmarks& landmarks) {
    double r[kRangeValues] = {};
    if (read_ranges(set, r) != kOk)
        return kMissing;
    FaceLandmarks& lm = landmarks;
    // Without the proportions every point is the best of its own window.
    double shapes[kRangeValues] = {};
    const bool shaped = generation_tables().read_range(set, kFaceShape, shapes) != 0;
    PairShape pairs[3];
    for (int kind = kEyePair; kind <= kMouthPair; ++kind) {
        const double* v = shapes + 4 * kind;
        pairs[kind] = {v[0], v[1], v[2], v[3]};
    }
    auto shape_of = [&](PairKind kind) { return shaped ? &pairs[kind] : nullptr; };
    const PointShape noseShape{shapes[12], shapes[13], shapes[14]};
    bool eyesFound = false;
    if (shaped) {
        // The inner corners' distance is given as fractions of the box width.
        const EyeShape eyeShape{pairs[kEyePair], shapes[15], shapes[16], 0, 0, 0, 0,
                                shapes[17],      shapes[18]};
        const EyeShape placed = placed_eye_shape(eyeShape, box, r);
        if (const int result =
                search_eye_corners(hsv, cols, rows, set, box, r, placed, lm, eyesFound);
            result != kOk)
            return result;
    }
    int result =
        eyesFound ? kOk : search_eyes_singly(hsv, cols, rows, set, box, r, shape_of(kEyePair), lm);
    if (result != kOk)
        return result;
    result = shaped ? search_nose_centre(hsv, cols, rows, set, box, r, noseShape, lm)
                    : search_points(hsv, cols, rows, set, box, r, 0, {kNoseCentre}, lm);
    if (result != kOk)
        return result;
    result = search_pair(hsv, cols, rows, set, box, r, 0, kNoseLeft, kNoseRight,
                         axes_through_nose(lm), shape_of(kNosePair), lm);
    if (result != kOk)
        return result;
    const MouthBand band = mouth_band(box, r, lm.nose.center_y);
    int line = 0;
    if (mouth_line_projection(hsv, cols, rows, band.x0, band.x1, band.y0, band.y1, line) != kOk)
        return kNoMemory;
    result = search_pair(hsv, cols, rows, set, box, r, line, kMouthLeft, kMouthRight,
                         axes_through_nose(lm), shape_of(kMouthPair), lm);
    if (result == kOk)
        mend_by_shape(hsv, cols, rows, set, box, r, line, lm);
    return result;
}

} // namespace zel::engine
