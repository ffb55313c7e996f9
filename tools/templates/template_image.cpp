#include "template_image.h"

#include <stdexcept>

namespace vyrgen {

TemplateImage finish_template(std::string name, Raster raster, Anchor rule) {
    // Specks left by stroke ends are not artwork.
    raster.remove_specks(6);
    int c0 = raster.cols(), c1 = -1, r0 = raster.rows(), r1 = -1;
    for (int r = 0; r < raster.rows(); ++r) {
        for (int c = 0; c < raster.cols(); ++c) {
            if (raster.ink(c, r)) {
                c0 = std::min(c0, c);
                c1 = std::max(c1, c);
                r0 = std::min(r0, r);
                r1 = std::max(r1, r);
            }
        }
    }
    if (c1 < 0)
        throw std::runtime_error(name + ": no ink");
    if (c0 == 0 || r0 == 0 || c1 == raster.cols() - 1 || r1 == raster.rows() - 1)
        throw std::runtime_error(name + ": artwork touches the edge of its raster");

    TemplateImage image;
    image.name = std::move(name);
    image.cols = c1 - c0 + 1;
    image.rows = r1 - r0 + 1;
    image.ink.resize(static_cast<std::size_t>(image.cols) * image.rows);
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c)
            image.ink[static_cast<std::size_t>(r - r0) * image.cols + (c - c0)] = raster.ink(c, r);
    }

    int ax = raster.origin_col() - c0;
    int ay = raster.origin_row() - r0;
    const int last = image.cols - 1;
    if (rule == Anchor::InnerCorner || rule == Anchor::InnerBottom) {
        int top = -1, bottom = -1;
        for (int r = 0; r < image.rows; ++r) {
            if (image.at(last, r)) {
                top = top < 0 ? r : top;
                bottom = r;
            }
        }
        ax = last;
        ay = rule == Anchor::InnerCorner ? (top + bottom) / 2 : bottom;
    } else if (rule == Anchor::OriginBaseRow) {
        ay = image.rows - 1;
    }
    image.loc = {ax, ay, 0, image.cols - 1, 0, image.rows - 1};
    return image;
}

} // namespace vyrgen
