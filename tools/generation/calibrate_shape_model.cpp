#include "calibrate_shape_model.h"

#include <Eigen/Dense>

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

// The modes of the shapes' offsets from the mean (18 values each): the covariance's
// eigenvectors of the greatest eigenvalues, each turned so that its largest move is positive
// (tables come out the same from run to run); then the rest spreads.
void measure_modes(const std::vector<Eigen::VectorXd>& offsets, const ShapeModelSettings& settings,
                   zel::engine::ShapeModel& model, std::vector<std::string>& lines) {
    const int count = std::min(settings.modes, zel::engine::kShapeModes);
    if (count < 1 || offsets.size() < 2)
        return;
    constexpr int n = 2 * kShapePoints;
    Eigen::MatrixXd covariance = Eigen::MatrixXd::Zero(n, n);
    for (const Eigen::VectorXd& o : offsets)
        covariance += o * o.transpose();
    covariance /= static_cast<double>(offsets.size() - 1);
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solved(covariance);
    const double total = solved.eigenvalues().sum();
    Eigen::MatrixXd directions(n, count);
    double share = 0.0;
    for (int k = 0; k < count; ++k) {
        Eigen::VectorXd v = solved.eigenvectors().col(n - 1 - k);
        Eigen::Index largest = 0;
        v.cwiseAbs().maxCoeff(&largest);
        if (v(largest) < 0)
            v = -v;
        directions.col(k) = v;
        zel::engine::ShapeMode mode;
        for (int i = 0; i < kShapePoints; ++i)
            mode.move[i] = {v(2 * i), v(2 * i + 1)};
        mode.spread = std::sqrt(std::max(solved.eigenvalues()(n - 1 - k), 0.0));
        model.modes.push_back(mode);
        share += solved.eigenvalues()(n - 1 - k) / total;
    }
    std::vector<double> rest[n];
    for (const Eigen::VectorXd& o : offsets) {
        const Eigen::VectorXd left = o - directions * (directions.transpose() * o);
        for (int j = 0; j < n; ++j)
            rest[j].push_back(left(j));
    }
    for (int i = 0; i < kShapePoints; ++i) {
        const double sx = robust_sigma(rest[2 * i]), sy = robust_sigma(rest[2 * i + 1]);
        model.rest[i] = {std::hypot(sx, settings.floor), std::hypot(sy, settings.floor)};
        char line[200];
        std::snprintf(line, sizeof line, "%s strays %.3f, %.3f from the shape bent along %d modes",
                      kKeys[i], sx, sy, count);
        lines.push_back(line);
    }
    std::string spreads;
    for (const zel::engine::ShapeMode& mode : model.modes) {
        char value[16];
        std::snprintf(value, sizeof value, " %.3f", mode.spread);
        spreads += value;
    }
    char line[200];
    std::snprintf(line, sizeof line, "%d modes hold %.0f%% of how the shapes vary, spreads%s",
                  count, 100 * share, spreads.c_str());
    lines.push_back(line);
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
    std::vector<Eigen::VectorXd> offsets;
    for (const Shape& shape : shapes) {
        Shape a;
        if (!aligned_to(mean, shape, a))
            continue;
        Eigen::VectorXd o(2 * kShapePoints);
        for (int i = 0; i < kShapePoints; ++i) {
            o(2 * i) = a[i].x - mean[i].x;
            o(2 * i + 1) = a[i].y - mean[i].y;
        }
        offsets.push_back(o);
    }
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
    measure_modes(offsets, settings, model, lines);
    return model;
}

} // namespace zelgen
