// Two debugging routines that write a picture as text; nothing in the program calls them.

#include "tessel_view.h"

#include <cstdio>

namespace {

// Writes the header line, then one line a pixel, row by row, through line; only to path.
template <class Line> void dump(const char* path, int cols, int rows, Line line) {
    if (path == nullptr) {
        return;
    }
    std::FILE* file = std::fopen(path, "w");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "Column: %d,  Row: %d\n", cols, rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            line(file, r, c);
        }
    }
    std::fclose(file);
}

} // namespace

void CTesselView::DumpPixels(_pixel** pixels, int cols, int rows, const char* path) {
    if (pixels == nullptr) {
        return;
    }
    dump(path, cols, rows, [pixels](std::FILE* file, int r, int c) {
        const _pixel& p = pixels[r][c];
        std::fprintf(file, "[%2d][%2d]: %4d%4d%4d\n", r, c, p.r, p.g, p.b);
    });
}

void CTesselView::DumpBytes(unsigned char** bytes, int cols, int rows, const char* path) {
    if (bytes == nullptr) {
        return;
    }
    dump(path, cols, rows, [bytes](std::FILE* file, int r, int c) {
        std::fprintf(file, "[%2d][%2d]: %4d \n", r, c, bytes[r][c]);
    });
}
