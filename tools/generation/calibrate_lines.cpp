#include "calibrate_lines.h"

#include "tables_in_use.h"

#include "generation/feature_line_search.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <numeric>

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

constexpr int kSex = 1;
// The brow window keeps at least this far above the upper lids it could otherwise take for a
// brow.
constexpr double kBrowLidGap = 0.01;
// A brow's lower edge is measured where the strips' top edge lies this close to the reference
// brow (of the box height): there the strips found the brow.
constexpr double kBrowTopTolerance = 0.02;
// Rounds of measuring the shifts with the shifts measured so far: the edges are looked for
// within the lines' limits less the shift, so the second round sees the edges the search will.
constexpr int kShiftRounds = 3;
// How much a line's distance from where the portraits have it counts against the likeness of its
// edge (a lip's correlation with its profile, a lid's or brow's steepness as a share of the
// strip's steepest, 1 at best), per spread of that place among the portraits: the likeness gives
// way to the distance only when two rows look alike to within a tenth.
constexpr double kPlaceShare = 0.1;

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::lround(q * (v.size() - 1)))];
}

double median(const std::vector<double>& v) {
    return v.empty() ? 0.0 : quantile(v, 0.5);
}

double spread(const std::vector<double>& v) {
    const double mean = std::accumulate(v.begin(), v.end(), 0.0) / v.size();
    double sum = 0.0;
    for (const double x : v)
        sum += (x - mean) * (x - mean);
    return std::sqrt(sum / v.size());
}

double place_weight(double spread) {
    return spread > 0 ? kPlaceShare / (2 * spread * spread) : 0.0;
}

struct Boundary {
    double median;
    double nearest; // smallest distance from the centre line that counts
    double furthest;
};

Boundary boundary(const std::vector<double>& offsets, double outside, double margin) {
    return {quantile(offsets, 0.5), quantile(offsets, outside) - margin,
            quantile(offsets, 1 - outside) + margin};
}

