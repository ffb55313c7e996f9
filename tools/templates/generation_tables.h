#pragma once
// The tables caricature generation reads per set: the landmark point templates, the search
// ranges, the thickness values and the fuzzy sets; and the standard face box. The tables are
// measured on portraits by the calibration tool (tools/generation), which writes them to a text
// file (data/templates/generation-tables.txt); this program reads that file and writes the
// tables into every set.
//
// The file: a first line "zel-generation-tables 1", lines starting with ';' are comments, then
//   range r0 .. r20                         the search ranges of "SEARCH_RANGE"
//   shape s0 .. s20                         the face proportions of "FACE_SHAPE" (optional)
//   model_mean m0 .. m20                    the mean face shape of "SHAPE_MEAN" (optional)
//   model_spread d0 .. d20                  its spreads, of "SHAPE_SPREAD" (with model_mean)
//   model_rest d0 .. d20                    the spreads about the bent shape, of "SHAPE_REST"
//   model_mode m0 .. m20                    a way faces vary together, of "SHAPE_MODE1" ...
//                                           (in order, at most four, with model_rest)
//   thick t0 .. t29                         the thickness values
//   line_rules l0 .. l20                    the feature lines' rules of "LINE_RULES" (optional)
//   upper_lip l0 .. l20                     the upper lip's rule of "UPPER_LIP" (optional)
//   lower_lip l0 .. l20                     the lower lip's rule of "LOWER_LIP" (optional)
//   fuzzy k p0 .. p6 v_low v_mid v_high     the twelve fuzzy sets, k = 0 .. 11
//   points NAME reference count             a point template, then count lines "x y weight"

#include <array>
#include <cstdint>
#include <optional>
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

struct GenerationTables {
    std::vector<PointTemplate> points;
    std::array<double, 21> range{};
    std::optional<std::array<double, 21>> shape;       // the landmark pairs' proportions
    std::optional<std::array<double, 21>> modelMean;   // the nine points' mean shape
    std::optional<std::array<double, 21>> modelSpread; // and how far faces stray from it
    std::optional<std::array<double, 21>> modelRest;   // or from it bent along the modes
    std::vector<std::array<double, 21>> modelModes;    // the ways faces vary together
    std::array<double, 30> thickness{};
    std::optional<std::array<double, 21>> lineRules; // the feature lines' measured rules
    std::optional<std::array<double, 21>> upperLip;  // and each lip's
    std::optional<std::array<double, 21>> lowerLip;
    std::array<FuzzySet, 12> fuzzy{};
};

// Reads a tables file; throws std::runtime_error naming the line of anything malformed or
// missing.
GenerationTables read_generation_tables(const std::string& path);
// Writes tables to path (beside it first, then renamed into place), comment lines first.
void write_generation_tables(const std::string& path, const GenerationTables& tables,
                             const std::vector<std::string>& comments);

// The tables every set is written with: read once from path before the first use.
void use_generation_tables(const std::string& path);

// "STD_FACE": anchor column and row (the box centre), first and last column, first and last row.
std::array<std::int32_t, 6> standard_face_box();

std::vector<PointTemplate> point_templates(int set);
std::array<double, 21> search_range(int set);
// "FACE_SHAPE", when the tables hold it (the same for every set: proportions, not places).
std::optional<std::array<double, 21>> face_shape(int set);
// "SHAPE_MEAN" and "SHAPE_SPREAD", when the tables hold them (the same for every set).
std::optional<std::array<double, 21>> shape_model_mean(int set);
std::optional<std::array<double, 21>> shape_model_spread(int set);
// "SHAPE_REST" and "SHAPE_MODE1" ..., when the tables hold them (the same for every set).
std::optional<std::array<double, 21>> shape_model_rest(int set);
std::vector<std::array<double, 21>> shape_model_modes(int set);
std::array<double, 30> thickness_values(int set);
// "LINE_RULES", "UPPER_LIP" and "LOWER_LIP", when the tables hold them (the same for every set).
std::optional<std::array<double, 21>> line_rules(int set);
std::optional<std::array<double, 21>> upper_lip(int set);
std::optional<std::array<double, 21>> lower_lip(int set);
std::array<FuzzySet, 12> fuzzy_sets(int set);

} // namespace vyrgen
