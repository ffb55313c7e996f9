#include "calibrate_shape_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace zelgen {
namespace {

using zel::engine::kShapePoints;
using zel::engine::ShapeOffset;
using zel::engine::ShapePlacement;
using Shape = std::array<ShapeOffset, kShapePoints>;

// The reference keys of the search's points, in the search's order.
constexpr const char* kKeys[kShapePoints] = {"leye_in", "reye_in", "leye_out", "reye_out", "nose_c",
                                             "nose_l",  "nose_r",  "mouth_l",  "mouth_r"};
constexpr int kLeftEye[2] = {0, 2};
constexpr int kRightEye[2] = {1, 3};
// Rounds of aligning every face to the mean and taking the mean again.
constexpr int kAlignRounds = 4;
// A median absolute deviation times this estimates the standard deviation.
constexpr double kMadToSigma = 1.4826;

Shape reference_shape(const Sample& s) {
    Shape shape;
    for (int i = 0; i < kShapePoints; ++i) {
        const Point p = s.ref.at(kKeys[i]);
        shape[i] = {p.x, p.y};
    }
    return shape;
}

// The shape in its own face frame: the eyes' middles at (-0.5, 0) and (0.5, 0).
Shape in_eye_frame(const Shape& shape) {
    const double lx = (shape[kLeftEye[0]].x + shape[kLeftEye[1]].x) / 2;
    const double ly = (shape[kLeftEye[0]].y + shape[kLeftEye[1]].y) / 2;
    const double rx = (shape[kRightEye[0]].x + shape[kRightEye[1]].x) / 2;
    const double ry = (shape[kRightEye[0]].y + shape[kRightEye[1]].y) / 2;
    const double ox = (lx + rx) / 2, oy = (ly + ry) / 2;
    const double d = std::hypot(rx - lx, ry - ly);
    Shape out = shape;
    if (!(d > 0))
        return out;
    const double ux = (rx - lx) / d, uy = (ry - ly) / d;
    for (ShapeOffset& p : out) {
        const double dx = p.x - ox, dy = p.y - oy;
        p = {(dx * ux + dy * uy) / d, (dy * ux - dx * uy) / d};
    }
    return out;
}

// The shape carried into the frame of mean by the placement of mean on it that fits best.
bool aligned_to(const Shape& mean, const Shape& shape, Shape& out) {
    ShapePlacement placement;
    std::array<double, kShapePoints> weight;
    weight.fill(1.0);
    if (!zel::engine::place_shape(mean, shape, weight, placement))
        return false;
    for (int i = 0; i < kShapePoints; ++i)
        out[i] = placement.unplace(shape[i].x, shape[i].y);
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double robust_sigma(const std::vector<double>& v) {
    const double m = median(v);
    std::vector<double> deviation;
    for (const double x : v)
        deviation.push_back(std::abs(x - m));
    return kMadToSigma * median(deviation);
}

} // namespace

zel::engine::ShapeModel measure_shape_model(const std::vector<Sample>& samples,
                                            const ShapeModelSettings& settings,
                                            std::vector<std::string>& lines) {
    zel::engine::ShapeModel model;
    model.misfitLimit = settings.misfitLimit;
    model.misfitWeight = settings.misfitWeight;
    std::vector<Shape> shapes;
    for (const Sample& s : samples)
        shapes.push_back(reference_shape(s));
    if (shapes.empty())
        return model;
    // The mean in the eye frame, then refined by aligning every face to it as a whole.
    Shape mean{};
    for (const Shape& shape : shapes) {
        const Shape own = in_eye_frame(shape);
        for (int i = 0; i < kShapePoints; ++i) {
            mean[i].x += own[i].x / shapes.size();
            mean[i].y += own[i].y / shapes.size();
        }
    }
    std::vector<Shape> aligned(shapes.size());
    for (int round = 0; round < kAlignRounds; ++round) {
        Shape next{};
        int count = 0;
        for (std::size_t k = 0; k < shapes.size(); ++k) {
            if (!aligned_to(mean, shapes[k], aligned[k]))
                continue;
            ++count;
            for (int i = 0; i < kShapePoints; ++i) {
                next[i].x += aligned[k][i].x;
                next[i].y += aligned[k][i].y;
            }
        }
        if (count == 0)
            break;
        for (ShapeOffset& p : next)
            p = {p.x / count, p.y / count};
        mean = in_eye_frame(next);
    }
    model.mean = mean;
    for (int i = 0; i < kShapePoints; ++i) {
        std::vector<double> dx, dy;
        for (std::size_t k = 0; k < shapes.size(); ++k) {
            Shape a;
            if (!aligned_to(mean, shapes[k], a))
                continue;
            dx.push_back(a[i].x - mean[i].x);
            dy.push_back(a[i].y - mean[i].y);
        }
        const double sx = robust_sigma(dx), sy = robust_sigma(dy);
        model.spread[i] = {std::hypot(sx, settings.floor), std::hypot(sy, settings.floor)};
        char line[200];
        std::snprintf(line, sizeof line,
                      "%s at %.3f, %.3f spread %.3f, %.3f (of the eyes' distance, %zu portraits)",
                      kKeys[i], mean[i].x, mean[i].y, sx, sy, dx.size());
        lines.push_back(line);
    }
    return model;
}

} // namespace zelgen