// Boundaries above their centre line take the furthest limit first, those below the nearest.
void store(std::array<double, 30>& t, int group, const Boundary& b, bool below) {
    t[3 * group] = b.median;
    t[3 * group + 1] = below ? b.nearest : b.furthest;
    t[3 * group + 2] = below ? b.furthest : b.nearest;
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

// A sample with the landmarks the search finds on it.
struct Found {
    Sample* sample;
    FaceLandmarks lm;
    double H;
    double D; // the eyes' distance, found
    double eyeRow[2];
    double mouthRow;
};

std::vector<Found> find_landmarks(std::vector<Sample>& samples,
                                  const vyrgen::GenerationTables& tables) {
    const TablesInUse use(tables);
    std::vector<Found> all;
    for (Sample& s : samples) {
        Found f{&s, {}, static_cast<double>(s.box.height), 0, {0, 0}, 0};
        f.lm.face_landmarks_init();
        if (zel::engine::landmark_search(kSex, s.box, s.hsv(), s.cols, s.rows, f.lm) != 0)
            continue;
        f.D = zel::engine::eye_distance(f.lm);
        for (int side = 0; side < 2; ++side)
            f.eyeRow[side] = (f.lm.eyes[side].in_y + f.lm.eyes[side].out_y) / 2.0;
        f.mouthRow = (f.lm.mouth.l_y + f.lm.mouth.r_y) / 2.0;
        if (f.D > 0)
            all.push_back(f);
    }
    return all;
}

const char* const kEyeTop[2] = {"leye_top", "reye_top"};
const char* const kEyeBottom[2] = {"leye_bot", "reye_bot"};
const char* const kBrowMid[2] = {"lbrow_mid", "rbrow_mid"};

// The thickness values of the lids, the brows' tops and the lips from the reference points, and
// how much the lids' and brows' edges are held to their places.
void measure_places(const std::vector<Found>& found, double outside, double margin,
                    std::array<double, 30>& t, zel::engine::LineRules& rules) {
    std::vector<double> eyeTop, eyeBottom, browTop, mouthTop, mouthBottom;
    std::vector<double> eyeTopD, eyeBottomD, browTopD; // in eye distances
    for (const Found& f : found) {
        const Sample& s = *f.sample;
        for (int side = 0; side < 2; ++side) {
            eyeTop.push_back((f.eyeRow[side] - s.ref.at(kEyeTop[side]).y) / f.H);
            eyeBottom.push_back((s.ref.at(kEyeBottom[side]).y - f.eyeRow[side]) / f.H);
            browTop.push_back((f.eyeRow[side] - s.ref.at(kBrowMid[side]).y) / f.H);
            eyeTopD.push_back(eyeTop.back() * f.H / f.D);
            eyeBottomD.push_back(eyeBottom.back() * f.H / f.D);
            browTopD.push_back(browTop.back() * f.H / f.D);
        }
        mouthTop.push_back((f.mouthRow - s.ref.at("mouth_top").y) / f.H);
        mouthBottom.push_back((s.ref.at("mouth_bot").y - f.mouthRow) / f.H);
    }
    for (const int g : {kLeftEyeTop, kRightEyeTop})
        store(t, g, boundary(eyeTop, outside, margin), false);
    for (const int g : {kLeftEyeBottom, kRightEyeBottom})
        store(t, g, boundary(eyeBottom, outside, margin), true);
    for (const int g : {kLeftBrowTop, kRightBrowTop})
        store(t, g, boundary(browTop, outside, margin), false);
    store(t, kMouthTop, boundary(mouthTop, outside, margin), false);
    store(t, kMouthBottom, boundary(mouthBottom, outside, margin), true);
    rules.eyeTopWeight = place_weight(spread(eyeTopD));
    rules.eyeBottomWeight = place_weight(spread(eyeBottomD));
    rules.browTopWeight = place_weight(spread(browTopD));
}

// The lines the feature-line search finds on the samples with the thickness values and rules.
std::vector<FaceLandmarks> search_lines(const std::vector<Found>& found,
                                        const vyrgen::GenerationTables& tables,
                                        const std::array<double, 30>& t,
                                        const zel::engine::LineRules& rules) {
    vyrgen::GenerationTables trial = tables;
    trial.thickness = t;
    trial.lineRules = zel::engine::line_rules_values(rules);
    trial.upperLip = zel::engine::lip_rule_values(rules.upperLip);
    trial.lowerLip = zel::engine::lip_rule_values(rules.lowerLip);
    const TablesInUse use(trial);
    std::vector<FaceLandmarks> all;
    for (const Found& f : found) {
        FaceLandmarks lm = f.lm;
        zel::engine::feature_line_search(kSex, f.sample->hsv(), f.sample->cols, f.sample->rows,
                                         f.sample->box, lm);
        all.push_back(lm);
    }
    return all;
}

// The shifts that move the edges found onto the reference lids and brows, measured again with
// the shifts so far.
void measure_shifts(const std::vector<Found>& found, const vyrgen::GenerationTables& tables,
                    const std::array<double, 30>& t, zel::engine::LineRules& rules) {
    for (int round = 0; round < kShiftRounds; ++round) {
        const auto lines = search_lines(found, tables, t, rules);
        std::vector<double> eyeTop, eyeBottom, browTop;
        for (std::size_t i = 0; i < found.size(); ++i) {
            const Sample& s = *found[i].sample;
            const double H = found[i].H;
            for (int side = 0; side < 2; ++side) {
                eyeTop.push_back((s.ref.at(kEyeTop[side]).y - lines[i].eyes[side].top_y) / H);
                eyeBottom.push_back((s.ref.at(kEyeBottom[side]).y - lines[i].eyes[side].bottom_y) /
                                    H);
                browTop.push_back((s.ref.at(kBrowMid[side]).y - lines[i].brows[side].top_y) / H);
            }
        }
        rules.eyeTopShift += median(eyeTop);
        rules.eyeBottomShift += median(eyeBottom);
        rules.browTopShift += median(browTop);
    }
}

// The brow's lower edge as the brow strips find it below a top edge that agrees with the
// reference, between the brow's top and the upper lids: its distance above the eye line, as a
// fraction of the box height, per brow found.
std::vector<double> brow_bottoms(const std::vector<Found>& found, std::array<double, 30> t,
                                 const zel::engine::LineRules& rules) {
    using namespace zel::engine;
    std::vector<double> all;
    for (const int g : {kLeftBrowBottom, kRightBrowBottom}) {
        const int top = g - 1;
        t[3 * g + 1] = t[3 * top + 1];
        t[3 * g + 2] = t[3 * kLeftEyeTop + 1] + kBrowLidGap;
    }
    for (const Found& f : found) {
        Sample& s = *f.sample;
        GreyRows grey(s);
        FeatureWindows v = feature_windows_from_thickness(t.data(), f.eyeRow[0], f.eyeRow[1],
                                                          f.mouthRow, s.box.height);
        for (int side = 0; side < 2; ++side) {
            const int topGroup = side == 0 ? kLeftBrowTop : kRightBrowTop;
            const int bottomGroup = topGroup + 1;
            const FaceLandmarks::Eye& eye = f.lm.eyes[side];
            const int d = std::abs(eye.in_x - eye.out_x);
            const double topShift = rules.browTopShift * f.H;
            StripRows rows = feature_strip_rows(v, topGroup, bottomGroup, topShift, 0.0, 0);
            rows.top.weight = rules.browTopWeight;
            rows.eyeDistance = f.D;
            LineRecord record;
            brow_scan_columns(grey.rows(), s.cols, s.rows, std::min(eye.in_x, eye.out_x) - d / 2,
                              std::max(eye.in_x, eye.out_x) + d / 2, rows, record);
            v[3 * topGroup] = INT_MIN; // a brow whose top is not found tells nothing
            v[3 * bottomGroup] = INT_MIN;
            const int cx = (eye.out_x + eye.in_x) / 2;
            int browTop = 0, browBottom = 0;
            line_record_average(record, static_cast<int>(cx - d * 0.125),
                                static_cast<int>(cx + d * 0.125), browTop, browBottom, v, topGroup,
                                bottomGroup, topShift, 0.0);
            if (browTop == INT_MIN || browBottom == INT_MIN ||
                std::abs(browTop - s.ref.at(kBrowMid[side]).y) > kBrowTopTolerance * f.H)
                continue;
            all.push_back((f.eyeRow[side] - browBottom) / f.H);
        }
    }
    return all;
}

// The samples of a strip's sums as a lip's rule reads them around row y.
zel::engine::LipProfile lip_samples(const zel::engine::RowProfile& sums, double y, double D) {
    using namespace zel::engine;
    LipProfile v{};
    for (int k = 0; k < kLipSamples; ++k) {
        const double at = y + D * (kLipFirstOffset + k * kLipStep);
        const int y0 = static_cast<int>(std::floor(at));
        const double f = at - y0;
        v[static_cast<std::size_t>(k)] = (1.0 - f) * sums[y0] + f * sums[y0 + 1];
    }
    return v;
}

// v less its mean, scaled to length 1 (left at 0 when it does not vary).
void normalise(zel::engine::LipProfile& v) {
    const double mean = std::accumulate(v.begin(), v.end(), 0.0) / v.size();
    double norm = 0.0;
    for (double& x : v) {
        x -= mean;
        norm += x * x;
    }
    if (norm > 0)
        for (double& x : v)
            x /= std::sqrt(norm);
}

// A lip edge's mean profile around the reference edge (key) over the strips the mouth's middle
// is averaged over, and where the edge lies below the mouth corners' line for a mouth's width.
zel::engine::LipRule measure_lip(const std::vector<Found>& found, const char* key) {
    using namespace zel::engine;
    LipRule rule;
    std::vector<double> widths, places;
    const double reach = kLipStep * kLipSamples;
    for (const Found& f : found) {
        Sample& s = *f.sample;
        GreyRows grey(s);
        const FaceLandmarks::Mouth& m = f.lm.mouth;
        const double edge = s.ref.at(key).y;
        const int cx = (m.r_x + m.l_x) / 2;
        const double half = (m.r_x - m.l_x) * 0.125;
        for (int x = static_cast<int>(cx - half) + 1; x <= static_cast<int>(cx + half) + 1; ++x) {
            const RowProfile sums =
                strip_profile(grey.rows(), s.cols, s.rows, x - 1, x + 1,
                              static_cast<int>(edge + f.D * kLipFirstOffset) - 2,
                              static_cast<int>(edge + f.D * (kLipFirstOffset + reach)) + 2);
            auto v = lip_samples(sums, edge, f.D);
            normalise(v);
            for (int k = 0; k < kLipSamples; ++k)
                rule.profile[static_cast<std::size_t>(k)] += v[static_cast<std::size_t>(k)];
        }
        widths.push_back((m.r_x - m.l_x) / f.D);
        places.push_back((edge - f.mouthRow) / f.D);
    }
    normalise(rule.profile);
    // Least squares of the place on the width, and the spread about it.
    const double n = static_cast<double>(widths.size());
    const double mw = std::accumulate(widths.begin(), widths.end(), 0.0) / n;
    const double mp = std::accumulate(places.begin(), places.end(), 0.0) / n;
    double sww = 0, swp = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        sww += (widths[i] - mw) * (widths[i] - mw);
        swp += (widths[i] - mw) * (places[i] - mp);
    }
    rule.slope = sww > 0 ? swp / sww : 0.0;
    rule.base = mp - rule.slope * mw;
    std::vector<double> residuals;
    for (std::size_t i = 0; i < widths.size(); ++i)
        residuals.push_back(places[i] - (rule.base + rule.slope * widths[i]));
    rule.weight = place_weight(spread(residuals));
    return rule;
}

} // namespace

