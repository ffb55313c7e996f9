#pragma once
// Reads a data file line by line and splits lines into words; parse failures carry the line
// number so that the one message about a damaged file says where.

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace vyresrc {

class LineReader {
public:
    explicit LineReader(const std::string& path);

    bool is_open() const { return m_in.is_open(); }
    // The next line that is neither empty nor a comment ('#' in the first column is ink in a
    // drawing, so comments start with ';'). False at the end of the file; throws as
    // next_raw_line does.
    bool next_line(std::string& line);
    // The next line as it stands (drawing rows). Throws ParseError when the line has no end or
    // the file cannot be read.
    bool next_raw_line(std::string& line);
    int line_number() const { return m_line_number; }

private:
    std::ifstream m_in;
    int m_line_number = 0;
};

std::vector<std::string_view> split_words(std::string_view line);
bool parse_int(std::string_view word, std::int32_t& value);
bool parse_double(std::string_view word, double& value);

// A parse failure: the message names the line.
struct ParseError {
    std::string message;
};

} // namespace vyresrc
