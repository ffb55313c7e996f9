// Speed of the composer: one composition of background, body and head, and one move of head
// and body as the Add Body dialog makes it (the move, the composition and the reload of the
// composed picture for the preview).

#include <zel/composition.h>
#include <zel/imaging.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

std::string work_dir() {
    return ZEL_BENCH_WORK_DIR;
}

// A 360 x 480 head picture: an oval face on the face canvas's grey.
std::string make_head() {
    constexpr int cols = 360, rows = 480;
    _pixel** face = ppm_allocarray(cols, rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const double dx = (c - 180) / 130.0;
            const double dy = (r - 220) / 220.0;
            face[r][c] =
                dx * dx + dy * dy <= 1.0 ? _pixel{236, 188, 150, 0} : _pixel{192, 192, 192, 0};
        }
    }
    const std::string path = work_dir() + "/zel_head.bmp";
    save_pixels(face, cols, rows, path.c_str(), "bmp");
    ppm_freearray(face, rows);
    return path;
}

// Head, man's body 01-00 and mountain background 01-00, chosen as the dialogs choose them.
bool set_scene() {
    ::mkdir(work_dir().c_str(), 0700);
    ::setenv("ZEL_WORKDIR", work_dir().c_str(), 1);
    ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 1);
    zel2_set_head(" ", make_head().c_str(), "bmp", 1);
    clear_zeledit2();
    const std::string out = work_dir() + "/zel_all.bmp";
    return zel2_select_body_save(0, 1, out.c_str(), 1) == 1 &&
           zel2_select_bkgd_save(1, 1, out.c_str(), 1) == 1;
}

void BM_ComposeSave(benchmark::State& state) {
    if (!set_scene()) {
        state.SkipWithError("the picture libraries are not built");
        return;
    }
    const std::string out = work_dir() + "/zel_all.bmp";
    for (auto _ : state) {
        if (zel2_compose_save(1, 1, out.c_str()) != 1)
            state.SkipWithError("compose failed");
    }
}
BENCHMARK(BM_ComposeSave)->Unit(benchmark::kMillisecond);

void BM_MoveSaveRoundTrip(benchmark::State& state) {
    if (!set_scene()) {
        state.SkipWithError("the picture libraries are not built");
        return;
    }
    const std::string out = work_dir() + "/zel_all.bmp";
    _pixel** preview = ppm_allocarray(720, 960);
    _BmpHeader header{};
    int cols = 0;
    int rows = 0;
    int dir = 1;
    for (auto _ : state) {
        if (zel2_move_save(11, 53, dir, out.c_str(), 0) != 0 ||
            LoadGeneralImage(preview, out.c_str(), &cols, &rows, &header) != 1)
            state.SkipWithError("move failed");
        dir = 3 - dir; // up, then down again
    }
    ppm_freearray(preview, 960);
}
BENCHMARK(BM_MoveSaveRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
