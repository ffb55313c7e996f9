// Speed of the image library on the working picture size (720 x 960). Work files go to the
// private work folder.

#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

constexpr int cols = 720;
constexpr int rows = 960;

class Picture {
public:
    Picture(int c, int r) : m_arr(ppm_allocarray(c, r)), m_rows(r) {
        for (int i = 0; i < r; ++i)
            for (int k = 0; k < c; ++k)
                m_arr[i][k] =
                    _pixel{static_cast<unsigned char>(i * 3 + k), static_cast<unsigned char>(k * 7),
                           static_cast<unsigned char>(i ^ k), 0};
    }
    ~Picture() { ppm_freearray(m_arr, m_rows); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    _pixel** rows() const { return m_arr; }

private:
    _pixel** m_arr;
    int m_rows;
};

void BM_imageCompose_600x800(benchmark::State& state) {
    Picture canvas(cols, rows);
    Picture head(600, 800);
    // A key-coloured frame around the head, as the composer's pictures have.
    const _pixel key{0, 0, 255, 0};
    for (int i = 0; i < 800; ++i)
        for (int k = 0; k < 600; ++k)
            if (k < 100 || k >= 500 || i < 100 || i >= 700)
                head.rows()[i][k] = key;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            imageCompose(canvas.rows(), cols, rows, head.rows(), 600, 800, key, 60, 80));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_imageCompose_600x800)->Unit(benchmark::kMicrosecond);

void BM_face_rgb2hvs(benchmark::State& state) {
    Picture photo(cols, rows);
    Picture hsv(cols, rows);
    for (auto _ : state) {
        face_rgb2hvs(photo.rows(), cols, rows, hsv.rows());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_face_rgb2hvs)->Unit(benchmark::kMillisecond);

// The face engine's save exports end in this call, so it bounds every editing round trip.
void BM_save_pixels_bmp(benchmark::State& state) {
    Picture picture(cols, rows);
    const std::string path = zel::work_path("bench_save.bmp");
    for (auto _ : state) {
        if (save_pixels(picture.rows(), cols, rows, path.c_str(), "bmp") != 1)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_save_pixels_bmp)->Unit(benchmark::kMillisecond);

void BM_save_pixels_then_LoadGeneralImage_bmp(benchmark::State& state) {
    Picture picture(cols, rows);
    Picture back(cols, rows);
    const std::string path = zel::work_path("bench_round.bmp");
    int c = 0;
    int r = 0;
    _BmpHeader hdr{};
    for (auto _ : state) {
        if (save_pixels(picture.rows(), cols, rows, path.c_str(), "bmp") != 1 ||
            LoadGeneralImage(back.rows(), path.c_str(), &c, &r, &hdr) != 1)
            state.SkipWithError("round trip failed");
    }
}
BENCHMARK(BM_save_pixels_then_LoadGeneralImage_bmp)->Unit(benchmark::kMillisecond);

void BM_cipher(benchmark::State& state) {
    const std::string src = zel::work_path("bench_cipher_src");
    const std::string dst = zel::work_path("bench_cipher_dst");
    const std::size_t bytes = 32u << 20;
    {
        std::string data(bytes, '\0');
        for (std::size_t i = 0; i < bytes; ++i)
            data[i] = static_cast<char>(i * 2654435761u >> 13);
        std::ofstream(src, std::ios::binary) << data;
    }
    for (auto _ : state) {
        if (zic_decypt(src.c_str(), dst.c_str(), "tq8HM", 5) != 0)
            state.SkipWithError("cipher failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_cipher)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
