// Speed of segmentation and the face region's line drawing on a portrait at its own size and
// scaled up to the working size, and of the region merge on a textured mask of two sizes.

#include "generation/cartoon.h"
#include "generation/region_list.h"
#include "generation/stages.h"
#include "portraits.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using namespace zel::engine;
using zel::engine::testing::Portrait;

// A portrait ready for the segmentation stage, at its own size or stretched to cols x rows.
struct Prepared {
    CartoonWork work;
    vyPointTag chin{};
    vyPointTag top{};
    _pixel skin{};
    _pixel back{};
    int cols = 0;
    int rows = 0;
};

std::unique_ptr<Prepared> prepare(int cols, int rows) {
    static Portrait portrait(zel::engine::testing::portrait_names().front());
    if (!portrait.ok()) {
        std::fprintf(stderr, "generation_bench: the test portraits are missing\n");
        std::exit(1);
    }
    auto p = std::make_unique<Prepared>();
    p->cols = cols > 0 ? cols : portrait.cols();
    p->rows = rows > 0 ? rows : portrait.rows();
    const double sx = double(p->cols) / portrait.cols();
    const double sy = double(p->rows) / portrait.rows();
    _pixel** photo = ppm_allocarray(p->cols, p->rows);
    for (int y = 0; y < p->rows; ++y)
        for (int x = 0; x < p->cols; ++x)
            photo[p->rows - 1 - y][x] = portrait.at(int(x / sx), int(y / sy));
    const vyPointTag chin = portrait.chin();
    const vyPointTag top = portrait.head_top();
    p->chin = {int(chin.x * sx), int(chin.y * sy), 1, 0};
    p->top = {int(top.x * sx), int(top.y * sy), 1, 0};
    p->skin = portrait.skin();
    p->back = portrait.background();
    const int setup = cartoon_work_setup(p->work, photo, p->cols, p->rows);
    ppm_freearray(photo, p->rows);
    if (setup != 0) {
        std::fprintf(stderr, "generation_bench: out of memory\n");
        std::exit(1);
    }
    return p;
}

void segment(benchmark::State& state, int cols, int rows) {
    auto p = prepare(cols, rows);
    for (auto _ : state) {
        cartoon_check_head(p->chin, p->top, p->cols, p->rows);
        generation_state().face_bottom_y = p->chin.y;
        p->work.box.box_record_init();
        if (segmentation_stage(p->work, p->skin, p->back, p->chin) != 0) {
            state.SkipWithError("segmentation failed");
            break;
        }
    }
}

// Goal: at most 5 ms.
void BM_SegmentPortrait(benchmark::State& state) {
    segment(state, 0, 0);
}
BENCHMARK(BM_SegmentPortrait)->Unit(benchmark::kMillisecond);

// Goal: at most 80 ms.
void BM_SegmentPortraitAtWorkingSize(benchmark::State& state) {
    segment(state, 720, 960);
}
BENCHMARK(BM_SegmentPortraitAtWorkingSize)->Unit(benchmark::kMillisecond);

// Textured hair: runs of 14 pixels every 20 columns, shifted by half a period on every other
// row, so that every run touches two runs of the row above and the whole mask is one region.
// Goal: the time per segment stays the same at both sizes.
void BM_RegionMergeTexture(benchmark::State& state) {
    const int cols = static_cast<int>(state.range(0));
    const int rows = cols * 4 / 3;
    unsigned char** mask = pbm_allocarray(cols, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            mask[y][x] = (x + (y % 2) * 10) % 20 < 14 ? 1 : 0;
    long segments = 0;
    for (auto _ : state) {
        RegionList list(rows);
        if (!list.add_rows(mask, cols, rows, 1)) {
            state.SkipWithError("region list overflow");
            break;
        }
        list.merge();
        segments = list.segment_count();
        benchmark::DoNotOptimize(list.region_count());
    }
    state.SetItemsProcessed(state.iterations() * segments);
    state.counters["segments"] = static_cast<double>(segments);
    pbm_freearray(mask, rows);
}
BENCHMARK(BM_RegionMergeTexture)->Arg(180)->Arg(720)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
