// Small pixel operations of the engine.

#include "render/pixel_ops.h"

#include "engine_codes.h"

#include <algorithm>
#include <cstring>

namespace zel::engine {

void pixel_array_copy(_pixel** target, _pixel** source, int cols, int rows) {
    if (target == nullptr || source == nullptr || cols <= 0) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        std::memcpy(target[r], source[r], static_cast<size_t>(cols) * sizeof(_pixel));
    }
}

void pixel_array_fill_grey(_pixel** arr, int cols, int rows, unsigned char grey) {
    pixel_array_fill_color(arr, cols, rows, _pixel{grey, grey, grey, 0});
}

void pixel_array_fill_color(_pixel** arr, int cols, int rows, _pixel colour) {
    if (arr == nullptr || cols <= 0) {
        return;
    }
    const _pixel fill{colour.r, colour.g, colour.b, 0};
    for (int r = 0; r < rows; ++r) {
        std::fill_n(arr[r], cols, fill);
    }
}

void bw_array_fill(unsigned char** arr, int cols, int rows, unsigned char value) {
    if (arr == nullptr || cols <= 0) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        std::memset(arr[r], value, static_cast<size_t>(cols));
    }
}

} // namespace zel::engine
