#include "calibrate_lines.h"

#include "calibrate_windows.h"

#include "generation/feature_line_search.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelgen {
namespace {

// Thickness groups, in the order of the table.
enum Group : int {
    kLeftBrowTop,
    kLeftBrowBottom,
    kRightBrowTop,
    kRightBrowBottom,
    kLeftEyeTop,
    kLeftEyeBottom,
    kRightEyeTop,
    kRightEyeBottom,
    kMouthTop,
    kMouthBottom,
};

// The feature-line search widens every window by this share of the box height.
constexpr double kSearchMargin = 0.025;
// The brow window keeps at least this far above the upper lids it could otherwise take for a
// brow.
constexpr double kBrowLidGap = 0.01;

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * (v.size() - 1)))];
}

struct Boundary {
    double median;
    double nearest; // smallest distance from the centre line that counts
    double furthest;
};

Boundary boundary(const std::vector<double>& offsets, double outside, double margin) {
    return {quantile(offsets, 0.5), std::max(0.0, quantile(offsets, outside) - margin),
            quantile(offsets, 1 - outside) + margin};
}

// Boundaries above their centre line take the furthest limit first, those below the nearest.
void store(std::array<double, 30>& t, int group, const Boundary& b, bool below) {
    t[3 * group] = b.median;
    t[3 * group + 1] = below ? b.nearest : b.furthest;
    t[3 * group + 2] = below ? b.furthest : b.nearest;
}

double eye_row(const Sample& s, const char* in, const char* out) {
    return (s.ref.at(in).y + s.ref.at(out).y) / 2;
}

// A sample's brightness as the strip searches read it: grey rows, row 0 at the top.
class GreyRows {
public:
    explicit GreyRows(const Sample& s)
        : pixels_(static_cast<std::size_t>(s.cols) * s.rows),
          rows_(static_cast<std::size_t>(s.rows)) {
        for (int y = 0; y < s.rows; ++y) {
            rows_[static_cast<std::size_t>(y)] =
                pixels_.data() + static_cast<std::size_t>(y) * s.cols;
            for (int x = 0; x < s.cols; ++x)
                rows_[static_cast<std::size_t>(y)][x] = s.luma(x, y);
        }
    }
    unsigned char** rows() { return rows_.data(); }

private:
    std::vector<unsigned char> pixels_;
    std::vector<unsigned char*> rows_;
};

// The brow's lower edge in one sample, found by the brow strips in a generous window above the
// eye: the mean lower boundary of the strips near the eye's middle whose upper boundary agrees
// with the reference brow. Not a number when the strips do not find the brow.
double brow_bottom(Sample& s, bool right, double tolerance) {
    const Point in = s.ref.at(right ? "reye_in" : "leye_in");
    const Point out = s.ref.at(right ? "reye_out" : "leye_out");
    const double top = s.ref.at(right ? "rbrow_mid" : "lbrow_mid").y;
    const double cy = (in.y + out.y) / 2;
    const double H = s.box.height;
    GreyRows grey(s);
    const double d = std::abs(in.x - out.x);
    zel::engine::LineRecord record;
    zel::engine::brow_scan_columns(
        grey.rows(), s.cols, s.rows, static_cast<int>(std::min(in.x, out.x) - d / 2),
        static_cast<int>(std::max(in.x, out.x) + d / 2), static_cast<int>(cy - 0.35 * H),
        static_cast<int>(cy - 0.02 * H), record);
    const double middle = (in.x + out.x) / 2;
    double sum = 0;
    int n = 0;
    for (int i = 0; i < record.n; ++i) {
        const int x = record.x0 + i;
        const auto k = static_cast<std::size_t>(i);
        if (std::abs(x - middle) > d / 8 || record.b[k] == 0 || record.c[k] == 0)
            continue;
        if (std::abs(record.b[k] - top) > tolerance * H)
            continue;
        sum += record.c[k];
        ++n;
    }
    return n > 0 ? (cy - sum / n) / H : std::nan("");
}

} // namespace

