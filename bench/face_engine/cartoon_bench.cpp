// Speed of GetCartoon from the photo to the built and rendered caricature: a portrait at its
// own size and the same portrait scaled up to the working size. Each stage's own time is
// measured too, so that a slow run shows where the time goes.

#include "generation/cartoon.h"
#include "generation/stages.h"
#include "portraits.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace zel::engine;
using zel::engine::testing::Portrait;

// A portrait's photo, stretched to cols x rows (its own size when 0), with its marks.
struct Scaled {
    int cols = 0;
    int rows = 0;
    _pixel** photo = nullptr;
    vyPointTag chin{};
    vyPointTag top{};
    _pixel skin{};
    _pixel back{};

    Scaled(int c, int r) {
        static Portrait portrait(zel::engine::testing::portrait_names().front());
        if (!portrait.ok()) {
            std::fprintf(stderr, "cartoon_bench: the test portraits are missing\n");
            std::exit(1);
        }
        cols = c > 0 ? c : portrait.cols();
        rows = r > 0 ? r : portrait.rows();
        const double sx = double(cols) / portrait.cols();
        const double sy = double(rows) / portrait.rows();
        photo = ppm_allocarray(cols, rows);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
                photo[rows - 1 - y][x] = portrait.at(int(x / sx), int(y / sy));
        chin = {int(portrait.chin().x * sx), int(portrait.chin().y * sy), 1, 0};
        top = {int(portrait.head_top().x * sx), int(portrait.head_top().y * sy), 1, 0};
        skin = portrait.skin();
        back = portrait.background();
    }
    ~Scaled() { ppm_freearray(photo, rows); }
    Scaled(const Scaled&) = delete;
    Scaled& operator=(const Scaled&) = delete;
};

void cartoon(benchmark::State& state, int cols, int rows) {
    Scaled s(cols, rows);
    unsigned char** out = pbm_allocarray(s.cols, s.rows);
    char name[] = "portrait.jpg";
    vyPointSetTag points{};
    for (auto _ : state) {
        if (GetCartoon(1, name, s.photo, s.cols, s.rows, s.skin, s.back, s.chin, s.top, points,
                       out) != 1) {
            state.SkipWithError("GetCartoon failed");
            break;
        }
    }
    pbm_freearray(out, s.rows);
}

// Goal: at most 10 ms.
void BM_GetCartoonPortrait(benchmark::State& state) {
    cartoon(state, 0, 0);
}
BENCHMARK(BM_GetCartoonPortrait)->Unit(benchmark::kMillisecond);

// Goal: at most 150 ms.
void BM_GetCartoonAtWorkingSize(benchmark::State& state) {
    cartoon(state, 720, 960);
}
BENCHMARK(BM_GetCartoonAtWorkingSize)->Unit(benchmark::kMillisecond);

// The landmark and feature-line stages alone, on the box segmentation gives.
void stages(benchmark::State& state, int cols, int rows, bool lines) {
    Scaled s(cols, rows);
    CartoonWork work;
    if (cartoon_work_setup(work, s.photo, s.cols, s.rows) != 0 ||
        cartoon_check_head(s.chin, s.top, s.cols, s.rows) != 0)
        std::exit(1);
    generation_state().face_bottom_y = s.chin.y;
    work.box.box_record_init();
    if (segmentation_stage(work, s.skin, s.back, s.chin) != 0) {
        state.SkipWithError("segmentation failed");
        return;
    }
    const vyPointSetTag none{};
    cartoon_set_landmarks(1, s.chin, s.top, none, work.box, s.cols);
    face_box_lower_top(work.box);
    for (auto _ : state) {
        FaceLandmarks lm;
        lm.face_landmarks_init();
        landmark_search(1, work.box, work.hsv.pixels, s.cols, s.rows, lm);
        if (lines)
            feature_line_search(1, work.hsv.pixels, s.cols, s.rows, work.box, lm);
        benchmark::DoNotOptimize(lm.mouth.r_x);
    }
}

void BM_LandmarksPortrait(benchmark::State& state) {
    stages(state, 0, 0, false);
}
BENCHMARK(BM_LandmarksPortrait)->Unit(benchmark::kMillisecond);

void BM_LandmarksAtWorkingSize(benchmark::State& state) {
    stages(state, 720, 960, false);
}
BENCHMARK(BM_LandmarksAtWorkingSize)->Unit(benchmark::kMillisecond);

void BM_FeatureLinesAtWorkingSize(benchmark::State& state) {
    stages(state, 720, 960, true);
}
BENCHMARK(BM_FeatureLinesAtWorkingSize)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
