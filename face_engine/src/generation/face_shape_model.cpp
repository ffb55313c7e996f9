// The mean face shape fitted to the nine landmarks, and the points that break it chosen again.

#include "generation/face_shape_model.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zel::engine {
namespace {

// Two points closer than this in the model (in eyes' distances) turn a small error in either
// into a large one in the placement: they are not fitted through alone.
constexpr double kLeastBaseline = 0.5;
// A placement that shrinks the face below a pixel between the eyes is no placement.
constexpr double kLeastScale = 1.0;
// The points are mended once. Placed again on the mended points, the shape bent along the
// modes followed a look-alike chosen in the first round with the points that move with it:
// measured on the calibration portraits, a long nose's wing taken for its shadow brought the
// centre and the other wing after it (two points beyond a fifth of the eyes' distance with a
// second round, none without).
constexpr int kMendRounds = 1;
// Spreads are never taken below this, whatever the tables say: the points are whole pixels.
constexpr double kLeastSpread = 1e-3;
// How much longer or shorter than the mean face a face may be against its eyes' distance, and
// the steps the stretch is tried in.
constexpr double kStretchLeast = 0.8;
constexpr double kStretchMost = 1.2;
constexpr int kStretchSteps = 16;
// A stretch counts against its placement as this much middle misfit per unit away from the
// mean face: most faces are near it, and a free stretch lets a placement pulled by one wrong
// eye take the lower face's points for misplaced.
constexpr double kStretchMisfit = 2.0;

double stretch_at(int step) {
    return kStretchLeast + (kStretchMost - kStretchLeast) * step / kStretchSteps;
}

bool at_stretch_limit(const ShapePlacement& placement) {
    constexpr double kTolerance = 1e-9;
    return placement.stretch <= kStretchLeast + kTolerance ||
           placement.stretch >= kStretchMost - kTolerance;
}

double spread_of(double s) {
    return std::isfinite(s) ? std::max(s, kLeastSpread) : kLeastSpread;
}

bool fit_weighted(const ShapeModel& model, const std::array<PointCandidate, kShapePoints>& points,
                  const std::array<double, kShapePoints>& weight, double stretch,
                  ShapePlacement& out) {
    std::array<ShapeOffset, kShapePoints> at;
    for (int i = 0; i < kShapePoints; ++i)
        at[i] = {static_cast<double>(points[i].x), static_cast<double>(points[i].y)};
    return place_shape(model.mean, at, weight, out, stretch) && out.scale() >= kLeastScale;
}

std::array<double, kShapePoints> misfits(const ShapeModel& model, const ShapePlacement& placement,
                                         const std::array<PointCandidate, kShapePoints>& points) {
    std::array<double, kShapePoints> m{};
    for (int i = 0; i < kShapePoints; ++i)
        m[i] = shape_misfit(model, placement, i, points[i].x, points[i].y);
    return m;
}

double middle_of(std::array<double, kShapePoints> values) {
    std::nth_element(values.begin(), values.begin() + kShapePoints / 2, values.end());
    return values[kShapePoints / 2];
}

// How well a placement fits: the middle misfit of the points, with its stretch counted in.
double fit_cost(const std::array<double, kShapePoints>& misfit, const ShapePlacement& placement) {
    return middle_of(misfit) + kStretchMisfit * std::abs(placement.stretch - 1.0);
}

bool usable(const ShapeModel& model) {
    for (int i = 0; i < kShapePoints; ++i)
        if (!std::isfinite(model.mean[i].x) || !std::isfinite(model.mean[i].y))
            return false;
    for (const ShapeMode& mode : model.modes) {
        if (!std::isfinite(mode.spread) || !(mode.spread > 0))
            return false;
        for (const ShapeOffset& m : mode.move)
            if (!std::isfinite(m.x) || !std::isfinite(m.y))
                return false;
    }
    return std::isfinite(model.misfitLimit) && model.misfitLimit > 0 &&
           std::isfinite(model.misfitWeight) && model.misfitWeight >= 0 &&
           model.modes.size() <= static_cast<std::size_t>(kShapeModes);
}

// Each point expected at its mean, faces straying about it by its spreads.
void expect_mean(const ShapeModel& model, ShapeFit& fit) {
    for (int i = 0; i < kShapePoints; ++i) {
        const double sx = spread_of(model.spread[i].x), sy = spread_of(model.spread[i].y);
        fit.expected[i] = model.mean[i];
        fit.spreadInverse[i] = {1.0 / (sx * sx), 0.0, 1.0 / (sy * sy)};
    }
}

using Moves = Eigen::Matrix<double, 2, Eigen::Dynamic, 0, 2, kShapeModes>;
using Units = Eigen::Matrix<double, Eigen::Dynamic, 1, 0, kShapeModes, 1>;
using UnitsSquare =
    Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, kShapeModes, kShapeModes>;

// How far point moves per unit of each mode.
Moves moves_of(const ShapeModel& model, int point) {
    Moves d(2, static_cast<Eigen::Index>(model.modes.size()));
    for (std::size_t k = 0; k < model.modes.size(); ++k) {
        d(0, static_cast<Eigen::Index>(k)) = model.modes[k].move[point].x;
        d(1, static_cast<Eigen::Index>(k)) = model.modes[k].move[point].y;
    }
    return d;
}

Eigen::Vector2d rest_weights(const ShapeModel& model, int point) {
    const double rx = spread_of(model.rest[point].x), ry = spread_of(model.rest[point].y);
    return {1.0 / (rx * rx), 1.0 / (ry * ry)};
}

// What each point says about the modes where placement puts the shape: the terms D'WD and
// D'W(u - mean) of the least squares that bend it, W the inverse squares of its rest spreads.
struct BendTerms {
    std::array<UnitsSquare, kShapePoints> normal;
    std::array<Units, kShapePoints> right;
};

BendTerms bend_terms(const ShapeModel& model, const ShapePlacement& placement,
                     const std::array<PointCandidate, kShapePoints>& points) {
    BendTerms terms;
    for (int i = 0; i < kShapePoints; ++i) {
        const Moves d = moves_of(model, i);
        const Eigen::Vector2d w = rest_weights(model, i);
        const ShapeOffset u = placement.unplace(points[i].x, points[i].y);
        const Eigen::Vector2d off(u.x - model.mean[i].x, u.y - model.mean[i].y);
        terms.normal[i] = d.transpose() * w.asDiagonal() * d;
        terms.right[i] = d.transpose() * w.cwiseProduct(off);
    }
    return terms;
}

// The units of each mode that bend the shape to fit the points within (but skip; -1 for
// none), each mode held to its spread as faces are; and how uncertain they are.
struct Bending {
    Units units;
    UnitsSquare uncertainty;
};

Bending bend(const ShapeModel& model, const BendTerms& terms,
             const std::array<bool, kShapePoints>& within, int skip) {
    const auto k = static_cast<Eigen::Index>(model.modes.size());
    UnitsSquare normal = UnitsSquare::Zero(k, k);
    Units right = Units::Zero(k);
    for (Eigen::Index m = 0; m < k; ++m)
        normal(m, m) = 1.0 / (model.modes[m].spread * model.modes[m].spread);
    for (int i = 0; i < kShapePoints; ++i) {
        if (within[i] && i != skip) {
            normal += terms.normal[i];
            right += terms.right[i];
        }
    }
    const Eigen::LLT<UnitsSquare> solved(normal);
    return {solved.solve(right), solved.solve(UnitsSquare::Identity(k, k))};
}

// The shape bent along the modes to fit the points within the limit is placed again on them;
// then each point is expected where the shape bent to fit the other points puts it, faces
// straying about that place by the rest spreads and by how uncertain that bending is.
void fit_bent(const ShapeModel& model, const std::array<PointCandidate, kShapePoints>& points,
              ShapeFit& fit) {
    std::array<bool, kShapePoints> within{};
    std::array<double, kShapePoints> weight{};
    std::array<ShapeOffset, kShapePoints> at;
    for (int i = 0; i < kShapePoints; ++i) {
        within[i] = fit.misfit[i] <= model.misfitLimit;
        const Eigen::Vector2d w = rest_weights(model, i);
        weight[i] = within[i] ? 1.0 / (1.0 / w.x() + 1.0 / w.y()) : 0.0;
        at[i] = {static_cast<double>(points[i].x), static_cast<double>(points[i].y)};
    }
    const Bending all = bend(model, bend_terms(model, fit.placement, points), within, -1);
    std::array<ShapeOffset, kShapePoints> bent = model.mean;
    for (int i = 0; i < kShapePoints; ++i) {
        const Eigen::Vector2d move = moves_of(model, i) * all.units;
        bent[i] = {bent[i].x + move.x(), bent[i].y + move.y()};
    }
    ShapePlacement placed;
    if (place_shape(bent, at, weight, placed, fit.placement.stretch) &&
        placed.scale() >= kLeastScale)
        fit.placement = placed;
    const BendTerms terms = bend_terms(model, fit.placement, points);
    for (int i = 0; i < kShapePoints; ++i) {
        const Bending b = bend(model, terms, within, i);
        const Moves d = moves_of(model, i);
        const Eigen::Vector2d move = d * b.units;
        Eigen::Matrix2d spread = d * b.uncertainty * d.transpose();
        spread.diagonal() += rest_weights(model, i).cwiseInverse();
        const Eigen::Matrix2d inverse = spread.inverse();
        fit.expected[i] = {model.mean[i].x + move.x(), model.mean[i].y + move.y()};
        fit.spreadInverse[i] = {inverse(0, 0), inverse(0, 1), inverse(1, 1)};
        fit.misfit[i] = fit.misfit_at(i, points[i].x, points[i].y);
    }
}

} // namespace

