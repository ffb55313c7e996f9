#include "line_reader.h"

#include <charconv>
#include <cmath>

namespace vyresrc {

LineReader::LineReader(const std::string& path) : m_in(path, std::ios::binary) {}

// The writer ends every line, so a last line without its end was cut short and may end inside
// a number that still reads as one. A read that fails (or runs out of memory) on the way must
// not pass for the end of the file either.
bool LineReader::next_raw_line(std::string& line) {
    if (!std::getline(m_in, line)) {
        if (m_in.bad())
            throw ParseError{"line " + std::to_string(m_line_number + 1) + ": cannot be read"};
        return false;
    }
    ++m_line_number;
    if (m_in.eof())
        throw ParseError{"line " + std::to_string(m_line_number) +
                         ": has no line end; the file was cut short"};
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
