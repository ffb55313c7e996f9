#pragma once
// Where the later stages of caricature generation take their tables from: the landmark point
// templates, the search ranges, the thickness values and the fuzzy sets. The template library,
// unless a test installs readers of its own to isolate a case; every reader keeps the template
// library's contract (non-zero when found).

#include <cstdint>

namespace zel::engine {

// Capacity of the arrays a point template is read into.
inline constexpr int kPointTemplateCapacity = 1000;

struct GenerationTableReader {
    int (*read_points)(int set, const char* name, std::int32_t* header, std::int32_t* x,
                       std::int32_t* y, std::int32_t* weight, int capacity);
    int (*read_range)(int set, const char* name, double range[21]);
    int (*read_thickness)(int set, double thick[30]);
    int (*read_fuzzy)(int set, void* buffer, int count);
};

// Installs reader (null members fall back to the template library) and returns the previous.
GenerationTableReader set_generation_table_reader(const GenerationTableReader& reader);
// The readers in force.
const GenerationTableReader& generation_tables();

} // namespace zel::engine
