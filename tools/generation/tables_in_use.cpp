#include "tables_in_use.h"

#include "generation/generation_tables.h"

#include <cstring>
#include <locale>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

namespace zelgen {
namespace {

const vyrgen::GenerationTables* g_tables = nullptr;
zel::engine::GenerationTableReader g_previous{};

int read_points(int, const char* name, std::int32_t* header, std::int32_t* x, std::int32_t* y,
                std::int32_t* weight, int capacity) {
    for (const vyrgen::PointTemplate& t : g_tables->points) {
        if (t.name != name || static_cast<int>(t.points.size()) > capacity)
            continue;
        header[4] = static_cast<std::int32_t>(t.points.size());
        header[5] = t.reference_size;
        for (std::size_t i = 0; i < t.points.size(); ++i) {
            x[i] = t.points[i].x;
            y[i] = t.points[i].y;
            weight[i] = t.points[i].weight;
        }
        return 1;
    }
    return 0;
}

// A range copied out as the template library hands it: 21 doubles.
int give_range(const std::array<double, 21>& values, double range[21]) {
    std::memcpy(range, values.data(), sizeof values);
    return 1;
}

int read_range(int, const char* name, double range[21]) {
    const vyrgen::GenerationTables& t = *g_tables;
    if (std::strcmp(name, "SEARCH_RANGE") == 0)
        return give_range(t.range, range);
    const std::pair<const char*, const std::optional<std::array<double, 21>>*> optional[] = {
        {"FACE_SHAPE", &t.shape},         {"SHAPE_MEAN", &t.modelMean},
        {"SHAPE_SPREAD", &t.modelSpread}, {"SHAPE_REST", &t.modelRest},
        {"LINE_RULES", &t.lineRules},     {"UPPER_LIP", &t.upperLip},
        {"LOWER_LIP", &t.lowerLip}};
    for (const auto& [key, values] : optional) {
        if (std::strcmp(name, key) == 0)
            return *values ? give_range(**values, range) : 0;
    }
    for (std::size_t k = 0; k < t.modelModes.size(); ++k) {
        if (name == "SHAPE_MODE" + std::to_string(k + 1))
            return give_range(t.modelModes[k], range);
    }
    return 0;
}

int read_thickness(int, double thick[30]) {
    std::memcpy(thick, g_tables->thickness.data(), sizeof(double) * 30);
    return 1;
}

// The template library's record layout: p0..p6 at byte 56, the class values at byte 120.
int read_fuzzy(int, void* buffer, int count) {
    constexpr int kRecord = 144;
    if (count < 1 || count > 12)
        return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::memset(bytes, 0, static_cast<std::size_t>(count) * kRecord);
    for (int k = 0; k < count; ++k) {
        std::memcpy(bytes + k * kRecord + 56, g_tables->fuzzy[k].p.data(), 7 * sizeof(double));
        std::memcpy(bytes + k * kRecord + 120, g_tables->fuzzy[k].value.data(), 3 * sizeof(double));
    }
    return 1;
}

// The value as the tables file writes it and reads it back.
double stored(double v) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(6);
    text << v;
    return std::stod(text.str());
}

template <std::size_t N> void round_all(std::array<double, N>& values) {
    for (double& v : values)
        v = stored(v);
}

} // namespace

void round_as_stored(vyrgen::GenerationTables& t) {
    round_all(t.range);
    for (auto* optional : {&t.shape, &t.modelMean, &t.modelSpread, &t.modelRest, &t.lineRules,
                           &t.upperLip, &t.lowerLip})
        if (*optional)
            round_all(**optional);
    for (auto& mode : t.modelModes)
        round_all(mode);
    round_all(t.thickness);
    for (vyrgen::FuzzySet& f : t.fuzzy) {
        round_all(f.p);
        round_all(f.value);
    }
}

TablesInUse::TablesInUse(const vyrgen::GenerationTables& tables) {
    g_tables = &tables;
    g_previous = zel::engine::set_generation_table_reader(
        {read_points, read_range, read_thickness, read_fuzzy});
}

TablesInUse::~TablesInUse() {
    zel::engine::set_generation_table_reader(g_previous);
    g_tables = nullptr;
}

} // namespace zelgen
