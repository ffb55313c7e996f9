#pragma once
// The measured rules of the feature-line search, read from the template set as two ranges of 21
// values: "LINE_RULES", how far each lid and the brow's top lie from the brightness edge the
// strips find and how much an edge's distance from where the average face has the line counts
// against its steepness; and "LOWER_LIP", the lower lip's brightness profile with where a mouth
// of its width has its lower edge. The calibration measures them on portraits with reference
// points.

#include <array>

namespace zel::engine {

inline constexpr char kLineRulesRange[] = "LINE_RULES";
inline constexpr char kLowerLipRange[] = "LOWER_LIP";
inline constexpr int kRuleValues = 21;

// The lower lip's profile is sampled at rows from kLowerLipFirstOffset eye distances above the
// lip's edge (the lips and the mouth's opening) to kLowerLipFirstOffset + (kLowerLipSamples - 1)
// x kLowerLipStep below it (the chin), kLowerLipStep apart.
inline constexpr int kLowerLipSamples = 15;
inline constexpr double kLowerLipFirstOffset = -0.2;
inline constexpr double kLowerLipStep = 0.04;

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
    // Where the lower lip's edge lies below the mouth corners' line, in eye distances, as a
    // mouth of width w (in eye distances) has it on average: base + slope x w; and how much a
    // row's distance d from there (in eye distances) costs against its likeness to the lower
    // lip's profile: weight x d x d.
    double lipBase = 0.0;
    double lipSlope = 0.0;
    double lipWeight = 0.0;
    // The lower lip's mean profile around its edge (mean 0, length 1); all 0 when unknown.
    std::array<double, kLowerLipSamples> lipProfile{};
};

using RuleValues = std::array<double, kRuleValues>;

// The rules from the values of the two ranges, and back.
LineRules line_rules_from_values(const RuleValues& lineRules, const RuleValues& lowerLip);
RuleValues line_rules_values(const LineRules& rules);
RuleValues lower_lip_values(const LineRules& rules);

// The rules of the template set; a range it lacks gives none (no shift and no weight, or no
// lower lip profile).
LineRules read_line_rules(int set);

} // namespace zel::engine
