#include "file/bw_block.h"

#include <charconv>
#include <cstring>

namespace zel::engine {
namespace {

constexpr int kRunsPerLine = 20;

void put_run(std::string& out, long long length, bool line_end) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, length);
    out.append(buffer, result.ptr);
    out += line_end ? ":\n" : ":";
}

} // namespace

int zel_write_bwblock(std::string& out, unsigned char* const* pixels, int cols, int rows) {
    if (pixels == nullptr || cols <= 0 || rows <= 0)
        return -21;
    text_put_int(out, cols);
    text_put_int(out, rows);
    out += std::to_string(static_cast<int>(pixels[0][0]));
    out += ":\n";
    zel_write_array(out, pixels, cols, rows);
    return 0;
}

void zel_write_array(std::string& out, unsigned char* const* pixels, int cols, int rows) {
    unsigned char current = pixels[0][0];
    long long length = 0;
    int written = 0;
    for (int r = 0; r < rows; ++r) {
        const unsigned char* row = pixels[r];
        for (int c = 0; c < cols; ++c) {
            if (row[c] == current) {
                ++length;
                continue;
            }
            ++written;
            const bool line_end = written == kRunsPerLine;
            if (line_end)
                written = 0;
            put_run(out, length, line_end);
            length = 1;
            current = row[c];
        }
    }
    put_run(out, length, true);
}

int zel_read_bwblock(TextReader& reader, BwBuffer& image, int size_refusal) {
    if (!reader.good())
        return -10;
    std::string_view line;
    text_read_line(reader, line);
    std::size_t pos = 0;
    int cols = 0;
    int rows = 0;
    int first = -1;
    if (text_field_int(line, pos, cols) != kFieldMore)
        return size_refusal;
    if (text_field_int(line, pos, rows) != kFieldMore)
        return size_refusal;
    if (text_field_int(line, pos, first) == kFieldBad)
        return -20;
    if (first != 0 && first != 1)
        return -20;
    if (cols < 1 || cols > kCanvasCols || rows < 1 || rows > kCanvasRows)
        return -21;
    image.reset(cols, rows);
    if (zel_read_bwarray(image, reader, first) != 0)
        return -21;
    return 0;
}

int zel_read_bwarray(BwBuffer& image, TextReader& reader, int first) {
    if (first != 0 && first != 1)
        return -20;
    const long long cols = image.cols();
    const long long total = cols * image.rows();
    if (total == 0)
        return -20;
    unsigned char* pixels = image.pixels();
    long long filled = 0;
    int value = first;
    std::string_view line;
    std::size_t pos = 0;
    while (filled < total) {
        if (pos >= line.size()) {
            if (text_read_line(reader, line) != 0 || line.empty())
                break;
            pos = 0;
        }
        int run = 0;
        if (text_field_int(line, pos, run) == kFieldBad || run <= 0 || run > total - filled)
            return -20;
        std::memset(pixels + filled, value, static_cast<std::size_t>(run));
        filled += run;
        value = 1 - value;
    }
    if (!reader.good() || pos < line.size() || !reader.only_blank_left())
        return -20;
    if (filled < total) {
        if (filled != total - cols)
            return -20;
        std::memset(pixels + filled, value, static_cast<std::size_t>(cols));
    }
    return 0;
}

} // namespace zel::engine
