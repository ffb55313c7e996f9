#include "tables_in_use.h"

#include "generation/generation_tables.h"

#include <cstring>
#include <locale>
#include <sstream>
#include <string>

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

int read_range(int, const char* name, double range[21]) {
    if (std::strcmp(name, "SEARCH_RANGE") == 0) {
        std::memcpy(range, g_tables->range.data(), sizeof(double) * 21);
        return 1;
    }
    if (std::strcmp(name, "FACE_SHAPE") == 0 && g_tables->shape) {
        std::memcpy(range, g_tables->shape->data(), sizeof(double) * 21);
        return 1;
    }
    if (std::strcmp(name, "SHAPE_MEAN") == 0 && g_tables->modelMean) {
        std::memcpy(range, g_tables->modelMean->data(), sizeof(double) * 21);
        return 1;
    }
    if (std::strcmp(name, "LINE_RULES") == 0 && g_tables->lineRules) {
        std::memcpy(range, g_tables->lineRules->data(), sizeof(double) * 21);
        return 1;
    }
    if (std::strcmp(name, "UPPER_LIP") == 0 && g_tables->upperLip) {
        std::memcpy(range, g_tables->upperLip->data(), sizeof(double) * 21);
        return 1;
    }
    if (std::strcmp(name, "LOWER_LIP") == 0 && g_tables->lowerLip) {
        std::memcpy(range, g_tables->lowerLip->data(), sizeof(double) * 21);
        return 1;
    }
    if (std::strcmp(name, "SHAPE_REST") == 0 && g_tables->modelRest) {
        std::memcpy(range, g_tables->modelRest->data(), sizeof(double) * 21);
        return 1;
    }
    for (std::size_t k = 0; k < g_tables->modelModes.size(); ++k) {
        if (name == "SHAPE_MODE" + std::to_string(k + 1)) {
            std::memcpy(range, g_tables->modelModes[k].data(), sizeof(double) * 21);
            return 1;
        }
    }
    if (std::strcmp(name, "SHAPE_SPREAD") == 0 && g_tables->modelSpread) {
        std::memcpy(range, g_tables->modelSpread->data(), sizeof(double) * 21);
        return 1;
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
