#include "data_files.h"

namespace vyresrc {

void fail(const LineReader& in, const std::string& what) {
    throw ParseError{"line " + std::to_string(in.line_number()) + ": " + what};
}

void expect_file_header(LineReader& in, std::string_view kind) {
    std::string line;
    if (!in.next_line(line))
        fail(in, "file is empty");
    const auto words = split_words(line);
    const std::string magic = "vyresrc-" + std::string(kind);
    if (words.size() != 2 || words[0] != magic)
        fail(in, "not a " + std::string(kind) + " file (first line should be '" + magic + " 1')");
    if (words[1] != "1")
        fail(in, "unknown format version " + std::string(words[1]));
}

std::string checked_name(const LineReader& in, std::string_view word) {
    if (word.empty() || word.size() > kMaxNameLength)
        fail(in, "name must be 1 to 19 characters");
    for (const char c : word) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok)
            fail(in, "name may hold only capitals, digits and '_'");
    }
    return std::string(word);
}

} // namespace vyresrc
