// Writes the pen pictures of the Edit Face dialog as 16 x 16 four-bit BMP files: for each of the
// six pens a plain picture and one inside a one-pixel black border, black shapes on white, each
// shape centred on column 7 and row 7 counted from the top left.
//
//   make_pen_bitmaps <folder>   writes <folder>/256.bmp ... <folder>/267.bmp

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 16;
constexpr int kCentre = 7;
constexpr int kFirstPicture = 256;

struct PenShape {
    int firstRow;
    std::vector<int> widths; // black pixels of each row from `firstRow` down
};

const std::array<PenShape, 6> kPens = {{
    {7, {1}},
    {5, {1, 3, 5, 3, 1}},
    {4, {1, 5, 5, 7, 5, 5, 1}},
    {3, {3, 7, 7, 9, 9, 9, 7, 7, 3}},
    {2, {5, 9, 9, 11, 11, 11, 11, 11, 9, 9, 5}},
    {0, {3, 7, 11, 11, 13, 13, 15, 15, 15, 13, 13, 11, 11, 7, 3}},
}};

// Palette indexes of the standard sixteen colours.
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kWhite = 15;
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

using Picture = std::array<std::array<std::uint8_t, kSize>, kSize>; // [row from top][column]

Picture draw(const PenShape& pen, bool bordered) {
    Picture p;
    for (auto& row : p) {
        row.fill(kWhite);
    }
    for (std::size_t i = 0; i < pen.widths.size(); ++i) {
        const int half = (pen.widths[i] - 1) / 2;
        for (int x = kCentre - half; x <= kCentre + half; ++x) {
            p[pen.firstRow + int(i)][x] = kBlack;
        }
    }
    if (bordered) {
        for (int i = 0; i < kSize; ++i) {
            p[0][i] = p[kSize - 1][i] = p[i][0] = p[i][kSize - 1] = kBlack;
        }
    }
    return p;
}

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::vector<std::uint8_t> bmp(const Picture& p) {
    constexpr std::uint32_t rowBytes = kSize / 2; // two pixels a byte, already whole words
    constexpr std::uint32_t dataOffset = 14 + 40 + 16 * 4;
    constexpr std::uint32_t imageSize = rowBytes * kSize;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + imageSize);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, kSize);
    put32(out, kSize); // bottom-up rows
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 16);
    put32(out, 0);
    for (std::uint32_t rgb : kPalette) {
        out.push_back(std::uint8_t(rgb));       // blue
        out.push_back(std::uint8_t(rgb >> 8));  // green
        out.push_back(std::uint8_t(rgb >> 16)); // red
        out.push_back(0);
    }
    for (int row = kSize - 1; row >= 0; --row) {
        for (int x = 0; x < kSize; x += 2) {
            out.push_back(std::uint8_t(p[row][x] << 4 | p[row][x + 1]));
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (std::size_t k = 0; k < kPens.size(); ++k) {
        for (int bordered = 0; bordered < 2; ++bordered) {
            const int id = kFirstPicture + 2 * int(k) + bordered;
            const std::string path = std::string(argv[1]) + "/" + std::to_string(id) + ".bmp";
            const std::vector<std::uint8_t> bytes = bmp(draw(kPens[k], bordered != 0));
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
                std::fclose(f) != 0) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
