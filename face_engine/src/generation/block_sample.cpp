// Block samples of the photograph for the coarse classification. Each block is represented by
// its most frequent colour rather than its mean, so a block astride skin and background takes
// one of the two classes instead of a mixture that belongs to neither.

#include "generation/segmentation.h"

#include <vector>

namespace zel::engine {
namespace {

// 16 levels per channel. The key orders exactly as the code R/16 x 1000000 + G/16 x 1000 +
// B/16 does, which decides ties.
int colour_key(const _pixel& p) {
    return (p.r >> 4) << 8 | (p.g >> 4) << 4 | (p.b >> 4);
}

// Number of keys: 16 levels in each of three channels.
constexpr int kKeyCount = 16 * 16 * 16;

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

    // Count and channel sums per colour key, in one pass over the block; the counts are
    // cleared after each block through the list of keys it used.
    struct Tally {
        int count = 0;
        long r = 0, g = 0, b = 0;
    };
    std::vector<Tally> tally(kKeyCount);
    std::vector<int> used;
    used.reserve(static_cast<std::size_t>(b) * b);
    for (int by = 0; by < sr; ++by) {
        for (int bx = 0; bx < sc; ++bx) {
            used.clear();
            for (int y = by * b; y < by * b + b; ++y) {
                for (int x = bx * b; x < bx * b + b; ++x) {
                    const _pixel& p = photo[y][x];
                    Tally& t = tally[colour_key(p)];
                    if (t.count++ == 0) {
                        used.push_back(colour_key(p));
                        t.r = t.g = t.b = 0;
                    }
                    t.r += p.r;
                    t.g += p.g;
                    t.b += p.b;
                }
            }
            // Among equally frequent colours the larger code wins.
            int mode = used.front();
            for (const int key : used) {
                const int n = tally[key].count;
                if (n > tally[mode].count || (n == tally[mode].count && key > mode))
                    mode = key;
            }
            const Tally& m = tally[mode];
            _pixel& out = sample[by][bx];
            out.r = static_cast<unsigned char>(m.r / m.count);
            out.g = static_cast<unsigned char>(m.g / m.count);
            out.b = static_cast<unsigned char>(m.b / m.count);
            for (const int key : used)
                tally[key].count = 0;
        }
    }
    return sample;
}

} // namespace zel::engine
