#pragma once
// A bilevel drawing surface in the artwork's own coordinates. The centre of pixel (col, row) lies
// at (col - origin_col, row - origin_row), so artwork drawn symmetric about x = 0 is symmetric
// about the origin column. A pixel is ink when its centre lies inside a filled shape or within
// half the stroke width of a stroked line: strokes keep their width exactly, with no grey.

#include "geometry.h"

#include <vector>

namespace vyrgen {

class Raster {
public:
    Raster(int cols, int rows, int origin_col, int origin_row);

    int cols() const { return m_cols; }
    int rows() const { return m_rows; }
    int origin_col() const { return m_origin_col; }
    int origin_row() const { return m_origin_row; }

    bool ink(int col, int row) const;
    void set(int col, int row, bool ink);

    void stroke(const Polyline& line, double width);
    // Even-odd fill of a closed outline (the last point joins the first).
    void fill(const Polyline& outline);
    void fill_disc(Pt centre, double radius);
    void erase_disc(Pt centre, double radius);
    // Ink of `layer` where `clip` has ink (both the same size as this raster).
    void merge_clipped(const Raster& layer, const Raster& clip);
    // Removes 8-connected ink specks smaller than `min_pixels`.
    void remove_specks(int min_pixels);

private:
    template <typename Paint> void for_polygon(const Polyline& outline, Paint&& paint);

    int m_cols;
    int m_rows;
    int m_origin_col;
    int m_origin_row;
    std::vector<unsigned char> m_ink;
};

} // namespace vyrgen
