#include "photo_maker.h"

#include <Magick++.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace zel::bench {
namespace {

// A repeatable noise value in -1..1 for a pixel.
double noise(std::uint32_t x, std::uint32_t y, std::uint32_t channel) {
    std::uint32_t h = x * 0x9e3779b1u ^ y * 0x85ebca77u ^ channel * 0xc2b2ae3du;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    return static_cast<double>(h & 0xffff) / 32767.5 - 1.0;
}

unsigned char clamp(double v) {
    return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
}

} // namespace

bool write_photo(const std::string& path, int cols, int rows, const std::string& magick) {
    std::vector<unsigned char> rgb(3 * static_cast<std::size_t>(cols) * rows);
    const double scale = 1.0 / std::max(cols, rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const double u = x * scale;
            const double v = y * scale;
            // Light falling across the scene, a few objects with sharp edges, a fine texture.
            const double light = 150 + 60 * std::sin(2.1 * u + 1.3 * v) * std::cos(1.7 * v);
            const double dx = u - 0.45;
            const double dy = v - 0.35;
            const bool object = dx * dx + dy * dy < 0.04 || (u > 0.7 && u < 0.85 && v > 0.1);
            const double texture = 18 * std::sin(x * 0.9) * std::sin(y * 0.7 + u * 40);
            double r = light + (object ? -70 : 20) + texture;
            double g = light * 0.9 + (object ? 10 : -5) + 0.6 * texture;
            double b = light * 0.7 + (object ? 40 : -30) + 0.3 * texture;
            const std::size_t i = 3 * (static_cast<std::size_t>(y) * cols + x);
            rgb[i] = clamp(r + 6 * noise(x, y, 0));
            rgb[i + 1] = clamp(g + 6 * noise(x, y, 1));
            rgb[i + 2] = clamp(b + 6 * noise(x, y, 2));
        }
    }
    try {
        Magick::Image photo(static_cast<std::size_t>(cols), static_cast<std::size_t>(rows), "RGB",
                            Magick::CharPixel, rgb.data());
        photo.magick(magick);
        photo.type(Magick::TrueColorType);
        if (magick == "JPEG") {
            photo.quality(92);
            photo.defineValue("jpeg", "sampling-factor", "2x2");
        }
        photo.write(path);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace zel::bench
