// Loading and saving the starter faces with the real template library: a load deciphers,
// parses, renders and hands out the drawing and the colour face; a save writes the plain text
// and enciphers it beside the target before renaming it over.
//
// Goals: loading a version-2 starter face at most 20 ms; saving one at most 20 ms.

#include "face_state.h"

#include <zel/common/data_folder.h>
#include <zel/common/work_folder.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

struct Arrays {
    Arrays() : bw(pbm_allocarray(720, 960)), clr(ppm_allocarray(720, 960)) {}
    ~Arrays() {
        pbm_freearray(bw, 960);
        ppm_freearray(clr, 960);
    }
    unsigned char** bw;
    _pixel** clr;
};

std::vector<char> c_string(const std::string& text) {
    std::vector<char> name(text.begin(), text.end());
    name.push_back('\0');
    return name;
}

int load(const std::string& path, Arrays& arrays) {
    std::vector<char> name = c_string(path);
    int w = 0;
    int h = 0;
    return face_loadzel2(name.data(), arrays.bw, arrays.clr, &w, &h);
}

void BM_LoadStarterFace(benchmark::State& state, const char* file) {
    const std::string path = zel::data_path(std::string("faces/") + file);
    Arrays arrays;
    if (load(path, arrays) != 1) {
        state.SkipWithError("the starter face does not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(load(path, arrays));
}

void BM_SaveStarterFace(benchmark::State& state, const char* file) {
    Arrays arrays;
    if (load(zel::data_path(std::string("faces/") + file), arrays) != 1) {
        state.SkipWithError("the starter face does not load");
        return;
    }
    const std::string target = zel::work_path("bench-save.zel");
    for (auto _ : state) {
        std::vector<char> name = c_string(target);
        benchmark::DoNotOptimize(face_savezel2(name.data()));
    }
}

BENCHMARK_CAPTURE(BM_LoadStarterFace, version2_woman, "woman.zel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadStarterFace, version2_man_glasses, "man-glasses.zel")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadStarterFace, version1_man, "man.zel")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveStarterFace, version2_woman, "woman.zel")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
