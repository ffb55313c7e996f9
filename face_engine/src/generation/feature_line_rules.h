#pragma once
// The measured rules of the feature-line search, read from the template set as ranges of 21
// values: "LINE_RULES", how far each lid and the brow's top lie from the brightness edge the
// strips find and how much an edge's distance from where the average face has the line counts
// against its steepness; "UPPER_LIP" and "LOWER_LIP", each lip edge's brightness profile with
// where a mouth of its width has it. The calibration measures them on portraits with reference
// points.

#include <array>

namespace zel::engine {

inline constexpr char kLineRulesRange[] = "LINE_RULES";
inline constexpr char kUpperLipRange[] = "UPPER_LIP";
inline constexpr char kLowerLipRange[] = "LOWER_LIP";
inline constexpr int kRuleValues = 21;

// A lip edge's profile is sampled at rows from kLipFirstOffset eye distances above the edge to
// kLipFirstOffset + (kLipSamples - 1) x kLipStep below it, kLipStep apart: for the upper lip
// the nose's base, the lip, the line between the lips and the teeth; for the lower lip the
// lips and the mouth's opening, the lip, the shadow under it and the chin.
inline constexpr int kLipSamples = 15;
inline constexpr double kLipFirstOffset = -0.2;
inline constexpr double kLipStep = 0.04;

using LipProfile = std::array<double, kLipSamples>;

// One lip edge: where it lies below the mouth corners' line, in eye distances, as a mouth of
// width w (in eye distances) has it on average: base + slope x w; how much a row's distance d
// from there (in eye distances) costs against its likeness to the edge's profile: weight x d x
// d; and the edge's mean profile (mean 0, length 1; all 0 when unknown).
struct LipRule {
    double base = 0.0;
    double slope = 0.0;
    double weight = 0.0;
    LipProfile profile{};
};

struct LineRules {
    // Reference row less the edge found, as fractions of the face box height: the upper lid
    // lies below the steepest fall of brightness above the eye (the lashes' upper edge), the
    // lower lid near the steepest rise below it, the brow's top near the steepest fall above it.
    double eyeTopShift = 0.0;
    double eyeBottomShift = 0.0;
    double browTopShift = 0.0;
    // How much an edge's distance d from the line's default (in eye distances) costs against
    // its steepness as a share of the strip's steepest: weight x d x d.
    double eyeTopWeight = 0.0;
    double eyeBottomWeight = 0.0;
    double browTopWeight = 0.0;
    LipRule upperLip;
    LipRule lowerLip;
};

using RuleValues = std::array<double, kRuleValues>;

// The rules of "LINE_RULES" and of a lip's range from their values, and back.
void line_rules_from_values(const RuleValues& values, LineRules& rules);
RuleValues line_rules_values(const LineRules& rules);
LipRule lip_rule_from_values(const RuleValues& values);
RuleValues lip_rule_values(const LipRule& rule);

// The rules of the template set; a range it lacks gives none (no shift and no weight, or no
// lip profile).
LineRules read_line_rules(int set);

} // namespace zel::engine
