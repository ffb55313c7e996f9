#pragma once
// Owners for the image library's row tables, so that every way out of a step frees what the
// step allocated.

#include <zel/imaging.h>

#include <memory>

namespace zel::engine {

struct BitRowsFree {
    int rows = 0;
    void operator()(unsigned char** m) const { pbm_freearray(m, rows); }
};
struct PixelRowsFree {
    int rows = 0;
    void operator()(_pixel** m) const { ppm_freearray(m, rows); }
};

// A bilevel mask of cols x rows (contents undefined), or empty when memory runs out.
using Mask = std::unique_ptr<unsigned char*, BitRowsFree>;
// Colour rows of cols x rows, or empty.
using PixelRows = std::unique_ptr<_pixel*, PixelRowsFree>;

inline Mask make_mask(int cols, int rows) {
    return Mask(pbm_allocarray(cols, rows), BitRowsFree{rows});
}
inline PixelRows make_pixel_rows(int cols, int rows) {
    return PixelRows(ppm_allocarray(cols, rows), PixelRowsFree{rows});
}

} // namespace zel::engine
