#include "line_reader.h"

#include <charconv>
#include <cmath>

namespace vyresrc {

LineReader::LineReader(const std::string& path) : m_in(path, std::ios::binary) {}

bool LineReader::next_raw_line(std::string& line) {
    if (!std::getline(m_in, line))
        return false;
    ++m_line_number;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool LineReader::next_line(std::string& line) {
    while (next_raw_line(line)) {
        if (line.empty() || line.front() == ';')
            continue;
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        return true;
    }
    return false;
}

std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", pos);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        words.push_back(line.substr(start, end - start));
        pos = end;
    }
    return words;
}

bool parse_int(std::string_view word, std::int32_t& value) {
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool parse_double(std::string_view word, double& value) {
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

} // namespace vyresrc