LineTables measure_lines(std::vector<Sample>& samples, const vyrgen::GenerationTables& tables,
                         double outside, double margin, std::vector<std::string>& report) {
    const std::vector<Found> found = find_landmarks(samples, tables);
    LineTables out;
    if (found.empty())
        return out;
    measure_places(found, outside, margin, out.thickness, out.rules);
    // The brow's lower edge has no reference point: until it is measured it may lie anywhere
    // between the brow's top and the upper lids.
    const auto& t = out.thickness;
    for (const int g : {kLeftBrowBottom, kRightBrowBottom}) {
        out.thickness[3 * g] = (t[3 * (g - 1)] + t[3 * kLeftEyeTop + 1]) / 2;
        out.thickness[3 * g + 1] = t[3 * (g - 1) + 1];
        out.thickness[3 * g + 2] = t[3 * kLeftEyeTop + 1] + kBrowLidGap;
    }
    out.rules.upperLip = measure_lip(found, "mouth_top");
    out.rules.lowerLip = measure_lip(found, "mouth_bot");
    measure_shifts(found, tables, out.thickness, out.rules);
    const std::vector<double> bottoms = brow_bottoms(found, out.thickness, out.rules);
    if (!bottoms.empty()) {
        Boundary b = boundary(bottoms, outside, margin);
        b.nearest = std::max(b.nearest, t[3 * kLeftEyeTop + 1] + kBrowLidGap);
        b.median = std::max(b.median, b.nearest);
        for (const int g : {kLeftBrowBottom, kRightBrowBottom})
            store(out.thickness, g, b, false);
    }
    std::vector<double> perD;
    for (const Found& f : found)
        perD.push_back(f.H / f.D);
    const double hd = median(perD);
    char line[320];
    std::snprintf(line, sizeof line,
                  "line shifts (of the eyes' distance, at the median box): upper lids %.3f below "
                  "the steepest fall above the eye line, lower lids %.3f below the steepest rise "
                  "below it, brows' tops %.3f below their steepest fall",
                  out.rules.eyeTopShift * hd, out.rules.eyeBottomShift * hd,
                  out.rules.browTopShift * hd);
    report.push_back(line);
    std::snprintf(line, sizeof line,
                  "brow lower edges found by the brow strips where their top meets the "
                  "reference: %zu of %zu brows",
                  bottoms.size(), 2 * found.size());
    report.push_back(line);
    for (const auto& [name, lip] :
         {std::pair{"upper", &out.rules.upperLip}, std::pair{"lower", &out.rules.lowerLip}}) {
        std::snprintf(line, sizeof line,
                      "%s lip's edge below the mouth corners' line: %.3f + %.3f x the mouth's "
                      "width (of the eyes' distance), place weighed %.1f",
                      name, lip->base, lip->slope, lip->weight);
        report.push_back(line);
    }
    std::snprintf(line, sizeof line,
                  "places weighed: upper lids' %.1f, lower lids' %.1f, brows' tops' %.1f",
                  out.rules.eyeTopWeight, out.rules.eyeBottomWeight, out.rules.browTopWeight);
    report.push_back(line);
    return out;
}

} // namespace zelgen
