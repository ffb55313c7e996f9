// The feature-line search's debugging dumps of a picture as text. Nothing in the system calls
// them.

#include "generation/feature_line_search.h"

#include "engine_codes.h"

#include <cstdio>

namespace zel::engine {
namespace {

template <typename Line> int dump(const char* file, int cols, int rows, Line line) {
    if (file == nullptr)
        return kFileError;
    std::FILE* out = std::fopen(file, "w");
    if (out == nullptr)
        return kFileError;
    std::fprintf(out, "Column: %d,  Row: %d\n", cols, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            line(out, r, c);
    std::fclose(out);
    return kOk;
}

} // namespace

int dump_pixel_array_text(const char* file, _pixel** pixels, int cols, int rows) {
    if (pixels == nullptr)
        return kMissing;
    return dump(file, cols, rows, [&](std::FILE* out, int r, int c) {
        const _pixel& p = pixels[r][c];
        std::fprintf(out, "[%2d][%2d]: %4d%4d%4d\n", r, c, p.r, p.g, p.b);
    });
}

int dump_grey_array_text(const char* file, unsigned char** pixels, int cols, int rows) {
    if (pixels == nullptr)
        return kMissing;
    return dump(file, cols, rows, [&](std::FILE* out, int r, int c) {
        std::fprintf(out, "[%2d][%2d]: %4d \n", r, c, pixels[r][c]);
    });
}

} // namespace zel::engine