ShapeModel shape_model_from_ranges(const double mean[21], const double spread[21]) {
    ShapeModel model;
    for (int i = 0; i < kShapePoints; ++i) {
        model.mean[i] = {mean[2 * i], mean[2 * i + 1]};
        model.spread[i] = {spread[2 * i], spread[2 * i + 1]};
    }
    model.misfitLimit = spread[2 * kShapePoints];
    model.misfitWeight = spread[2 * kShapePoints + 1];
    return model;
}

void shape_model_to_ranges(const ShapeModel& model, double mean[21], double spread[21]) {
    std::fill(mean, mean + 21, 0.0);
    std::fill(spread, spread + 21, 0.0);
    for (int i = 0; i < kShapePoints; ++i) {
        mean[2 * i] = model.mean[i].x;
        mean[2 * i + 1] = model.mean[i].y;
        spread[2 * i] = model.spread[i].x;
        spread[2 * i + 1] = model.spread[i].y;
    }
    spread[2 * kShapePoints] = model.misfitLimit;
    spread[2 * kShapePoints + 1] = model.misfitWeight;
}

std::string shape_mode_range(int k) {
    return "SHAPE_MODE" + std::to_string(k + 1);
}

ShapeMode shape_mode_from_range(const double range[21]) {
    ShapeMode mode;
    for (int i = 0; i < kShapePoints; ++i)
        mode.move[i] = {range[2 * i], range[2 * i + 1]};
    mode.spread = range[2 * kShapePoints];
    return mode;
}

