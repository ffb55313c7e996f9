#include "generation/feature_line_rules.h"

#include "generation/generation_tables.h"

#include <algorithm>

namespace zel::engine {
namespace {

// "LINE_RULES": the three shifts, then the three weights; the rest is spare.
constexpr int kShifts = 0;
constexpr int kWeights = 3;
// "LOWER_LIP": the lip's place, then its profile; the rest is spare.
constexpr int kLipPlace = 0;
constexpr int kLipProfile = 3;
static_assert(kLipProfile + kLowerLipSamples <= kRuleValues);

} // namespace

LineRules line_rules_from_values(const RuleValues& line, const RuleValues& lip) {
    LineRules r;
    r.eyeTopShift = line[kShifts];
    r.eyeBottomShift = line[kShifts + 1];
    r.browTopShift = line[kShifts + 2];
    r.eyeTopWeight = line[kWeights];
    r.eyeBottomWeight = line[kWeights + 1];
    r.browTopWeight = line[kWeights + 2];
    r.lipBase = lip[kLipPlace];
    r.lipSlope = lip[kLipPlace + 1];
    r.lipWeight = lip[kLipPlace + 2];
    std::copy(lip.begin() + kLipProfile, lip.begin() + kLipProfile + kLowerLipSamples,
              r.lipProfile.begin());
    return r;
}

RuleValues line_rules_values(const LineRules& r) {
    RuleValues v{};
    v[kShifts] = r.eyeTopShift;
    v[kShifts + 1] = r.eyeBottomShift;
    v[kShifts + 2] = r.browTopShift;
    v[kWeights] = r.eyeTopWeight;
    v[kWeights + 1] = r.eyeBottomWeight;
    v[kWeights + 2] = r.browTopWeight;
    return v;
}

RuleValues lower_lip_values(const LineRules& r) {
    RuleValues v{};
    v[kLipPlace] = r.lipBase;
    v[kLipPlace + 1] = r.lipSlope;
    v[kLipPlace + 2] = r.lipWeight;
    std::copy(r.lipProfile.begin(), r.lipProfile.end(), v.begin() + kLipProfile);
    return v;
}

LineRules read_line_rules(int set) {
    RuleValues line{};
    RuleValues lip{};
    if (generation_tables().read_range(set, kLineRulesRange, line.data()) == 0)
        line.fill(0.0);
    if (generation_tables().read_range(set, kLowerLipRange, lip.data()) == 0)
        lip.fill(0.0);
    return line_rules_from_values(line, lip);
}

} // namespace zel::engine