std::array<double, 30> measure_thickness(std::vector<Sample>& samples, double outside,
                                         double margin, std::vector<std::string>& report) {
    std::vector<double> eyeTop, eyeBottom, mouthTop, mouthBottom, browTop, browBottom;
    for (Sample& s : samples) {
        const double H = s.box.height;
        for (const bool right : {false, true}) {
            const double cy =
                right ? eye_row(s, "reye_in", "reye_out") : eye_row(s, "leye_in", "leye_out");
            eyeTop.push_back((cy - s.ref.at(right ? "reye_top" : "leye_top").y) / H);
            eyeBottom.push_back((s.ref.at(right ? "reye_bot" : "leye_bot").y - cy) / H);
            browTop.push_back((cy - s.ref.at(right ? "rbrow_mid" : "lbrow_mid").y) / H);
            const double bottom = brow_bottom(s, right, 0.02);
            if (std::isfinite(bottom))
                browBottom.push_back(bottom);
        }
        const double line = reference_mouth_line(s);
        mouthTop.push_back((line - s.ref.at("mouth_top").y) / H);
        mouthBottom.push_back((s.ref.at("mouth_bot").y - line) / H);
    }
    std::array<double, 30> t{};
    const Boundary eyeTopB = boundary(eyeTop, outside, margin);
    for (const int g : {kLeftEyeTop, kRightEyeTop})
        store(t, g, eyeTopB, false);
    for (const int g : {kLeftEyeBottom, kRightEyeBottom})
        store(t, g, boundary(eyeBottom, outside, margin), true);
    store(t, kMouthTop, boundary(mouthTop, outside, margin), false);
    store(t, kMouthBottom, boundary(mouthBottom, outside, margin), true);
    for (const int g : {kLeftBrowTop, kRightBrowTop})
        store(t, g, boundary(browTop, outside, margin), false);
    // The brow window reaches down to the bottom's nearest limit, widened by the search's own
    // margin: it must end above the highest upper lid.
    Boundary bottom = boundary(browBottom, outside, margin);
    bottom.nearest = std::max(bottom.nearest, eyeTopB.furthest + kSearchMargin + kBrowLidGap);
    bottom.median = std::max(bottom.median, bottom.nearest);
    for (const int g : {kLeftBrowBottom, kRightBrowBottom})
        store(t, g, bottom, false);
    char line[200];
    std::snprintf(line, sizeof line,
                  "brow lower edges found by the brow strips where their upper edge meets the "
                  "reference: %zu of %zu brows",
                  browBottom.size(), 2 * samples.size());
    report.push_back(line);
    return t;
}

std::string lower_lip_report(std::vector<Sample>& samples, const vyrgen::GenerationTables& tables) {
    long strips = 0, without = 0;
    std::vector<double> walk;
    for (Sample& s : samples) {
        GreyRows grey(s);
        const double line = reference_mouth_line(s);
        const auto v = zel::engine::feature_windows_from_thickness(tables.thickness.data(), 0, 0,
                                                                   line, s.box.height);
        const int y0 = v[3 * kMouthTop + 1];
        const int y1 = v[3 * kMouthBottom + 2];
        zel::engine::LineRecord record;
        zel::engine::mouthline_scan_columns(
            grey.rows(), s.cols, s.rows, static_cast<int>(s.ref.at("mouth_l").x),
            static_cast<int>(s.ref.at("mouth_r").x), y0, y1, static_cast<int>(line), record);
        for (int i = 0; i < record.n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (record.a[k] < 1)
                continue;
            ++strips;
            if (record.c[k] == 0) {
                ++without;
                walk.push_back((y1 - 4 - s.ref.at("mouth_bot").y) / s.box.height);
            }
        }
    }
    char text[240];
    std::snprintf(text, sizeof text,
                  "mouth strips with a line but no bright peak below it: %ld of %ld; the lower-lip "
                  "walk would put the lip's edge %.3f of the box height below the reference there "
                  "(median)",
                  without, strips, walk.empty() ? 0.0 : quantile(walk, 0.5));
    return text;
}

} // namespace zelgen
