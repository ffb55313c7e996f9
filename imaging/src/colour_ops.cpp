// Fills, edge-run replacement and the colour-to-HSV conversion of caricature generation.

#include "pixel_compare.h"
#include "zel/imaging.h"

#include <algorithm>
#include <array>

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

namespace {

// The conversion runs on every pixel of a photograph, so the parts that depend on one or two
// bytes only are tabled. Each entry is computed by the very expression it replaces, so the
// results are bit for bit those of the floating-point formula.
struct HsvTables {
    std::array<double, 256> unit{};   // byte / 255
    std::array<double, 256> luma_r{}; // 0.299 * byte
    std::array<double, 256> luma_g{};
    std::array<double, 256> luma_b{};
    std::array<unsigned char, 256 * 256> saturation{}; // [max byte][min byte] * 255

    HsvTables() {
        for (int i = 0; i < 256; ++i) {
            unit[i] = i / 255.0;
            luma_r[i] = 0.299 * i;
            luma_g[i] = 0.587 * i;
            luma_b[i] = 0.114 * i;
        }
        for (int max = 1; max < 256; ++max)
            for (int min = 0; min <= max; ++min)
                saturation[max * 256 + min] =
                    static_cast<unsigned char>((unit[max] - unit[min]) / unit[max] * 255.0);
    }
};

const HsvTables& hsv_tables() {
    static const HsvTables tables;
    return tables;
}

inline void to_hsv(const HsvTables& t, _pixel p, int& h, int& s, int& v) {
    const int maxByte = std::max({p.r, p.g, p.b});
    const int minByte = std::min({p.r, p.g, p.b});
    v = std::min(static_cast<int>(t.luma_r[p.r] + t.luma_g[p.g] + t.luma_b[p.b]), 255);
    // Saturation is 0 exactly when max equals min; the hue of grey is -1 before scaling,
    // which truncates to 0.
    if (maxByte == minByte) {
        h = 0;
        s = 0;
        return;
    }
    s = t.saturation[maxByte * 256 + minByte];
    const double max = t.unit[maxByte];
    const double delta = max - t.unit[minByte];
    double hue = 0.0;
    if (p.r == maxByte)
        hue = (max - t.unit[p.b]) / delta - (max - t.unit[p.g]) / delta;
    else if (p.g == maxByte)
        hue = 2.0 + (max - t.unit[p.r]) / delta - (max - t.unit[p.b]) / delta;
    else
        hue = 4.0 + (max - t.unit[p.g]) / delta - (max - t.unit[p.r]) / delta;
    hue *= 60.0;
    if (hue < 0.0)
        hue += 360.0;
    h = static_cast<int>(hue * 255.0 / 360.0);
}

} // namespace

void pixel2hsv(_pixel p, int& h, int& s, int& v) {
    to_hsv(hsv_tables(), p, h, s, v);
}

void face_rgb2hvs(_pixel** src, int cols, int rows, _pixel** dst) {
    if (src == nullptr || dst == nullptr)
        return;
    const HsvTables& tables = hsv_tables();
    for (int r = 0; r < rows; ++r) {
        const _pixel* in = src[r];
        _pixel* out = dst[r];
        for (int k = 0; k < cols; ++k) {
            int h = 0, s = 0, v = 0;
            to_hsv(tables, in[k], h, s, v);
            out[k].r = static_cast<unsigned char>(h);
            out[k].g = static_cast<unsigned char>(s);
            out[k].b = static_cast<unsigned char>(v);
        }
    }
}
