// Fills, edge-run replacement and the colour-to-HSV conversion of caricature generation.

#include "pixel_compare.h"
#include "zel/imaging.h"

#include <algorithm>

using zel::imaging::copy_rgb;
using zel::imaging::pixel_equal;

int set_imgcolor(_pixel** arr, int cols, int rows, _pixel c) {
    if (arr == nullptr || cols < 0 || rows < 0)
        return 0;
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k)
            copy_rgb(arr[r][k], c);
    return 1;
}

int set_imgBGcolor(_pixel** arr, int cols, int rows, _pixel from, _pixel to) {
    if (arr == nullptr || cols < 0 || rows < 0)
        return 0;
    for (int r = 0; r < rows; ++r) {
        _pixel* row = arr[r];
        int k = 0;
        for (; k < cols && pixel_equal(row[k], from); ++k)
            copy_rgb(row[k], to);
        // A row that is background all the way across needs no scan back.
        if (k >= cols - 1)
            continue;
        for (int j = cols - 1; j >= 0 && pixel_equal(row[j], from); --j)
            copy_rgb(row[j], to);
    }
    return 1;
}

void pixel2hsv(_pixel p, int& h, int& s, int& v) {
    const double r = p.r / 255.0;
    const double g = p.g / 255.0;
    const double b = p.b / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    const double sat = max != 0.0 ? (max - min) / max : 0.0;
    double hue = -1.0;
    if (sat != 0.0) {
        const double delta = max - min;
        const double dr = (max - r) / delta;
        const double dg = (max - g) / delta;
        const double db = (max - b) / delta;
        if (r == max)
            hue = db - dg;
        else if (g == max)
            hue = 2.0 + dr - db;
        else
            hue = 4.0 + dg - dr;
        hue *= 60.0;
        if (hue < 0.0)
            hue += 360.0;
    }
    h = static_cast<int>(hue * 255.0 / 360.0);
    s = static_cast<int>(sat * 255.0);
    v = std::min(static_cast<int>(0.299 * p.r + 0.587 * p.g + 0.114 * p.b), 255);
}

void face_rgb2hvs(_pixel** src, int cols, int rows, _pixel** dst) {
    if (src == nullptr || dst == nullptr)
        return;
    for (int r = 0; r < rows; ++r) {
        const _pixel* in = src[r];
        _pixel* out = dst[r];
        for (int k = 0; k < cols; ++k) {
            int h = 0, s = 0, v = 0;
            pixel2hsv(in[k], h, s, v);
            out[k].r = static_cast<unsigned char>(h);
            out[k].g = static_cast<unsigned char>(s);
            out[k].b = static_cast<unsigned char>(v);
        }
    }
}
