#pragma once
// A finished part drawing: the ink cropped to its tight box, with its location record.

#include "raster.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vyrgen {

// Where the anchor of a part lies.
enum class Anchor {
    InnerCorner,   // eyes: last column, middle of the ink in it (where the lids meet)
    InnerBottom,   // brows: last column, lowest ink in it
    OriginBaseRow, // nose: the artwork's x = 0, lowest ink row
    Origin,        // mouth and glasses: the artwork's (0, 0)
};

struct TemplateImage {
    std::string name;
    int cols = 0;
    int rows = 0;
    std::vector<unsigned char> ink; // 1 = ink, row 0 at the top
    // anchor column, anchor row, first column, last column, first row, last row
    std::array<std::int32_t, 6> loc{};

    bool at(int col, int row) const { return ink[static_cast<std::size_t>(row) * cols + col]; }
};

// Crops the raster to its ink and places the anchor by `rule`. Throws std::runtime_error when
// the raster holds no ink.
TemplateImage finish_template(std::string name, Raster raster, Anchor rule);

} // namespace vyrgen
