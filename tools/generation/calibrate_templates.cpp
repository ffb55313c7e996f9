#include "calibrate_templates.h"

#include "calibrate_windows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelgen {
namespace {

// Within this many thousandths of the box height of the point a position counts as the point.
constexpr int kNear = 10;

struct Offset {
    int x;
    int y;
};

// A coarse grid over the whole context and a fine one near the point.
std::vector<Offset> grid(const TemplateShape& shape) {
    std::vector<Offset> g;
    for (int y = -shape.halfHeight; y <= shape.halfHeight; y += shape.step)
        for (int x = -shape.halfWidth; x <= shape.halfWidth; x += shape.step)
            g.push_back({x, y});
    if (shape.fineStep > 0)
        for (int y = -shape.fineHalf; y <= shape.fineHalf; y += shape.fineStep)
            for (int x = -shape.fineHalf; x <= shape.fineHalf; x += shape.fineStep)
                if (std::none_of(g.begin(), g.end(),
                                 [&](const Offset& o) { return o.x == x && o.y == y; }))
                    g.push_back({x, y});
    return g;
}

// The brightness around centre at the grid offsets (mirrored: offsets taken right to left),
// turned by angle, normalised to mean 0 and deviation 1.
std::vector<double> pattern(const Sample& s, Point centre, const std::vector<Offset>& g,
                            bool mirrored, double angle) {
    const double unit = s.box.height / static_cast<double>(kTemplateReference);
    const double c = std::cos(angle), sn = std::sin(angle);
    std::vector<double> v;
    v.reserve(g.size());
    for (const Offset& o : g) {
        const double x = mirrored ? -o.x : o.x;
        v.push_back(
            s.luma_at(centre.x + (x * c - o.y * sn) * unit, centre.y + (x * sn + o.y * c) * unit));
    }
    double mean = 0;
    for (double x : v)
        mean += x;
    mean /= static_cast<double>(v.size());
    double var = 0;
    for (double& x : v) {
        x -= mean;
        var += x * x;
    }
    const double sd = std::sqrt(var / static_cast<double>(v.size()));
    for (double& x : v)
        x = sd > 0 ? x / sd : 0.0;
    return v;
}

vyrgen::PointTemplate mirror(const vyrgen::PointTemplate& t, const char* name) {
    vyrgen::PointTemplate m{name, t.reference_size, {}};
    for (const vyrgen::WeightedPoint& p : t.points)
        m.points.push_back({-p.x, p.y, p.weight});
    return m;
}

// One side of one portrait as the search sees it: the brightness at the template's grid
// offsets, scaled, turned and rounded as the search does it, around any position.
class View {
public:
    View(const Sample& s, Point point, const std::vector<Offset>& g, bool mirrored,
         const zel::engine::SearchWindow& window, double angle)
        : sample_(s), window_(window.clipped(s.cols, s.rows)),
          x_(static_cast<int>(std::lround(point.x))), y_(static_cast<int>(std::lround(point.y))) {
        const double scale = s.box.height / static_cast<double>(kTemplateReference);
        for (const Offset& o : g) {
            int dx = 0, dy = 0;
            zel::engine::turned_offset(mirrored ? -o.x : o.x, o.y, scale, angle, dx, dy);
            dx_.push_back(dx);
            dy_.push_back(dy);
        }
    }
    int x() const { return x_; }
    int y() const { return y_; }
    double unit() const { return sample_.box.height / static_cast<double>(kTemplateReference); }
    const zel::engine::SearchWindow& window() const { return window_; }
    // The brightness at position (x, y), standardised (mean 0, length 1); false when a point
    // falls outside the picture or the brightness is flat.
    bool features(int x, int y, std::vector<double>& f) const {
        f.resize(dx_.size());
        double mean = 0;
        for (std::size_t i = 0; i < dx_.size(); ++i) {
            const int px = x + dx_[i], py = y + dy_[i];
            if (px < 0 || py < 0 || px >= sample_.cols || py >= sample_.rows)
                return false;
            f[i] = sample_.luma(px, py);
            mean += f[i];
        }
        mean /= static_cast<double>(f.size());
        double norm = 0;
        for (double& v : f) {
            v -= mean;
            norm += v * v;
        }
        if (norm <= 0)
            return false;
        norm = std::sqrt(norm);
        for (double& v : f)
            v /= norm;
        return true;
    }

private:
    const Sample& sample_;
    zel::engine::SearchWindow window_;
    int x_;
    int y_;
    std::vector<int> dx_;
    std::vector<int> dy_;
};

double dot(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += a[i] * b[i];
    return sum;
}

double length(const std::vector<double>& a) {
    return std::sqrt(dot(a, a));
}

// Perceptron rounds over the views: where another position of the search area scores within
// a margin of the point (or above it), the weights move towards the point's pattern and away
// from that position's. The average of the weights over all steps is kept, which generalises
// better than the last.
std::vector<double> train(const std::vector<View>& views, std::vector<double> w, int rounds) {
    // Correlations closer than this to the point's count as rivals: the margin keeps the point
    // ahead on portraits not seen here.
    constexpr double kMargin = 0.05;
    constexpr double kStep = 0.1;
    auto normalise = [](std::vector<double>& v) {
        const double n = length(v);
        if (n > 0)
            for (double& x : v)
                x /= n;
    };
    normalise(w);
    std::vector<double> sum = w;
    long steps = 1;
    std::vector<double> truth, f, best;
    for (int round = 0; round < rounds; ++round) {
        for (const View& view : views) {
            if (!view.features(view.x(), view.y(), truth))
                continue;
            // Positions this near the point count as finding it.
            const int near = std::max(1, static_cast<int>(std::lround(kNear * view.unit())));
            const zel::engine::SearchWindow& area = view.window();
            double top = -2;
            for (int x = area.x0; x <= area.x1; ++x)
                for (int y = area.y0; y <= area.y1; ++y) {
                    if (std::abs(x - view.x()) <= near && std::abs(y - view.y()) <= near)
                        continue;
                    if (!view.features(x, y, f))
                        continue;
                    const double score = dot(f, w);
                    if (score > top) {
                        top = score;
                        best = f;
                    }
                }
            if (top > -2 && dot(truth, w) < top + kMargin) {
                for (std::size_t i = 0; i < w.size(); ++i)
                    w[i] += kStep * (truth[i] - best[i]);
                normalise(w);
            }
            for (std::size_t i = 0; i < w.size(); ++i)
                sum[i] += w[i];
            ++steps;
        }
    }
    for (double& s : sum)
        s /= static_cast<double>(steps);
    return sum;
}

// The views of every sample, both sides, at the offsets g.
std::vector<View> make_views(const std::vector<Sample>& samples, const TemplatePoint& p,
                             const std::vector<Offset>& g, const std::array<double, 21>& r) {
    std::vector<View> views;
    for (const Sample& s : samples) {
        const FaceLandmarks lm = reference_landmarks(s);
        for (const bool mirrored : {false, true})
            views.emplace_back(s, s.ref.at(mirrored ? p.mirrorKey : p.key), g, mirrored,
                               zel::engine::landmark_window(mirrored ? p.mirror : p.point, s.box,
                                                            r.data(), lm, reference_mouth_line(s)),
                               zel::engine::template_angle(lm, p.point));
    }
    return views;
}

// The offset mirroring offsets[i] (i itself on the axis, or when there is none).
std::size_t mirror_index(const std::vector<Offset>& offsets, std::size_t i) {
    for (std::size_t j = 0; j < offsets.size(); ++j)
        if (offsets[j].x == -offsets[i].x && offsets[j].y == offsets[i].y)
            return j;
    return i;
}

// Each weight and its mirror image's take their mean.
void symmetrise(const std::vector<Offset>& offsets, std::vector<double>& w) {
    std::vector<double> mean = w;
    for (std::size_t i = 0; i < offsets.size(); ++i)
        mean[i] = (w[i] + w[mirror_index(offsets, i)]) / 2;
    w = mean;
}

} // namespace

