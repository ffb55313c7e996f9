// Speed of the redraw and of what the editor calls on every edit, on a full face built from
// the template library (eyes, brows, nose, mouth, glasses and a face edge).

#include "builder/face_builder.h"
#include "face_state.h"

#include <zel/common/work_folder.h>

#include <benchmark/benchmark.h>
#include <vyresrc/vyresrc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace zel::engine;

// Builds the full face once per process: standard box, typical proportions, an oval face edge,
// glasses on.
void build_full_face() {
    static bool built = false;
    if (built) {
        return;
    }
    std::int32_t std[6] = {};
    if (face_alloc_clrimage() != 1 || ReadLocResource(1, "STD_FACE", std) == 0) {
        std::fprintf(stderr, "face_engine_bench: no template library\n");
        std::exit(1);
    }
    face_record_init(&current_face());
    FaceObject& object = face_object();
    object.face_set_image(1, kCanvasCols, kCanvasRows);
    FaceBox box;
    box.box_set_side(0, std[2]);
    box.box_set_side(1, std[3]);
    box.box_set_side(2, std[4]);
    box.box_set_side(3, std[5]);
    FaceMeasures m;
    m.eye_height = 0.52;
    m.eye_space = 0.25;
    m.eye_nose = 0.40;
    m.nose_mouth = 0.18;
    m.eye_brow = 0.105;
    m.eye_size = m.eye_shape = m.eye_slant = m.brow_thick = 2;
    m.nose_shape = m.mouth_size = m.lips_thick = 2;
    object.face_set_outline(&box);
    object.face_set_measures(&m);
    unsigned char** drawing = object.faceobj_get_bwimage();
    bw_array_fill(drawing, kCanvasCols, kCanvasRows, 1);
    for (int a = 0; a < 3600; ++a) {
        const double t = a * M_PI / 1800.0;
        const int x = box.centerx + static_cast<int>(0.5 * box.width * std::cos(t));
        const int y = box.centery + static_cast<int>(0.5 * box.height * std::sin(t));
        drawing[y][x] = 0;
    }
    if (face_build_render(object, current_face()) != 0) {
        std::fprintf(stderr, "face_engine_bench: the face could not be built\n");
        std::exit(1);
    }
    face_glasses(42);
    built = true;
}

void BM_FaceRedraw(benchmark::State& state) {
    build_full_face();
    for (auto _ : state) {
        benchmark::DoNotOptimize(face_redraw());
    }
}
BENCHMARK(BM_FaceRedraw)->Unit(benchmark::kMillisecond);

void BM_FaceMoveSaveRoundTrip(benchmark::State& state) {
    build_full_face();
    const std::string head = zel::work_path("zelhead.bmp");
    int step = 1;
    for (auto _ : state) {
        // Up and down in turn, so the part stays where it was.
        benchmark::DoNotOptimize(face_move_save(7, step, head.c_str()));
        step = 3 - step;
    }
}
BENCHMARK(BM_FaceMoveSaveRoundTrip)->Unit(benchmark::kMillisecond);

void BM_FaceComposeBw(benchmark::State& state) {
    build_full_face();
    unsigned char** bw = pbm_allocarray(kCanvasCols, kCanvasRows);
    int w = 0;
    int h = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(face_compose_bw(bw, &w, &h));
    }
    pbm_freearray(bw, kCanvasRows);
}
BENCHMARK(BM_FaceComposeBw)->Unit(benchmark::kMillisecond);

void BM_FaceComposeClr(benchmark::State& state) {
    build_full_face();
    _pixel** clr = ppm_allocarray(kCanvasCols, kCanvasRows);
    int w = 0;
    int h = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(face_compose_clr(clr, &w, &h));
    }
    ppm_freearray(clr, kCanvasRows);
}
BENCHMARK(BM_FaceComposeClr)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
