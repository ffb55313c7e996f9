#include "bmp_reduce.h"

#include "magick_setup.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unistd.h>
#include <vector>

namespace zel::imaging {
namespace {

using u64 = std::uint64_t;

u64 le(std::string_view b, std::size_t at, int count) {
    u64 value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<u64>(static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]))
                 << (8 * i);
    return value;
}

// The plain layout that this reader takes on; anything else is left to Magick.
struct PlainBmp {
    u64 cols = 0;
    u64 rows = 0;
    bool bottomUp = true;
    u64 offset = 0;
    u64 stride = 0;
};

bool plain_bmp(std::string_view head, u64 fileSize, PlainBmp& bmp) {
    if (head.size() < 54 || head.substr(0, 2) != "BM")
        return false;
    const u64 info = le(head, 14, 4);
    const bool known = info == 40 || info == 52 || info == 56 || info == 108 || info == 124;
    if (!known || le(head, 26, 2) != 1 || le(head, 28, 2) != 24 || le(head, 30, 4) != 0)
        return false;
    const auto width = static_cast<std::int32_t>(le(head, 18, 4));
    const auto height = static_cast<std::int32_t>(le(head, 22, 4));
    if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
        return false;
    bmp.cols = static_cast<u64>(width);
    bmp.bottomUp = height > 0;
    bmp.rows = static_cast<u64>(height > 0 ? height : -static_cast<std::int64_t>(height));
    // Within the limits every decoder of the library keeps to, and as Magick takes them: a
    // file no shorter than its header says.
    if (bmp.cols > max_picture_side || bmp.rows > max_picture_side ||
        bmp.cols * bmp.rows > max_picture_area || le(head, 2, 4) > fileSize)
        return false;
    bmp.offset = le(head, 10, 4);
    bmp.stride = (bmp.cols * 3 + 3) / 4 * 4;
    return bmp.offset >= 14 + info && bmp.offset <= fileSize &&
           bmp.stride * bmp.rows <= fileSize - bmp.offset;
}

// Sums of the pixels of one row of boxes, divided out when the row is complete.
class BoxRow {
public:
    BoxRow(u64 cols, u64 factor) : m_cols(cols), m_factor(factor), m_sums(3 * outCols()) {}

    u64 outCols() const { return (m_cols + m_factor - 1) / m_factor; }

    void add(const unsigned char* bgr) {
        std::uint32_t* sum = m_sums.data();
        for (u64 c = 0; c < m_cols; c += m_factor, sum += 3) {
            const u64 end = std::min(c + m_factor, m_cols);
            std::uint32_t b = 0;
            std::uint32_t g = 0;
            std::uint32_t r = 0;
            for (const unsigned char* p = bgr + 3 * c; p < bgr + 3 * end; p += 3) {
                b += p[0];
                g += p[1];
                r += p[2];
            }
            sum[0] += r;
            sum[1] += g;
            sum[2] += b;
        }
        ++m_lines;
    }

    // Writes the averages as r, g, b bytes to out and starts the next row of boxes.
    void flush(unsigned char* out) {
        const std::uint32_t* sum = m_sums.data();
        for (u64 c = 0; c < m_cols; c += m_factor, sum += 3, out += 3) {
            const auto count =
                static_cast<std::uint32_t>((std::min(c + m_factor, m_cols) - c) * m_lines);
            for (int k = 0; k < 3; ++k)
                out[k] = static_cast<unsigned char>((sum[k] + count / 2) / count);
        }
        std::fill(m_sums.begin(), m_sums.end(), 0u);
        m_lines = 0;
    }

private:
    u64 m_cols;
    u64 m_factor;
    std::vector<std::uint32_t> m_sums;
    u64 m_lines = 0;
};

} // namespace

Reduction read_bmp_reduced(int fd, std::string_view head, std::uint64_t fileSize, PictureSize cover,
                           Magick::Image& image, PictureSize& stored) {
    PlainBmp bmp;
    if (cover.cols < 1 || cover.rows < 1 || !plain_bmp(head, fileSize, bmp))
        return Reduction::not_taken;
    const u64 factor =
        std::min(bmp.cols / static_cast<u64>(cover.cols), bmp.rows / static_cast<u64>(cover.rows));
    if (factor < 2)
        return Reduction::not_taken;
    BoxRow boxes(bmp.cols, factor);
    const u64 outCols = boxes.outCols();
    const u64 outRows = (bmp.rows + factor - 1) / factor;
    std::vector<unsigned char> out(3 * outCols * outRows);
    // Rows are read in file order a few at a time; line j of the picture (0 at the top) falls
    // into box row j / factor, and the rows of one box row follow each other in the file.
    const u64 perRead = std::min(bmp.rows, std::max<u64>(1, (1u << 20) / bmp.stride));
    std::vector<unsigned char> chunk(perRead * bmp.stride);
    u64 boxRow = 0;
    for (u64 first = 0; first < bmp.rows; first += perRead) {
        const u64 count = std::min(perRead, bmp.rows - first);
        const auto bytes = static_cast<std::size_t>(count * bmp.stride);
        const auto at = static_cast<off_t>(bmp.offset + first * bmp.stride);
        if (::pread(fd, chunk.data(), bytes, at) != static_cast<ssize_t>(bytes))
            return Reduction::failed;
        for (u64 i = 0; i < count; ++i) {
            const u64 fileRow = first + i;
            const u64 line = bmp.bottomUp ? bmp.rows - 1 - fileRow : fileRow;
            if (i + first > 0 && line / factor != boxRow)
                boxes.flush(&out[3 * outCols * boxRow]);
            boxRow = line / factor;
            boxes.add(&chunk[i * bmp.stride]);
        }
    }
    boxes.flush(&out[3 * outCols * boxRow]);
    image = Magick::Image(outCols, outRows, "RGB", Magick::CharPixel, out.data());
    stored = {static_cast<int>(bmp.cols), static_cast<int>(bmp.rows)};
    return Reduction::done;
}

} // namespace zel::imaging