void shape_mode_to_range(const ShapeMode& mode, double range[21]) {
    std::fill(range, range + 21, 0.0);
    for (int i = 0; i < kShapePoints; ++i) {
        range[2 * i] = mode.move[i].x;
        range[2 * i + 1] = mode.move[i].y;
    }
    range[2 * kShapePoints] = mode.spread;
}

std::array<ShapeOffset, kShapePoints> shape_rest_from_range(const double range[21]) {
    std::array<ShapeOffset, kShapePoints> rest{};
    for (int i = 0; i < kShapePoints; ++i)
        rest[i] = {range[2 * i], range[2 * i + 1]};
    return rest;
}

void shape_rest_to_range(const std::array<ShapeOffset, kShapePoints>& rest, double range[21]) {
    std::fill(range, range + 21, 0.0);
    for (int i = 0; i < kShapePoints; ++i) {
        range[2 * i] = rest[i].x;
        range[2 * i + 1] = rest[i].y;
    }
}

bool place_shape(const std::array<ShapeOffset, kShapePoints>& unstretched,
                 const std::array<ShapeOffset, kShapePoints>& at,
                 const std::array<double, kShapePoints>& weight, ShapePlacement& out,
                 double stretch) {
    if (!(stretch > 0) || !std::isfinite(stretch))
        return false;
    std::array<ShapeOffset, kShapePoints> mean = unstretched;
    for (ShapeOffset& p : mean)
        p.y *= stretch;
    double total = 0, mx = 0, my = 0, px = 0, py = 0;
    for (int i = 0; i < kShapePoints; ++i) {
        total += weight[i];
        mx += weight[i] * mean[i].x;
        my += weight[i] * mean[i].y;
        px += weight[i] * at[i].x;
        py += weight[i] * at[i].y;
    }
    if (!(total > 0))
        return false;
    mx /= total;
    my /= total;
    px /= total;
    py /= total;
    double norm = 0, dot = 0, cross = 0;
    for (int i = 0; i < kShapePoints; ++i) {
        const double x = mean[i].x - mx, y = mean[i].y - my;
        const double X = at[i].x - px, Y = at[i].y - py;
        norm += weight[i] * (x * x + y * y);
        dot += weight[i] * (x * X + y * Y);
        cross += weight[i] * (x * Y - y * X);
    }
    if (!(norm > 0))
        return false;
    out.a = dot / norm;
    out.b = cross / norm;
    out.tx = px - (out.a * mx - out.b * my);
    out.ty = py - (out.b * mx + out.a * my);
    out.stretch = stretch;
    return std::isfinite(out.a) && std::isfinite(out.b) && std::isfinite(out.tx) &&
           std::isfinite(out.ty) && out.scale() > 0;
}

