#pragma once
// The tables caricature generation reads per set: the landmark point templates, the search
// ranges, the thickness values and the fuzzy sets; and the standard face box. First-cut values
// from the proportions of frontal portraits, to be calibrated on photographs.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vyrgen {

struct WeightedPoint {
    std::int32_t x;
    std::int32_t y;
    std::int32_t weight;
};

struct PointTemplate {
    std::string name;
    std::int32_t reference_size;
    std::vector<WeightedPoint> points;
};

struct FuzzySet {
    std::array<double, 7> p;     // p0 .. p6
    std::array<double, 3> value; // v_low, v_mid, v_high
};

// "STD_FACE": anchor column and row (the box centre), first and last column, first and last row.
std::array<std::int32_t, 6> standard_face_box();

std::vector<PointTemplate> point_templates(int set);
std::array<double, 21> search_range(int set);
std::array<double, 30> thickness_values(int set);
std::array<FuzzySet, 12> fuzzy_sets(int set);

} // namespace vyrgen
