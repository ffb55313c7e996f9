// Fuzzy sets of three classes: memberships, the defuzzified value and the class.

#include "generation/generation_tables.h"
#include "generation/part_choice.h"

#include "engine_codes.h"

#include <cmath>
#include <cstring>

namespace zel::engine {
namespace {

enum Class : int { kLow = 1, kMid = 2, kHigh = 3 };

// The class whose support lies nearest to x, for a value that falls in a gap between the
// classes; ties to the lower class.
Class nearest_class(const FuzzySet& s, double x) {
    const double low = x < s.p[5] ? 0.0 : x - s.p[5];
    const double mid = x <= s.p[0] ? s.p[0] - x : x >= s.p[6] ? x - s.p[6] : 0.0;
    const double high = x >= s.p[1] ? 0.0 : s.p[1] - x;
    if (low <= mid && low <= high)
        return kLow;
    return mid <= high ? kMid : kHigh;
}

double class_value(const FuzzySet& s, Class c) {
    return c == kLow ? s.v_low : c == kMid ? s.v_mid : s.v_high;
}

} // namespace

Memberships fuzzy_memberships(const FuzzySet& s, double x) {
    const double* p = s.p;
    Memberships m;
    if (x < p[2])
        m.low = 1.0;
    else if (x < p[5])
        m.low = (p[5] - x) / (p[5] - p[2]);
    if (x >= p[0] && x < p[3])
        m.mid = (x - p[0]) / (p[3] - p[0]);
    else if (x >= p[3] && x < p[6])
        m.mid = (p[6] - x) / (p[6] - p[3]);
    if (x >= p[4])
        m.high = 1.0;
    else if (x >= p[1])
        m.high = (x - p[1]) / (p[4] - p[1]);
    return m;
}

double fuzzy_value(FuzzySet s, double x) {
    if (!std::isfinite(x))
        return s.v_mid;
    const Memberships m = fuzzy_memberships(s, x);
    const double total = m.low + m.mid + m.high;
    if (!(total > 0.0))
        return class_value(s, nearest_class(s, x));
    return (m.low * s.v_low + m.mid * s.v_mid + m.high * s.v_high) / total;
}

double fuzzy_class(FuzzySet s, double x) {
    if (!std::isfinite(x))
        return kMid;
    const Memberships m = fuzzy_memberships(s, x);
    if (!(m.low + m.mid + m.high > 0.0))
        return nearest_class(s, x);
    if (m.low >= m.mid && m.low >= m.high)
        return kLow;
    if (m.mid >= m.low && m.mid >= m.high)
        return kMid;
    return kHigh;
}

int res_read_fuzzy(int set, FuzzySet sets[kFuzzySets]) {
    unsigned char buffer[kFuzzySets * sizeof(FuzzySet)] = {};
    if (generation_tables().read_fuzzy(set, buffer, kFuzzySets) == 0)
        return kMissing;
    std::memcpy(sets, buffer, sizeof buffer);
    return kOk;
}

} // namespace zel::engine
