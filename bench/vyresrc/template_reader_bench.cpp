// The face engine opens and closes every part's drawing on every redraw, reading its location
// record first: that pair must stay within 20 microseconds for a typical template.

#include "vyresrc/vyresrc.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

void OpenAndCloseTypicalTemplate(benchmark::State& state, const char* name) {
    int cols = 0, rows = 0;
    // The first read parses the set; that happens once per process and is not what is timed.
    CloseBWresource(OpenBWresource(1, name, &cols, &rows), rows);
    for (auto _ : state) {
        unsigned char** bitmap = OpenBWresource(1, name, &cols, &rows);
        if (!bitmap) {
            state.SkipWithError("template data not found");
            break;
        }
        benchmark::DoNotOptimize(bitmap[rows / 2][cols / 2]);
        CloseBWresource(bitmap, rows);
    }
}
BENCHMARK_CAPTURE(OpenAndCloseTypicalTemplate, Eye, "EYE222");
BENCHMARK_CAPTURE(OpenAndCloseTypicalTemplate, Mouth, "MOUTH33");

void ReadLocationThenOpenAndClose(benchmark::State& state) {
    int cols = 0, rows = 0;
    std::int32_t loc[6];
    CloseBWresource(OpenBWresource(1, "NOSE2", &cols, &rows), rows);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadLocResource(1, "NOSE2", loc));
        unsigned char** bitmap = OpenBWresource(1, "NOSE2", &cols, &rows);
        benchmark::DoNotOptimize(bitmap);
        CloseBWresource(bitmap, rows);
    }
}
BENCHMARK(ReadLocationThenOpenAndClose);

} // namespace

BENCHMARK_MAIN();
