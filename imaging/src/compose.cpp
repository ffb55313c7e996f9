// Key-colour pasting of one picture onto another (bodies, heads and backgrounds).

#include "pixel_compare.h"
#include "zel/imaging.h"

#include <algorithm>

using zel::imaging::copy_rgb;
using zel::imaging::pixel_near;

namespace {

bool origin_inside(_pixel** dst, int dstCols, int dstRows, _pixel** src, int x, int y) {
    return dst != nullptr && src != nullptr && x >= 0 && y >= 0 && x < dstCols && y < dstRows;
}

} // namespace

int imageCompose(_pixel** dst, int dstCols, int dstRows, _pixel** src, int srcCols, int srcRows,
                 _pixel key, int x, int y) {
    if (!origin_inside(dst, dstCols, dstRows, src, x, y))
        return 0;
    const int rows = std::min(srcRows, dstRows - y);
    const int cols = std::min(srcCols, dstCols - x);
    for (int i = 0; i < rows; ++i) {
        const _pixel* in = src[i];
        _pixel* out = dst[y + i] + x;
        for (int j = 0; j < cols; ++j) {
            if (!pixel_near(in[j], key))
                copy_rgb(out[j], in[j]);
        }
    }
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
