#include "calibrate_landmarks.h"

#include "tables_in_use.h"

#include "generation/stages.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdio>
#include <thread>

namespace zelgen {
namespace {

// The machine is shared: a few threads at most.
constexpr int kTrainingThreads = 3;

} // namespace

void calibrate_landmarks(const std::vector<Sample>& samples, const LandmarkSettings& settings,
                         vyrgen::GenerationTables& tables) {
    tables.range = measure_search_ranges(samples, settings.margin);
    tables.points.clear();
    // The templates are independent: a few are taught at once.
    const auto& points = template_points();
    std::vector<std::vector<vyrgen::PointTemplate>> made(points.size());
    std::vector<std::thread> workers;
    std::atomic<std::size_t> next{0};
    for (int k = 0; k < kTrainingThreads; ++k)
        workers.emplace_back([&] {
            for (std::size_t i = next++; i < points.size(); i = next++)
                made[i] = derive_templates(samples, points[i], settings.shape, tables.range);
        });
    for (std::thread& t : workers)
        t.join();
    for (auto& pair : made)
        for (vyrgen::PointTemplate& t : pair)
            tables.points.push_back(std::move(t));
}

std::vector<std::vector<double>> landmark_errors(std::vector<Sample>& samples,
                                                 const vyrgen::GenerationTables& tables) {
    const TablesInUse use(tables);
    std::vector<std::vector<double>> all;
    for (Sample& s : samples) {
        FaceLandmarks lm;
        lm.face_landmarks_init();
        std::vector<double> errors;
        if (zel::engine::landmark_search(1, s.box, s.hsv(), s.cols, s.rows, lm) == 0) {
            for (const LandmarkKey& key : landmark_keys()) {
                const Point p = s.ref.at(key.key);
                errors.push_back(std::hypot(key.get_x(lm) - p.x, key.get_y(lm) - p.y) / s.iod);
            }
        }
        all.push_back(std::move(errors));
    }
    return all;
}

std::string mouth_rows_report(std::vector<Sample>& samples,
                              const vyrgen::GenerationTables& tables) {
    const TablesInUse use(tables);
    int inside[2] = {0, 0};
    for (Sample& s : samples) {
        FaceLandmarks found;
        found.face_landmarks_init();
        if (zel::engine::landmark_search(1, s.box, s.hsv(), s.cols, s.rows, found) != 0)
            continue;
        // The band as the ranges give it (no nose above it), then below the nose centre found.
        for (int below = 0; below < 2; ++below) {
            FaceLandmarks lm = found;
            if (below == 0)
                lm.nose.center_y = INT_MIN / 2;
            const auto band = zel::engine::mouth_band(s.box, tables.range.data(), lm.nose.center_y);
            int line = 0;
            zel::engine::mouth_line_projection(s.hsv(), s.cols, s.rows, band.x0, band.x1, band.y0,
                                               band.y1, line);
            const zel::engine::SearchWindow w = zel::engine::landmark_window(
                zel::engine::kMouthLeft, s.box, tables.range.data(), lm, line);
            bool both = true;
            for (const char* key : {"mouth_l", "mouth_r"})
                both = both && s.ref.at(key).y >= w.y0 && s.ref.at(key).y <= w.y1;
            inside[below] += both ? 1 : 0;
        }
    }
    char line[200];
    std::snprintf(line, sizeof line,
                  "rows searched for the mouth corners hold both: %d of %zu portraits with the "
                  "band of the ranges alone, %d with the band below the nose",
                  inside[0], samples.size(), inside[1]);
    return line;
}

std::string error_summary(const std::vector<std::vector<double>>& errors) {
    std::vector<double> flat;
    for (const auto& e : errors)
        flat.insert(flat.end(), e.begin(), e.end());
    if (flat.empty())
        return "no errors";
    std::sort(flat.begin(), flat.end());
    const auto over = std::count_if(flat.begin(), flat.end(), [](double e) { return e > 0.2; });
    char line[160];
    std::snprintf(line, sizeof line, "points %zu median %.3f p90 %.3f max %.3f over 0.2: %ld",
                  flat.size(), flat[flat.size() / 2], flat[flat.size() * 9 / 10], flat.back(),
                  static_cast<long>(over));
    return line;
}

} // namespace zelgen
