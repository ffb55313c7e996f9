#include "calibrate_windows.h"

#include <algorithm>
#include <cmath>

namespace zelgen {
namespace {

// The values of one window bound over the portraits.
class Extent {
public:
    void add(double v) { values_.push_back(v); }
    struct Range {
        double lo;
        double hi;
    };
    Range widened(const WindowMargin& m) const {
        std::vector<double> v = values_;
        std::sort(v.begin(), v.end());
        auto quantile = [&](double q) {
            return v[static_cast<std::size_t>(std::lround(q * (v.size() - 1)))];
        };
        const double lo = quantile(m.outside);
        const double hi = quantile(1 - m.outside);
        const double d = std::max((hi - lo) * m.share, m.minimum);
        return {lo - d, hi + d};
    }

private:
    std::vector<double> values_;
};

int rounded(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

FaceLandmarks reference_landmarks(const Sample& s) {
    auto at = [&](const char* key, std::int32_t& x, std::int32_t& y) {
        const Point p = s.ref.at(key);
        x = rounded(p.x);
        y = rounded(p.y);
    };
    FaceLandmarks lm;
    at("leye_in", lm.eyes[0].in_x, lm.eyes[0].in_y);
    at("leye_out", lm.eyes[0].out_x, lm.eyes[0].out_y);
    at("reye_in", lm.eyes[1].in_x, lm.eyes[1].in_y);
    at("reye_out", lm.eyes[1].out_x, lm.eyes[1].out_y);
    at("nose_c", lm.nose.center_x, lm.nose.center_y);
    at("nose_l", lm.nose.l_x, lm.nose.l_y);
    at("nose_r", lm.nose.r_x, lm.nose.r_y);
    at("mouth_l", lm.mouth.l_x, lm.mouth.l_y);
    at("mouth_r", lm.mouth.r_x, lm.mouth.r_y);
    return lm;
}

int reference_mouth_line(const Sample& s) {
    return rounded((s.ref.at("mouth_l").y + s.ref.at("mouth_r").y) / 2);
}

std::array<double, 21> measure_search_ranges(const std::vector<Sample>& samples,
                                             const WindowMargin& margin) {
    Extent innerCols, innerRows, innerRise, outerCols, outerRows, noseCols, noseRows, wingCols,
        wingRows, mouthCols, band;
    for (const Sample& s : samples) {
        const FaceBox& b = s.box;
        const double W = b.width;
        const double H = b.height;
        auto p = [&](const char* key) { return s.ref.at(key); };
        const Point li = p("leye_in"), ri = p("reye_in"), lo = p("leye_out"), ro = p("reye_out");
        const Point nc = p("nose_c"), nl = p("nose_l"), nr = p("nose_r");
        const Point ml = p("mouth_l"), mr = p("mouth_r");
        // The right-hand windows mirror the left-hand ones: both sides measure the same range.
        innerCols.add((li.x - b.minx) / W);
        innerCols.add((b.maxx - ri.x) / W);
        innerRows.add((li.y - b.miny) / H);
        innerRise.add(std::abs(ri.y - li.y) / H);
        outerCols.add((li.x - lo.x) / W);
        outerCols.add((ro.x - ri.x) / W);
        outerRows.add((lo.y - li.y) / H);
        outerRows.add((ro.y - ri.y) / H);
        noseCols.add((nc.x - b.minx) / W);
        noseRows.add((nc.y - b.miny) / H);
        wingCols.add((nc.x - nl.x) / W);
        wingCols.add((nr.x - nc.x) / W);
        wingRows.add((nl.y - nc.y) / H);
        wingRows.add((nr.y - nc.y) / H);
        mouthCols.add((ml.x - b.minx) / W);
        mouthCols.add((b.maxx - mr.x) / W);
        // The band needs the lips' line; below and above it are the chin's shadows and the
        // nostrils, as saturated as the lips.
        band.add(((ml.y + mr.y) / 2 - b.miny) / H);
    }
    const auto ic = innerCols.widened(margin), ir = innerRows.widened(margin);
    const auto oc = outerCols.widened(margin), orr = outerRows.widened(margin);
    const auto nco = noseCols.widened(margin), nro = noseRows.widened(margin);
    const auto wc = wingCols.widened(margin), wr = wingRows.widened(margin);
    const auto mc = mouthCols.widened(margin), mb = band.widened(margin);
    const double rise = innerRise.widened(margin).hi;
    return {ic.lo,  ic.hi,  ir.lo, ir.hi, rise,  oc.hi, oc.lo, orr.lo, orr.hi, nco.lo, nco.hi,
            nro.lo, nro.hi, wc.hi, wc.lo, wr.lo, wr.hi, mc.lo, mc.hi,  mb.lo,  mb.hi};
}

} // namespace zelgen
