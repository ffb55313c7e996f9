#include "fake_generation_tables.h"

#include "generation/generation_tables.h"

#include <cstring>

namespace zel::engine::testing {
namespace {

FakeGenerationTables* g_active = nullptr;

} // namespace

FakeGenerationTables::FakeGenerationTables() : previous_(g_active) {
    g_active = this;
    previousReader_ =
        set_generation_table_reader({read_points, read_range, read_thickness, read_fuzzy});
}

FakeGenerationTables::~FakeGenerationTables() {
    set_generation_table_reader(previousReader_);
    g_active = previous_;
}

void FakeGenerationTables::add_points(const std::string& name, int reference,
                                      std::vector<TemplatePoint> points) {
    points_[name] = {reference, std::move(points)};
}

int FakeGenerationTables::read_points(int, const char* name, std::int32_t* header, std::int32_t* x,
                                      std::int32_t* y, std::int32_t* weight, int capacity) {
    const auto found = g_active->points_.find(name);
    if (found == g_active->points_.end() ||
        static_cast<int>(found->second.points.size()) > capacity)
        return 0;
    const auto& points = found->second.points;
    header[4] = static_cast<std::int32_t>(points.size());
    header[5] = found->second.reference;
    for (std::size_t i = 0; i < points.size(); ++i) {
        x[i] = points[i].x;
        y[i] = points[i].y;
        weight[i] = points[i].weight;
    }
    return 1;
}

int FakeGenerationTables::read_range(int, const char* name, double range[21]) {
    std::optional<std::array<double, 21>> table =
        std::strcmp(name, "SEARCH_RANGE") == 0 ? g_active->range_
        : std::strcmp(name, "FACE_SHAPE") == 0 ? g_active->shape_
                                               : std::nullopt;
    if (const auto named = g_active->named_.find(name); !table && named != g_active->named_.end())
        table = named->second;
    if (!table)
        return 0;
    std::memcpy(range, table->data(), sizeof(double) * 21);
    return 1;
}

int FakeGenerationTables::read_thickness(int, double thick[30]) {
    if (!g_active->thick_)
        return 0;
    std::memcpy(thick, g_active->thick_->data(), sizeof(double) * 30);
    return 1;
}

int FakeGenerationTables::read_fuzzy(int, void* buffer, int count) {
    if (!g_active->fuzzy_ || count != kFuzzySets)
        return 0;
    std::memcpy(buffer, g_active->fuzzy_->data(), sizeof(FuzzySet) * kFuzzySets);
    return 1;
}

FuzzySet fuzzy_set(std::array<double, 7> p, double low, double mid, double high) {
    FuzzySet s{};
    for (int i = 0; i < 7; ++i)
        s.p[i] = p[static_cast<std::size_t>(i)];
    s.v_low = low;
    s.v_mid = mid;
    s.v_high = high;
    return s;
}

} // namespace zel::engine::testing