double ShapePlacement::scale() const {
    return std::hypot(a, b);
}

void ShapePlacement::place(const ShapeOffset& o, double& x, double& y) const {
    x = a * o.x - b * stretch * o.y + tx;
    y = b * o.x + a * stretch * o.y + ty;
}

ShapeOffset ShapePlacement::unplace(double x, double y) const {
    const double s2 = a * a + b * b;
    const double dx = x - tx, dy = y - ty;
    return {(a * dx + b * dy) / s2, (a * dy - b * dx) / (s2 * stretch)};
}

double shape_misfit(const ShapeModel& model, const ShapePlacement& placement, int point, double x,
                    double y) {
    if (!(placement.scale() > 0))
        return std::numeric_limits<double>::infinity();
    const ShapeOffset u = placement.unplace(x, y);
    const ShapeOffset m = model.mean[point];
    return std::hypot((u.x - m.x) / spread_of(model.spread[point].x),
                      (u.y - m.y) / spread_of(model.spread[point].y));
}

ShapeFit fit_face_shape(const ShapeModel& model,
                        const std::array<PointCandidate, kShapePoints>& points) {
    ShapeFit fit;
    if (!usable(model))
        return fit;
    expect_mean(model, fit);
    double bestCost = std::numeric_limits<double>::infinity();
    for (int i = 0; i < kShapePoints; ++i) {
        for (int j = i + 1; j < kShapePoints; ++j) {
            if (std::hypot(model.mean[j].x - model.mean[i].x, model.mean[j].y - model.mean[i].y) <
                kLeastBaseline)
                continue;
            std::array<double, kShapePoints> weight{};
            weight[i] = weight[j] = 1.0;
            for (int step = 0; step <= kStretchSteps; ++step) {
                ShapePlacement placement;
                if (!fit_weighted(model, points, weight, stretch_at(step), placement))
                    continue;
                const auto m = misfits(model, placement, points);
                if (const double cost = fit_cost(m, placement); cost < bestCost) {
                    bestCost = cost;
                    fit.valid = true;
                    fit.placement = placement;
                    fit.misfit = m;
                }
            }
        }
    }
    if (!fit.valid)
        return fit;
    // The points that agree with the best placement place the model together, each by how
    // closely faces keep it.
    std::array<double, kShapePoints> weight{};
    for (int i = 0; i < kShapePoints; ++i) {
        const double sx = spread_of(model.spread[i].x), sy = spread_of(model.spread[i].y);
        weight[i] = fit.misfit[i] <= model.misfitLimit ? 1.0 / (sx * sx + sy * sy) : 0.0;
    }
    ShapePlacement refined;
    if (fit_weighted(model, points, weight, fit.placement.stretch, refined)) {
        const auto m = misfits(model, refined, points);
        if (fit_cost(m, refined) <= bestCost) {
            fit.placement = refined;
            fit.misfit = m;
        }
    }
    if (!model.modes.empty())
        fit_bent(model, points, fit);
    return fit;
}

double ShapeFit::misfit_at(int point, double x, double y) const {
    if (!(placement.scale() > 0))
        return std::numeric_limits<double>::infinity();
    const ShapeOffset u = placement.unplace(x, y);
    const double dx = u.x - expected[point].x, dy = u.y - expected[point].y;
    const auto& w = spreadInverse[point];
    return std::sqrt(std::max(0.0, w[0] * dx * dx + 2 * w[1] * dx * dy + w[2] * dy * dy));
}

void ShapeFit::expected_in_picture(int point, double& x, double& y) const {
    placement.place(expected[point], x, y);
}

double ShapeFit::reach(int point) const {
    // The least eigenvalue of the inverse is the inverse square of the widest spread.
    const auto& w = spreadInverse[point];
    const double least = (w[0] + w[2]) / 2 - std::hypot((w[0] - w[2]) / 2, w[1]);
    return least > 0 ? placement.scale() / std::sqrt(least) : 0.0;
}

