#pragma once
// Point templates measured on portraits: the mean pattern of brightness around each landmark,
// in thousandths of the face box height, weighted by how far it stands out.

#include "calibration_samples.h"
#include "generation_tables.h"

#include "generation/landmark_search.h"

#include <array>

#include <string>
#include <vector>

namespace zelgen {

// Template scale: offsets are thousandths of the face box height.
inline constexpr int kTemplateReference = 1000;

// Where a template samples the face: a grid of half-width by half-height around the point
// (thousandths of the box height), every step, and a finer one near the point; the strongest
// points are kept, their weights scaled to at most maxWeight. A wide context tells a point
// from its look-alikes (an eye corner from a fold of the hair, a nose from a cheek's crease);
// the fine grid places it.
struct TemplateShape {
    int halfWidth = 300;
    int halfHeight = 250;
    int step = 20;
    // A finer grid of fineHalf around the point, every fineStep (none when 0).
    int fineHalf = 80;
    int fineStep = 8;
    int maxPoints = 300;
    int maxWeight = 20;
    // Training: rounds in which the template is taught to score the point above every other
    // position of its search window.
    int rounds = 16;
};

// The landmark a template finds: its name, its reference key, and the key of its mirror image
// on the other side of the face (the right-hand template is the mirror of the left-hand one,
// both measured on both sides); a centre point is its own mirror.
struct TemplatePoint {
    zel::engine::LandmarkPoint point;
    const char* key;
    zel::engine::LandmarkPoint mirror;
    const char* mirrorKey;
};
const std::vector<TemplatePoint>& template_points();

// The template of point p from the samples (and its mirror image when p has one), taught on
// the search windows of the ranges r placed around the reference points.
std::vector<vyrgen::PointTemplate> derive_templates(const std::vector<Sample>& samples,
                                                    const TemplatePoint& p,
                                                    const TemplateShape& shape,
                                                    const std::array<double, 21>& r);

} // namespace zelgen
