#include "data_files.h"

namespace vyresrc {
namespace {

constexpr std::int32_t kMaxPoints = 1000;
// The correlation of a template with the picture sums products of weights and brightness
// differences in 32 bits.
constexpr std::int32_t kMaxWeight = 255;

PointTemplate read_points(LineReader& in, std::int32_t count) {
    PointTemplate points;
    std::string line;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!in.next_line(line))
            fail(in, "point list ends early");
        const auto words = split_words(line);
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t w = 0;
        if (words.size() != 3 || !parse_int(words[0], x) || !parse_int(words[1], y) ||
            !parse_int(words[2], w))
            fail(in, "a point needs three integers: x, y and weight");
        if (!is_coordinate(x) || !is_coordinate(y))
            fail(in, "point offset out of range");
        if (w < -kMaxWeight || w > kMaxWeight)
            fail(in, "point weight out of range");
        points.x.push_back(x);
        points.y.push_back(y);
        points.weight.push_back(w);
    }
    return points;
}

} // namespace

void read_points_file(LineReader& in, TemplateSet& set) {
    expect_file_header(in, "points");
    std::string line;
    while (in.next_line(line)) {
        const auto words = split_words(line);
        if (words[0] != "points")
            fail(in, "unknown entry '" + std::string(words[0]) + "'");
        if (words.size() != 4)
            fail(in, "a points entry needs a name, a reference size and a count");
        std::string name = checked_name(in, words[1]);
        if (set.points.count(name))
            fail(in, "name given twice: " + name);
        std::int32_t reference = 0;
        std::int32_t count = 0;
        if (!parse_int(words[2], reference) || reference < 1)
            fail(in, "reference size must be a positive integer");
        if (!parse_int(words[3], count) || count < 1 || count > kMaxPoints)
            fail(in, "point count must be 1 to 1000");
        PointTemplate points = read_points(in, count);
        points.reference_size = reference;
        set.points.emplace(std::move(name), std::move(points));
    }
}

} // namespace vyresrc
