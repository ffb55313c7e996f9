#include "file/text_fields.h"

#include <charconv>
#include <climits>
#include <cstring>

namespace zel::engine {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The characters from pos to the next ':' (or the end of the line); pos moves past the ':'
// (one past the end when there is none).
std::string_view take_field(std::string_view line, std::size_t& pos) {
    const std::size_t colon = line.find(':', pos);
    if (colon == std::string_view::npos) {
        std::string_view field = line.substr(pos);
        pos = line.size() + 1;
        return field;
    }
    std::string_view field = line.substr(pos, colon - pos);
    pos = colon + 1;
    return field;
}

int report(std::string_view line, std::size_t pos) {
    const std::size_t left = pos < line.size() ? line.size() - pos : 0;
    return left < 2 ? kFieldUsedUp : kFieldMore;
}

} // namespace

int TextReader::next_line(std::string_view& line) {
    line = {};
    if (m_pos >= m_text.size())
        return -12;
    std::size_t end = m_text.find('\n', m_pos);
    if (end == std::string_view::npos)
        end = m_text.size();
    std::string_view raw = m_text.substr(m_pos, end - m_pos);
    m_pos = end + 1;
    if (!raw.empty() && raw.back() == '\r')
        raw.remove_suffix(1);
    if (raw.size() > kMaxLineLength)
        m_good = false;
    if (m_good)
        line = raw;
    return 0;
}

bool TextReader::only_blank_left() const {
    for (std::size_t i = m_pos; i < m_text.size(); ++i) {
        if (!is_blank(m_text[i]))
            return false;
    }
    return true;
}

int text_read_line(TextReader& reader, std::string_view& line) {
    return reader.next_line(line);
}

int text_field_int(std::string_view line, std::size_t& pos, int& value) {
    if (pos >= line.size())
        return kFieldUsedUp;
    const std::string_view field = take_field(line, pos);
    std::size_t i = 0;
    while (i < field.size() && is_blank(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    long long magnitude = 0;
    for (; i < field.size() && is_digit(field[i]); ++i) {
        magnitude = magnitude * 10 + (field[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return kFieldBad;
    }
    const long long signed_value = negative ? -magnitude : magnitude;
    if (signed_value > INT_MAX)
        return kFieldBad;
    value = static_cast<int>(signed_value);
    return report(line, pos);
}

int text_field_str(std::string_view line, std::size_t& pos, char* value, std::size_t capacity) {
    if (capacity == 0)
        return kFieldBad;
    value[0] = '\0';
    if (pos >= line.size())
        return kFieldUsedUp;
    const std::string_view field = take_field(line, pos);
    if (field.size() >= capacity)
        return kFieldBad;
    std::memcpy(value, field.data(), field.size());
    value[field.size()] = '\0';
    return report(line, pos);
}

int text_field_double(std::string_view line, std::size_t& pos, double& value) {
    if (pos >= line.size()) {
        value = 0.0;
        return kFieldUsedUp;
    }
    const std::string_view field = take_field(line, pos);
    std::size_t i = 0;
    while (i < field.size() && is_blank(field[i]))
        ++i;
    // from_chars takes a minus sign but no plus sign; atof takes one sign of either kind.
    if (i + 1 < field.size() && field[i] == '+' && field[i + 1] != '-')
        ++i;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(field.data() + i, field.data() + field.size(), parsed,
                                              std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range)
        return kFieldBad;
    value = error == std::errc() ? parsed : 0.0;
    return report(line, pos);
}

void text_put_int(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
    out += ':';
}

void text_put_str(std::string& out, std::string_view value) {
    out += value;
    out += ':';
}

void text_put_double(std::string& out, double value) {
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    if (e == std::string_view::npos || e + 2 > text.size()) {
        out += text;
    } else {
        // Mantissa, 'e' and sign, then the exponent digits widened to three.
        out += text.substr(0, e + 2);
        const std::string_view digits = text.substr(e + 2);
        for (std::size_t width = digits.size(); width < 3; ++width)
            out += '0';
        out += digits;
    }
    out += ':';
}

} // namespace zel::engine
