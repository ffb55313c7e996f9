// Block samples of the photograph for the coarse classification. Each block is represented by
// its most frequent colour rather than its mean, so a block astride skin and background takes
// one of the two classes instead of a mixture that belongs to neither.

#include "generation/segmentation.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace zel::engine {
namespace {

// 16 levels per channel. The key orders exactly as the code R/16 x 1000000 + G/16 x 1000 +
// B/16 does, which decides ties.
int colour_key(const _pixel& p) {
    return (p.r >> 4) << 8 | (p.g >> 4) << 4 | (p.b >> 4);
}

} // namespace

_pixel** block_mode_sample(_pixel** photo, int cols, int rows, int* sampleCols, int* sampleRows,
                           int b) {
    if (photo == nullptr || b < 1)
        return nullptr;
    const int sc = cols / b;
    const int sr = rows / b;
    *sampleCols = sc;
    *sampleRows = sr;
    if (sc < 1 || sr < 1)
        return nullptr;
    _pixel** sample = ppm_allocarray(sc, sr);
    if (sample == nullptr)
        return nullptr;

    std::vector<int> keys(static_cast<std::size_t>(b) * b);
    for (int by = 0; by < sr; ++by) {
        for (int bx = 0; bx < sc; ++bx) {
            std::size_t k = 0;
            for (int y = by * b; y < by * b + b; ++y)
                for (int x = bx * b; x < bx * b + b; ++x)
                    keys[k++] = colour_key(photo[y][x]);
            std::sort(keys.begin(), keys.end(), std::greater<>());
            // Runs in descending order: only a strictly longer run replaces the best, so the
            // largest code wins among equally frequent ones.
            int mode = keys[0];
            int best = 0;
            for (std::size_t i = 0; i < keys.size();) {
                std::size_t j = i;
                while (j < keys.size() && keys[j] == keys[i])
                    ++j;
                if (static_cast<int>(j - i) > best) {
                    best = static_cast<int>(j - i);
                    mode = keys[i];
                }
                i = j;
            }
            long sum[3] = {0, 0, 0};
            for (int y = by * b; y < by * b + b; ++y) {
                for (int x = bx * b; x < bx * b + b; ++x) {
                    const _pixel& p = photo[y][x];
                    if (colour_key(p) != mode)
                        continue;
                    sum[0] += p.r;
                    sum[1] += p.g;
                    sum[2] += p.b;
                }
            }
            _pixel& out = sample[by][bx];
            out.r = static_cast<unsigned char>(sum[0] / best);
            out.g = static_cast<unsigned char>(sum[1] / best);
            out.b = static_cast<unsigned char>(sum[2] / best);
        }
    }
    return sample;
}

} // namespace zel::engine