namespace {

// The points of an eye's two corners (in the order of the landmark search's points).
constexpr int kEyeCornerPoints[2][2] = {{0, 2}, {1, 3}};

// An eye whose two corners both lie beyond the limit, moved together across the face and
// keeping the eye's width and height, is an eye where a turned head puts it: the far eye comes
// nearer the face's middle than on the mean face. Chosen again, its corners would be pulled
// apart onto look-alikes (the face's edge, the ear). Its misfits against each other, and its
// shift up or down, are judged by the same limit as single points. Measured on the calibration
// portraits, each half's tables tried on the other half: two far eyes found right are no longer
// pulled onto the face's edge, one eye found whole beside its place behind glasses is no longer
// mended (points beyond a fifth of the eyes' distance 11 to 10).
// How far faces stray from where the fit expects a point, along x and along y.
ShapeOffset spread_about(const ShapeFit& fit, int point) {
    const auto& w = fit.spreadInverse[point];
    const double det = w[0] * w[2] - w[1] * w[1];
    if (!(det > 0))
        return {kLeastSpread, kLeastSpread};
    return {std::sqrt(w[2] / det), std::sqrt(w[0] / det)};
}

bool eye_shifted_whole(const ShapeModel& model, const ShapeFit& fit,
                       const std::array<PointCandidate, kShapePoints>& points, int in, int out) {
    const ShapeOffset a = fit.placement.unplace(points[in].x, points[in].y);
    const ShapeOffset b = fit.placement.unplace(points[out].x, points[out].y);
    const ShapeOffset da{a.x - fit.expected[in].x, a.y - fit.expected[in].y};
    const ShapeOffset db{b.x - fit.expected[out].x, b.y - fit.expected[out].y};
    const ShapeOffset si = spread_about(fit, in), so = spread_about(fit, out);
    const double sx = std::hypot(si.x, so.x);
    const double sy = std::hypot(si.y, so.y);
    const double apart = std::hypot((db.x - da.x) / sx, (db.y - da.y) / sy);
    const double upDown = std::abs(da.y + db.y) / sy;
    return apart <= model.misfitLimit && upDown <= model.misfitLimit;
}

std::array<bool, kShapePoints>
eyes_shifted_whole(const ShapeModel& model, const ShapeFit& fit,
                   const std::array<PointCandidate, kShapePoints>& points) {
    std::array<bool, kShapePoints> kept{};
    for (const auto& eye : kEyeCornerPoints) {
        const int in = eye[0], out = eye[1];
        if (fit.misfit[in] > model.misfitLimit && fit.misfit[out] > model.misfitLimit &&
            eye_shifted_whole(model, fit, points, in, out))
            kept[in] = kept[out] = true;
    }
    return kept;
}

int mend_once(const ShapeModel& model, std::array<PointCandidate, kShapePoints>& points,
              const ShapeCandidateSource& source) {
    const ShapeFit fit = fit_face_shape(model, points);
    // When most points lie beyond the limit, the placement itself is not to be trusted: the
    // search went wrong as a whole (a face box off the face), not one point. Nor is it when it
    // needed the most stretch a face may have: faces lie well inside that, so the points it
    // was placed on are wrong together (a turned head's eyes), and it would pull right points
    // after them.
    if (!fit.valid || middle_of(fit.misfit) > model.misfitLimit || at_stretch_limit(fit.placement))
        return 0;
    int moved = 0;
    const auto kept = eyes_shifted_whole(model, fit, points);
    for (int i = 0; i < kShapePoints; ++i) {
        if (!(fit.misfit[i] > model.misfitLimit) || kept[i])
            continue;
        double px = 0, py = 0;
        fit.expected_in_picture(i, px, py);
        const double reach = model.misfitLimit * fit.reach(i);
        PointCandidate best = points[i];
        // A point that did not score at all is the worst of candidates, not a NaN none beats.
        if (!std::isfinite(best.score))
            best.score = -1.0;
        double bestMerit = best.score - model.misfitWeight * fit.misfit[i];
        for (const PointCandidate& c : source(i, px, py, reach)) {
            const double merit = c.score - model.misfitWeight * fit.misfit_at(i, c.x, c.y);
            if (std::isfinite(merit) && merit > bestMerit) {
                bestMerit = merit;
                best = c;
            }
        }
        if (best.x != points[i].x || best.y != points[i].y)
            ++moved;
        points[i] = best;
    }
    return moved;
}

} // namespace

int mend_face_shape(const ShapeModel& model, std::array<PointCandidate, kShapePoints>& points,
                    const ShapeCandidateSource& source) {
    int moved = 0;
    for (int round = 0; round < kMendRounds; ++round) {
        const int now = mend_once(model, points, source);
        if (now == 0)
            break;
        moved += now;
    }
    return moved;
}

} // namespace zel::engine
