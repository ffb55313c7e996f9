#pragma once
// Face-file texts taken apart into lines and put together again, for tests that damage one
// line of a good text.

#include <ostream>
#include <string>
#include <vector>

namespace zel::engine::testing {

inline std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

inline std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// One line of a good text replaced; `what` names the case in the test's name.
struct LineDamage {
    int line;
    std::string text;
    int expected;
    const char* what;
};

inline void PrintTo(const LineDamage& damage, std::ostream* out) {
    *out << damage.what;
}

} // namespace zel::engine::testing
