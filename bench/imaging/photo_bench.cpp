// Speed of loading photographs as the photo command does (LoadGeneralImage, shrunk to the
// working size), release build, one thread as the library sets it. The goals: a 12-megapixel
// JPEG in at most 150 ms, a 12-megapixel BMP in at most 200 ms, and at the working size
// (600 x 800) a JPEG, PSD or TGA in at most 12 ms each. This program measures; the goals are
// read off its output (the real time per load).

#include "photo_maker.h"
#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Format {
    const char* magick;
    const char* extension;
};

constexpr Format formats[] = {{"JPEG", "jpg"}, {"BMP3", "bmp"}, {"PSD", "psd"}, {"TGA", "tga"}};

// The photograph of this size and format, written once into the work space.
std::string photo(int format, int cols, int rows) {
    const Format& f = formats[format];
    const std::string path = zel::work_path("bench_photo_" + std::to_string(cols) + "x" +
                                            std::to_string(rows) + "." + f.extension);
    static std::string written;
    if (written.find(path + ";") == std::string::npos) {
        if (!zel::bench::write_photo(path, cols, rows, f.magick))
            return {};
        written += path + ";";
    }
    return path;
}

void BM_LoadGeneralImage(benchmark::State& state) {
    const std::string path =
        photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
              static_cast<int>(state.range(2)));
    _pixel** arr = ppm_allocarray(720, 960);
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
    for (auto _ : state) {
        if (path.empty() || LoadGeneralImage(arr, path.c_str(), &cols, &rows, &hdr) != 1) {
            state.SkipWithError("the photograph does not load");
            break;
        }
    }
    ppm_freearray(arr, 960);
    state.SetLabel(std::string(formats[state.range(0)].extension) + " -> " + std::to_string(cols) +
                   "x" + std::to_string(rows));
}

BENCHMARK(BM_LoadGeneralImage)
    ->ArgNames({"format", "cols", "rows"})
    ->Args({0, 4000, 3000})
    ->Args({1, 4000, 3000})
    ->Args({0, 600, 800})
    ->Args({2, 600, 800})
    ->Args({3, 600, 800})
    ->Args({1, 600, 800})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
