#pragma once
// An HSV picture of the generation's kind for the stage tests: rows of pixels whose byte 1 is
// the saturation and byte 2 the luma, row 0 at the top, filled flat to start with.

#include <zel/imaging.h>

namespace zel::engine::testing {

class HsvPicture {
public:
    HsvPicture(int cols, int rows, unsigned char luma = 128, unsigned char saturation = 0)
        : cols_(cols), rows_(rows), pixels_(ppm_allocarray(cols, rows)) {
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
                pixels_[y][x] = {0, saturation, luma, 0};
    }
    ~HsvPicture() { ppm_freearray(pixels_, rows_); }
    HsvPicture(const HsvPicture&) = delete;
    HsvPicture& operator=(const HsvPicture&) = delete;

    _pixel** rows() const { return pixels_; }
    int cols() const { return cols_; }
    int height() const { return rows_; }
    void luma(int x, int y, int v) { pixels_[y][x].b = static_cast<unsigned char>(v); }
    void saturation(int x, int y, int v) { pixels_[y][x].g = static_cast<unsigned char>(v); }
    // Luma v over columns x0..x1 and rows y0..y1.
    void fill(int x0, int x1, int y0, int y1, int v) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                luma(x, y, v);
    }

private:
    int cols_;
    int rows_;
    _pixel** pixels_;
};

} // namespace zel::engine::testing
