#include "contact_sheet.h"

#include <Magick++.h>

#include <algorithm>

namespace zelgen {
namespace {

constexpr int kGap = 6;
constexpr int kPortraitGap = 18;

Magick::Image picture(int cols, int rows, const std::vector<_pixel>& pixels) {
    std::vector<unsigned char> rgb;
    rgb.reserve(pixels.size() * 3);
    for (const _pixel& p : pixels) {
        rgb.push_back(p.r);
        rgb.push_back(p.g);
        rgb.push_back(p.b);
    }
    return Magick::Image(static_cast<std::size_t>(cols), static_cast<std::size_t>(rows), "RGB",
                         Magick::CharPixel, rgb.data());
}

Magick::Image drawing_picture(int cols, int rows, const std::vector<unsigned char>& drawing) {
    std::vector<unsigned char> grey;
    grey.reserve(drawing.size());
    for (const unsigned char b : drawing)
        grey.push_back(b != 0 ? 255 : 0);
    return Magick::Image(static_cast<std::size_t>(cols), static_cast<std::size_t>(rows), "I",
                         Magick::CharPixel, grey.data());
}

} // namespace

void write_contact_sheet(const std::string& path, const std::vector<SheetEntry>& entries,
                         int perRow, int cell) {
    if (entries.empty())
        return;
    const int columns = std::min<int>(perRow, static_cast<int>(entries.size()));
    const int lines = (static_cast<int>(entries.size()) + columns - 1) / columns;
    // Cells as tall as cell, as wide as the first photo's shape asks.
    const int cellWidth = std::max(1, cell * entries.front().cols / entries.front().rows);
    const int portraitWidth = 3 * cellWidth + 2 * kGap;
    const int width = columns * portraitWidth + (columns + 1) * kPortraitGap;
    const int height = lines * cell + (lines + 1) * kPortraitGap;
    Magick::Image sheet(
        Magick::Geometry(static_cast<std::size_t>(width), static_cast<std::size_t>(height)),
        Magick::Color("white"));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SheetEntry& e = entries[i];
        const int x0 =
            kPortraitGap + static_cast<int>(i % columns) * (portraitWidth + kPortraitGap);
        const int y0 = kPortraitGap + static_cast<int>(i / columns) * (cell + kPortraitGap);
        Magick::Image parts[3] = {picture(e.cols, e.rows, e.photo),
                                  drawing_picture(e.cols, e.rows, e.drawing),
                                  picture(e.cols, e.rows, e.caricature)};
        for (int k = 0; k < 3; ++k) {
            parts[k].filterType(Magick::LanczosFilter);
            parts[k].resize(Magick::Geometry(static_cast<std::size_t>(cellWidth),
                                             static_cast<std::size_t>(cell)));
            sheet.composite(parts[k], x0 + k * (cellWidth + kGap), y0, Magick::OverCompositeOp);
        }
    }
    // A palette keeps the file small.
    sheet.quantizeColors(256);
    sheet.quantizeDither(false);
    sheet.quantize();
    sheet.depth(8);
    sheet.magick("PNG8");
    sheet.write(path);
}

} // namespace zelgen
