#pragma once
// Everything one template set holds, as parsed from its data files.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vyresrc {

using LocRecord = std::array<std::int32_t, 6>;

// A part drawing: cols x rows bytes, row 0 at the top, 0 = ink, 1 = paper.
struct Drawing {
    int cols = 0;
    int rows = 0;
    std::vector<unsigned char> pixels;
};

// A landmark point template: offsets against a reference size, one weight per point.
struct PointTemplate {
    std::int32_t reference_size = 0;
    std::vector<std::int32_t> x;
    std::vector<std::int32_t> y;
    std::vector<std::int32_t> weight;
};

// One fuzzy set: the class limits p0..p6 and the three class outputs.
struct FuzzySet {
    std::array<double, 7> p{};
    std::array<double, 3> value{};
};

struct TemplateSet {
    std::unordered_map<std::string, LocRecord> locations;
    std::unordered_map<std::string, Drawing> drawings;
    std::unordered_map<std::string, PointTemplate> points;
    std::unordered_map<std::string, std::array<double, 21>> ranges;
    std::optional<std::array<double, 30>> thickness;
    std::optional<std::array<FuzzySet, 12>> fuzzy;
};

} // namespace vyresrc
