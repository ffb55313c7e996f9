#include "data_files.h"

namespace vyresrc {
namespace {

constexpr int kMaxExtent = 2048;

LocRecord parse_loc(const LineReader& in, const std::vector<std::string_view>& words,
                    std::size_t first) {
    LocRecord loc{};
    for (std::size_t i = 0; i < loc.size(); ++i) {
        if (!parse_int(words[first + i], loc[i]))
            fail(in, "location word is not an integer");
        if (!is_coordinate(loc[i]))
            fail(in, "location word out of range");
    }
    if (loc[2] > loc[3] || loc[4] > loc[5])
        fail(in, "location box is upside down");
    return loc;
}

Drawing read_drawing(LineReader& in, int cols, int rows) {
    Drawing drawing;
    drawing.cols = cols;
    drawing.rows = rows;
    drawing.pixels.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    std::string line;
    for (int r = 0; r < rows; ++r) {
        if (!in.next_raw_line(line))
            fail(in, "drawing ends early");
        if (line.size() != static_cast<std::size_t>(cols))
            fail(in, "drawing row has the wrong width");
        for (const char c : line) {
            if (c != '#' && c != '.')
                fail(in, "drawing row holds a character other than '#' and '.'");
            drawing.pixels.push_back(c == '#' ? 0 : 1);
        }
    }
    return drawing;
}

} // namespace

void read_parts_file(LineReader& in, TemplateSet& set) {
    expect_file_header(in, "parts");
    std::string line;
    while (in.next_line(line)) {
        const auto words = split_words(line);
        if (words[0] == "loc") {
            if (words.size() != 8)
                fail(in, "a loc entry needs a name and six words");
            std::string name = checked_name(in, words[1]);
            if (set.locations.count(name))
                fail(in, "name given twice: " + name);
            set.locations.emplace(std::move(name), parse_loc(in, words, 2));
        } else if (words[0] == "part") {
            if (words.size() != 10)
                fail(in, "a part entry needs a name, its size and six location words");
            std::string name = checked_name(in, words[1]);
            if (set.locations.count(name))
                fail(in, "name given twice: " + name);
            std::int32_t cols = 0;
            std::int32_t rows = 0;
            if (!parse_int(words[2], cols) || !parse_int(words[3], rows) || cols < 1 || rows < 1 ||
                cols > kMaxExtent || rows > kMaxExtent)
                fail(in, "drawing size out of range");
            const LocRecord loc = parse_loc(in, words, 4);
            if (loc[2] < 0 || loc[3] >= cols || loc[4] < 0 || loc[5] >= rows)
                fail(in, "location box reaches outside the drawing");
            set.drawings.emplace(name, read_drawing(in, cols, rows));
            set.locations.emplace(std::move(name), loc);
        } else {
            fail(in, "unknown entry '" + std::string(words[0]) + "'");
        }
    }
}

} // namespace vyresrc
