#include "generation/feature_line_rules.h"

#include "generation/generation_tables.h"

#include <algorithm>

namespace zel::engine {
namespace {

// "LINE_RULES": the three shifts, then the three weights; the rest is spare.
constexpr int kShifts = 0;
constexpr int kWeights = 3;
// A lip's range: its place, then its profile; the rest is spare.
constexpr int kLipPlace = 0;
constexpr int kLipProfile = 3;
static_assert(kLipProfile + kLipSamples <= kRuleValues);

RuleValues read_values(int set, const char* name) {
    RuleValues v{};
    if (generation_tables().read_range(set, name, v.data()) == 0)
        v.fill(0.0);
    return v;
}

} // namespace

void line_rules_from_values(const RuleValues& v, LineRules& r) {
    r.eyeTopShift = v[kShifts];
    r.eyeBottomShift = v[kShifts + 1];
    r.browTopShift = v[kShifts + 2];
    r.eyeTopWeight = v[kWeights];
    r.eyeBottomWeight = v[kWeights + 1];
    r.browTopWeight = v[kWeights + 2];
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

LipRule lip_rule_from_values(const RuleValues& v) {
    LipRule r;
    r.base = v[kLipPlace];
    r.slope = v[kLipPlace + 1];
    r.weight = v[kLipPlace + 2];
    std::copy(v.begin() + kLipProfile, v.begin() + kLipProfile + kLipSamples, r.profile.begin());
    return r;
}

RuleValues lip_rule_values(const LipRule& r) {
    RuleValues v{};
    v[kLipPlace] = r.base;
    v[kLipPlace + 1] = r.slope;
    v[kLipPlace + 2] = r.weight;
    std::copy(r.profile.begin(), r.profile.end(), v.begin() + kLipProfile);
    return v;
}

LineRules read_line_rules(int set) {
    LineRules r;
    line_rules_from_values(read_values(set, kLineRulesRange), r);
    r.upperLip = lip_rule_from_values(read_values(set, kUpperLipRange));
    r.lowerLip = lip_rule_from_values(read_values(set, kLowerLipRange));
    return r;
}

} // namespace zel::engine
