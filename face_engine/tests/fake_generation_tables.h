#pragma once
// Tables of the later generation stages for the tests' own cases: point templates, search
// ranges, thickness values and fuzzy sets, installed in place of the template library for the
// life of the object (the newest object answers). A table that was not given reads as absent.

#include "generation/generation_tables.h"
#include "generation/part_choice.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zel::engine::testing {

struct TemplatePoint {
    int x;
    int y;
    int weight;
};

class FakeGenerationTables {
public:
    FakeGenerationTables();
    ~FakeGenerationTables();
    FakeGenerationTables(const FakeGenerationTables&) = delete;
    FakeGenerationTables& operator=(const FakeGenerationTables&) = delete;

    void add_points(const std::string& name, int reference, std::vector<TemplatePoint> points);
    void set_range(const std::array<double, 21>& range) { range_ = range; }
    // The face proportions the landmark pairs are held to (absent unless set).
    void set_shape(const std::array<double, 21>& shape) { shape_ = shape; }
    // Any other range of 21 values read by its name (absent unless set).
    void set_named_range(const std::string& name, const std::array<double, 21>& values) {
        named_[name] = values;
    }
    void set_thickness(const std::array<double, 30>& thick) { thick_ = thick; }
    void set_fuzzy(const std::array<FuzzySet, kFuzzySets>& sets) { fuzzy_ = sets; }

private:
    struct Points {
        int reference;
        std::vector<TemplatePoint> points;
    };
    static int read_points(int set, const char* name, std::int32_t* header, std::int32_t* x,
                           std::int32_t* y, std::int32_t* weight, int capacity);
    static int read_range(int set, const char* name, double range[21]);
    static int read_thickness(int set, double thick[30]);
    static int read_fuzzy(int set, void* buffer, int count);

    FakeGenerationTables* previous_;
    GenerationTableReader previousReader_{};
    std::map<std::string, Points> points_;
    std::optional<std::array<double, 21>> range_;
    std::optional<std::array<double, 21>> shape_;
    std::map<std::string, std::array<double, 21>> named_;
    std::optional<std::array<double, 30>> thick_;
    std::optional<std::array<FuzzySet, kFuzzySets>> fuzzy_;
};

// A fuzzy set with the given bounds p0..p6 and class values.
FuzzySet fuzzy_set(std::array<double, 7> p, double low, double mid, double high);

} // namespace zel::engine::testing
