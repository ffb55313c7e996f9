#include "data_files.h"

#include <algorithm>

namespace vyresrc {
namespace {

template <std::size_t N>
std::array<double, N> parse_values(const LineReader& in, const std::vector<std::string_view>& words,
                                   std::size_t first) {
    if (words.size() != first + N)
        fail(in, "expected " + std::to_string(N) + " values");
    std::array<double, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        if (!parse_double(words[first + i], values[i]))
            fail(in, "value is not a finite number");
    }
    return values;
}

} // namespace

void read_tables_file(LineReader& in, TemplateSet& set) {
    expect_file_header(in, "tables");
    std::array<FuzzySet, 12> fuzzy{};
    std::array<bool, 12> fuzzy_seen{};
    std::string line;
    while (in.next_line(line)) {
        const auto words = split_words(line);
        if (words[0] == "range") {
            if (words.size() < 2)
                fail(in, "a range entry needs a name");
            std::string name = checked_name(in, words[1]);
            if (set.ranges.count(name))
                fail(in, "name given twice: " + name);
            set.ranges.emplace(std::move(name), parse_values<21>(in, words, 2));
        } else if (words[0] == "thick") {
            if (set.thickness)
                fail(in, "thickness table given twice");
            set.thickness = parse_values<30>(in, words, 1);
        } else if (words[0] == "fuzzy") {
            std::int32_t k = -1;
            if (words.size() < 2 || !parse_int(words[1], k) || k < 0 || k >= 12)
                fail(in, "a fuzzy entry needs its number 0 to 11");
            if (fuzzy_seen[k])
                fail(in, "fuzzy set " + std::to_string(k) + " given twice");
            const auto values = parse_values<10>(in, words, 2);
            std::copy(values.begin(), values.begin() + 7, fuzzy[k].p.begin());
            std::copy(values.begin() + 7, values.end(), fuzzy[k].value.begin());
            fuzzy_seen[k] = true;
        } else {
            fail(in, "unknown entry '" + std::string(words[0]) + "'");
        }
    }
    const auto seen = std::count(fuzzy_seen.begin(), fuzzy_seen.end(), true);
    if (seen != 0 && seen != 12)
        fail(in, "fuzzy sets incomplete: all twelve are needed");
    if (seen == 12)
        set.fuzzy = fuzzy;
}

} // namespace vyresrc
