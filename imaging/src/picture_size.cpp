#include "picture_size.h"

#include <Magick++.h>

#include <algorithm>
#include <string>

namespace zel::imaging {

PictureSize zoomed_size(PictureSize stored, int cols, int rows) {
    // Worked out by Magick's own geometry parser, as its zoom does.
    std::size_t width = static_cast<std::size_t>(stored.cols);
    std::size_t height = static_cast<std::size_t>(stored.rows);
    ssize_t x = 0;
    ssize_t y = 0;
    const std::string geometry = std::to_string(cols) + "x" + std::to_string(rows);
    MagickCore::ParseMetaGeometry(geometry.c_str(), &x, &y, &width, &height);
    return {static_cast<int>(width), static_cast<int>(height)};
}

PictureSize fitted_size(PictureSize stored, int maxCols, int maxRows) {
    int cols = stored.cols;
    int rows = stored.rows;
    if (cols <= maxCols && rows <= maxRows)
        return stored;
    const double aspect = static_cast<double>(cols) / rows;
    if (cols > maxCols) {
        cols = maxCols;
        rows = static_cast<int>(maxCols / aspect);
    }
    if (rows > maxRows) {
        rows = maxRows;
        cols = static_cast<int>(maxRows * aspect);
    }
    return zoomed_size(stored, std::max(cols, 1), std::max(rows, 1));
}

} // namespace zel::imaging
