// Small drawing aids (outlines, crosses) and the bilevel fills and row flips.

#include "zel/imaging.h"

#include <algorithm>
#include <cstring>

namespace {

_pixel colour_of(int R, int G, int B) {
    return _pixel{static_cast<unsigned char>(R), static_cast<unsigned char>(G),
                  static_cast<unsigned char>(B), 0};
}

void paint(_pixel** arr, int cols, int rows, int row, int col, _pixel c) {
    if (row < 0 || row >= rows || col < 0 || col >= cols)
        return;
    _pixel& p = arr[row][col];
    p.r = c.r;
    p.g = c.g;
    p.b = c.b;
}

// The part of first..last (inclusive) that lies within 0..size-1, with ends that may lie beyond
// the range of an int (a cross arm's centre +- 10). Its last index is below
// INT_MAX, so a loop up to it cannot overflow, and it spans no more than the array does.
struct Span {
    int first = 0;
    int last = -1;
};

Span within(long long first, long long last, int size) {
    if (size <= 0)
        return {};
    return {static_cast<int>(std::max(first, 0LL)), static_cast<int>(std::min(last, size - 1LL))};
}

} // namespace

// Pixels outside the array are skipped: an outline that pokes out of the picture would
// otherwise write past its rows. Only the sides' part inside the array is walked, so a far
// corner costs nothing instead of billions of skipped pixels (and a loop to INT_MAX that
// never ends).
int face_ppmsquare(_pixel** arr, int cols, int rows, int x0, int x1, int y0, int y1, int R, int G,
                   int B) {
    if (arr == nullptr)
        return 0;
    const _pixel c = colour_of(R, G, B);
    const Span across = within(x0, x1, cols);
    for (int i = across.first; i <= across.last; ++i) {
        paint(arr, cols, rows, y1, i, c);
        paint(arr, cols, rows, y0, i, c);
    }
    const Span up = within(y0, y1, rows);
    for (int r = up.first; r <= up.last; ++r) {
        paint(arr, cols, rows, r, x1, c);
        paint(arr, cols, rows, r, x0, c);
    }
    return 0;
}

int face_ppmcross(_pixel** arr, int cols, int rows, int x, int y, int R, int G, int B) {
    if (arr == nullptr)
        return 0;
    const _pixel c = colour_of(R, G, B);
    const Span across = within(x - 10LL, x + 10LL, cols);
    for (int i = across.first; i <= across.last; ++i)
        paint(arr, cols, rows, y, i, c);
    const Span up = within(y - 10LL, y + 10LL, rows);
    for (int r = up.first; r <= up.last; ++r)
        paint(arr, cols, rows, r, x, c);
    return 0;
}

void face_pbmclear(unsigned char** arr, int cols, int rows, int value) {
    if (arr == nullptr || cols <= 0)
        return;
    for (int r = 0; r < rows; ++r)
        std::memset(arr[r], value & 0xff, static_cast<std::size_t>(cols));
}

unsigned char** retflipBIT(unsigned char** arr, int cols, int rows) {
    if (arr == nullptr || cols <= 0 || rows <= 0)
        return nullptr;
    unsigned char** flipped = pbm_allocarray(cols, rows);
    if (flipped == nullptr)
        return nullptr;
    for (int i = 0; i < rows; ++i)
        std::memcpy(flipped[i], arr[rows - 1 - i], static_cast<std::size_t>(cols));
    return flipped;
}

// Swapping row contents pairwise needs no temporary array, so the flip cannot fail for want
// of memory; the row pointers themselves stay where the caller put them.
int BITflip(unsigned char** arr, int cols, int rows) {
    if (arr == nullptr || cols <= 0 || rows <= 0)
        return -11;
    for (int i = 0, j = rows - 1; i < j; ++i, --j)
        std::swap_ranges(arr[i], arr[i] + cols, arr[j]);
    return 0;
}
