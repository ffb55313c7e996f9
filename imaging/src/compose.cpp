// Key-colour pasting of one picture onto another (bodies, heads and backgrounds).

#include "pixel_compare.h"
#include "zel/imaging.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

using zel::imaging::copy_rgb;
using zel::imaging::pixel_near;

namespace {

bool origin_inside(_pixel** dst, int dstCols, int dstRows, _pixel** src, int x, int y) {
    return dst != nullptr && src != nullptr && x >= 0 && y >= 0 && x < dstCols && y < dstRows;
}

// Branch-free paste of one row: r, g, b of each src pixel unless it is near the key, the
// spare byte of dst kept. Written on whole 32-bit words so that the compiler vectorises it.
static_assert(std::endian::native == std::endian::little, "r must be the low byte of the word");
void paste_row(_pixel* dst, const _pixel* src, int cols, _pixel key) {
    const int kr = key.r;
    const int kg = key.g;
    const int kb = key.b;
    for (int j = 0; j < cols; ++j) {
        std::uint32_t d = 0;
        std::uint32_t s = 0;
        std::memcpy(&d, dst + j, sizeof d);
        std::memcpy(&s, src + j, sizeof s);
        const int dr = static_cast<int>(s & 0xff) - kr;
        const int dg = static_cast<int>((s >> 8) & 0xff) - kg;
        const int db = static_cast<int>((s >> 16) & 0xff) - kb;
        const int distance = (dr < 0 ? -dr : dr) + (dg < 0 ? -dg : dg) + (db < 0 ? -db : db);
        const std::uint32_t rgb = distance <= 35 ? 0u : 0x00ffffffu;
        d = (d & ~rgb) | (s & rgb);
        std::memcpy(dst + j, &d, sizeof d);
    }
}

} // namespace

int imageCompose(_pixel** dst, int dstCols, int dstRows, _pixel** src, int srcCols, int srcRows,
                 _pixel key, int x, int y) {
    if (!origin_inside(dst, dstCols, dstRows, src, x, y))
        return 0;
    const int rows = std::min(srcRows, dstRows - y);
    const int cols = std::min(srcCols, dstCols - x);
    for (int i = 0; i < rows; ++i)
        paste_row(dst[y + i] + x, src[i], cols, key);
    return 1;
}

int imageCompose_head(_pixel** dst, int dstCols, int dstRows, _pixel** src, int srcCols,
                      int srcRows, _pixel key, int x, int y) {
    if (!origin_inside(dst, dstCols, dstRows, src, x, y))
        return 0;
    const int rows = std::min(srcRows, dstRows - y);
    for (int i = 0; i < rows; ++i) {
        const _pixel* in = src[i];
        int first = 0;
        while (first < srcCols && pixel_near(in[first], key))
            ++first;
        // A row with nothing but key colour has no span and is left alone.
        if (first == srcCols)
            continue;
        int last = srcCols - 1;
        while (last > first && pixel_near(in[last], key))
            --last;
        if (first >= last || x + first >= dstCols)
            continue;
        // Inside the outline everything is copied, so key-coloured holes get filled.
        const int end = std::min(last, dstCols - x);
        _pixel* out = dst[y + i] + x;
        for (int j = first; j < end; ++j)
            copy_rgb(out[j], in[j]);
    }
    return 1;
}
