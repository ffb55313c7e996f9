// picture_fuzz_seeds <folder> [<extra file>...]
//
// Writes the picture fuzzer's seed corpus: a small valid picture of every kind the readers
// meet (BMP true-colour, palette and run-length; JPEG baseline, progressive and grey; PSD raw
// and run-length; TGA raw, run-length and colour-mapped), each once for every reader under a
// name of its format. Extra files (the damaged pictures kept as regression inputs) are added
// for every reader as well.

#include "picture_case.h"

#include <Magick++.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace zel::imaging::fuzz;

struct Kind {
    const char* name;
    const char* magick;
    int extension; // index of picture_case's extension choices
    Magick::CompressionType compression;
    Magick::ImageType type;
    bool progressive;
};

// A small picture with a few shapes, so that the encoders have something to compress.
Magick::Image sample_picture() {
    Magick::Image picture(Magick::Geometry(24, 16), Magick::Color("#3060a0"));
    picture.fillColor(Magick::Color("#e0c040"));
    picture.draw(Magick::DrawableCircle(8, 8, 12, 8));
    picture.fillColor(Magick::Color("#ffffff"));
    picture.draw(Magick::DrawableRectangle(15, 2, 21, 13));
    return picture;
}

std::string encoded(const Kind& kind) {
    Magick::Image picture = sample_picture();
    picture.type(kind.type);
    picture.compressType(kind.compression);
    if (kind.progressive)
        picture.interlaceType(Magick::PlaneInterlace);
    picture.magick(kind.magick);
    picture.quality(85);
    Magick::Blob blob;
    picture.write(&blob);
    return std::string(static_cast<const char*>(blob.data()), blob.length());
}

void write_seed(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

constexpr int reader_count = 6;

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s folder [extra file...]\n", argv[0]);
        return 2;
    }
    Magick::InitializeMagick(argv[0]);
    const std::string folder = argv[1];
    const std::vector<Kind> kinds = {
        {"bmp-truecolor", "BMP3", 0, Magick::NoCompression, Magick::TrueColorType, false},
        {"bmp-palette", "BMP3", 5, Magick::NoCompression, Magick::PaletteType, false},
        {"bmp-rle", "BMP3", 0, Magick::RLECompression, Magick::PaletteType, false},
        {"jpeg-baseline", "JPEG", 1, Magick::JPEGCompression, Magick::TrueColorType, false},
        {"jpeg-progressive", "JPEG", 2, Magick::JPEGCompression, Magick::TrueColorType, true},
        {"jpeg-grey", "JPEG", 6, Magick::JPEGCompression, Magick::GrayscaleType, false},
        {"psd-raw", "PSD", 3, Magick::NoCompression, Magick::TrueColorType, false},
        {"psd-rle", "PSD", 3, Magick::RLECompression, Magick::TrueColorType, false},
        {"tga-raw", "TGA", 4, Magick::NoCompression, Magick::TrueColorType, false},
        {"tga-rle", "TGA", 7, Magick::RLECompression, Magick::TrueColorType, false},
        {"tga-palette", "TGA", 4, Magick::NoCompression, Magick::PaletteType, false},
    };
    try {
        for (const Kind& kind : kinds) {
            const std::string bytes = encoded(kind);
            for (int r = 0; r < reader_count; ++r)
                write_seed(folder, std::string(kind.name) + "-" + std::to_string(r),
                           choice_prefix(static_cast<Reader>(r), kind.extension) + bytes);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        const std::string name = argv[i];
        const std::string base = name.substr(name.find_last_of('/') + 1);
        const bool tga = base.size() > 4 && base.substr(base.size() - 4) == ".tga";
        for (int r = 0; r < reader_count; ++r)
            write_seed(folder, base + "-" + std::to_string(r),
                       choice_prefix(static_cast<Reader>(r), tga ? 4 : 8) + bytes);
    }
    return 0;
}
