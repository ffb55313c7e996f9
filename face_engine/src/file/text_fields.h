#pragma once
// The small field readers and the line reader every face-file section is parsed with. A face
// file is untrusted input, so the readers bound everything they store and report a number
// that does not fit its field instead of wrapping it.

#include <cstddef>
#include <string>
#include <string_view>

namespace zel::engine {

// Reports of the field readers.
inline constexpr int kFieldMore = 0;   // at least one further field may follow on the line
inline constexpr int kFieldUsedUp = 1; // fewer than two characters remain on the line
inline constexpr int kFieldBad = -1;   // the field does not fit its place; nothing was stored

// Longest line a face file may hold (the line end not counted).
inline constexpr std::size_t kMaxLineLength = 254;

// Reads a face-file text line by line. The text is held by the caller.
class TextReader {
public:
    explicit TextReader(std::string_view text) : m_text(text) {}

    // False once a line longer than kMaxLineLength was met; every later read gives an empty
    // line, so the field readers fail and the section readers refuse the file.
    bool good() const { return m_good; }
    bool at_end() const { return m_pos >= m_text.size(); }

    // The next line without its line end (a CR before the LF is dropped too). -12 when the
    // text had no further line (the line is then empty), 0 otherwise.
    int next_line(std::string_view& line);

    // True when nothing but blanks and line ends is left.
    bool only_blank_left() const;

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_good = true;
};

// Reads the next line into `line`: -12 at the end of the text, else 0 (an overlong line makes
// the reader bad and gives an empty line).
int text_read_line(TextReader& reader, std::string_view& line);

// Each reader takes the characters from `pos` up to the next ':' (or the end of the line),
// converts them, moves `pos` just past that ':' and returns kFieldMore, kFieldUsedUp or
// kFieldBad.

// An integer as atoi reads it (leading blanks and a sign accepted, stops at the first
// non-digit, 0 without digits); a value outside int32 is kFieldBad. At or past the end of the
// line nothing is stored and the report is kFieldUsedUp.
int text_field_int(std::string_view line, std::size_t& pos, int& value);

// The characters unchanged, NUL-terminated, into a field of `capacity` bytes; a field that
// does not fit is kFieldBad and stores an empty string.
int text_field_str(std::string_view line, std::size_t& pos, char* value, std::size_t capacity);

// A floating-point number as atof reads it in the C locale (0.0 without a number); a value
// out of the double range is kFieldBad. At or past the end of the line 0.0 is stored.
int text_field_double(std::string_view line, std::size_t& pos, double& value);

// Writers of the text conventions: every value followed by ':'.
void text_put_int(std::string& out, long long value);
void text_put_str(std::string& out, std::string_view value);
// Six significant digits as %g writes them, in the C locale whatever the program's locale,
// with the three exponent digits face files have always carried ("1e-005").
void text_put_double(std::string& out, double value);

} // namespace zel::engine