const std::vector<TemplatePoint>& template_points() {
    using namespace zel::engine;
    static const std::vector<TemplatePoint> points = {
        {kEyeLeftIn, "leye_in", kEyeRightIn, "reye_in"},
        {kEyeLeftOut, "leye_out", kEyeRightOut, "reye_out"},
        {kNoseCentre, "nose_c", kNoseCentre, "nose_c"},
        {kNoseLeft, "nose_l", kNoseRight, "nose_r"},
        {kMouthLeft, "mouth_l", kMouthRight, "mouth_r"},
    };
    return points;
}

std::vector<vyrgen::PointTemplate> derive_templates(const std::vector<Sample>& samples,
                                                    const TemplatePoint& p,
                                                    const TemplateShape& shape,
                                                    const std::array<double, 21>& r) {
    // The mean pattern of the grid starts the training; half the rounds teach the whole grid,
    // then the strongest points are kept and the other half teaches them alone.
    std::vector<Offset> g = grid(shape);
    std::vector<double> w(g.size(), 0.0);
    for (const Sample& s : samples) {
        const double angle = zel::engine::template_angle(reference_landmarks(s), p.point);
        for (const bool mirrored : {false, true}) {
            const auto v = pattern(s, s.ref.at(mirrored ? p.mirrorKey : p.key), g, mirrored, angle);
            for (std::size_t i = 0; i < g.size(); ++i)
                w[i] += v[i];
        }
    }
    // A point that is its own mirror image (the nose's centre) keeps a template that is too.
    const bool symmetric = p.mirror == p.point;
    w = train(make_views(samples, p, g, r), w, shape.rounds / 2);
    if (symmetric)
        symmetrise(g, w);
    // The strongest points are kept (a point and its mirror image together).
    std::vector<std::size_t> order(g.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return std::abs(w[a]) > std::abs(w[b]); });
    std::vector<bool> keep(g.size(), false);
    std::size_t count = 0;
    for (const std::size_t i : order) {
        const std::size_t m = symmetric ? mirror_index(g, i) : i;
        const std::size_t adds = keep[i] ? 0 : (m == i ? 1 : 2);
        if (adds == 0)
            continue;
        if (count + adds > static_cast<std::size_t>(shape.maxPoints))
            break;
        keep[i] = keep[m] = true;
        count += adds;
    }
    std::vector<Offset> kept;
    std::vector<double> keptWeights;
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (keep[i]) {
            kept.push_back(g[i]);
            keptWeights.push_back(w[i]);
        }
    }
    keptWeights =
        train(make_views(samples, p, kept, r), keptWeights, shape.rounds - shape.rounds / 2);
    if (symmetric)
        symmetrise(kept, keptWeights);
    double strongest = 0;
    for (const double v : keptWeights)
        strongest = std::max(strongest, std::abs(v));
    vyrgen::PointTemplate t{zel::engine::landmark_template_name(p.point), kTemplateReference, {}};
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const int weight =
            static_cast<int>(std::lround(shape.maxWeight * keptWeights[i] / strongest));
        if (weight != 0)
            t.points.push_back({kept[i].x, kept[i].y, weight});
    }
    std::vector<vyrgen::PointTemplate> out{t};
    if (p.mirror != p.point)
        out.push_back(mirror(t, zel::engine::landmark_template_name(p.mirror)));
    return out;
}

} // namespace zelgen
