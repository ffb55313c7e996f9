// zel_library_picture <rendered.png> <picture.jpg> <library.zif> [--key-corners]
//
// Writes the rendered artwork as a JPEG picture and enciphers it whole under the library key
// into the file the composer reads. A figure rendered on a transparent page is laid on white,
// the key colour. With --key-corners the picture must also show one plain key colour at the two
// corners the composer probes, as every body picture must.

#include <zel/imaging.h>

#include <Magick++.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

constexpr char library_key[] = "tq8HM";
constexpr int library_key_length = 5;
constexpr int jpeg_quality = 94;

// The composer reads row 1, column 1 and row rows-2, column cols-2 with row 0 at the bottom;
// in Magick's top-down order those are line rows-2, column 1 and line 1, column cols-2.
bool key_corners_agree(const std::string& jpeg) {
    Magick::Image picture(jpeg);
    const int cols = static_cast<int>(picture.columns());
    const int rows = static_cast<int>(picture.rows());
    if (cols < 5 || rows < 5)
        return false;
    const Magick::ColorRGB lowerLeft = picture.pixelColor(1, rows - 2);
    const Magick::ColorRGB upperRight = picture.pixelColor(cols - 2, 1);
    return lowerLeft == upperRight;
}

// A figure is rendered on a transparent page. Its partly covered edge pixels, blended with the
// white page, would turn into light tones too far from the key colour to be left out, and would
// ring the figure on every background: each pixel is taken whole or left to the page.
void take_edge_pixels_whole(Magick::Image& picture) {
    if (!picture.matte())
        return;
    Magick::Image coverage(picture);
    coverage.alphaChannel(Magick::ExtractAlphaChannel);
    using MagickCore::Quantum;
    coverage.threshold(QuantumRange / 2.0);
    picture.alphaChannel(Magick::DeactivateAlphaChannel);
    picture.composite(coverage, 0, 0, Magick::CopyOpacityCompositeOp);
}

} // namespace

int main(int argc, char** argv) {
    const bool checkCorners = argc == 5 && std::strcmp(argv[4], "--key-corners") == 0;
    if (argc != 4 && !checkCorners) {
        std::fprintf(stderr, "usage: %s rendered.png picture.jpg library.zif [--key-corners]\n",
                     argv[0]);
        return 2;
    }
    Magick::InitializeMagick(argv[0]);
    try {
        Magick::Image picture(argv[1]);
        take_edge_pixels_whole(picture);
        // What is left transparent becomes the white page, the key colour.
        picture.backgroundColor(Magick::Color("white"));
        picture.alphaChannel(Magick::RemoveAlphaChannel);
        picture.magick("JPEG");
        picture.quality(jpeg_quality);
        // Full-resolution colour keeps the figures' outlines free of a coloured fringe.
        picture.defineValue("jpeg", "sampling-factor", "1x1");
        picture.write(argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
    if (checkCorners && !key_corners_agree(argv[2])) {
        std::fprintf(stderr, "%s: the corners do not show one plain key colour\n", argv[1]);
        return 1;
    }
    if (zic_encypt(argv[2], argv[3], library_key, library_key_length) != 0) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[2], argv[3]);
        return 1;
    }
    return 0;
}
