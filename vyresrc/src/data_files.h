#pragma once
// The three data files of a template set, each read whole into a TemplateSet. Every reader throws
// ParseError on the first thing it cannot accept, so a damaged file never half-loads.
//
// All three are text: a first line "vyresrc-<kind> 1", then entries; empty lines and lines
// starting with ';' are skipped; words are separated by blanks; every line, the last too, ends
// with a line end.
//   parts.vyr   "part NAME cols rows ax ay c0 c1 r0 r1" followed by rows lines of cols characters,
//               '#' ink and '.' paper, top row first; "loc NAME ax ay c0 c1 r0 r1" for a location
//               record without a drawing.
//   points.vyr  "points NAME reference_size count" followed by count lines "x y weight"; at most
//               1000 points, weights within +-255.
//   tables.vyr  "range NAME v0 .. v20", "thick t0 .. t29", "fuzzy k p0 .. p6 v_low v_mid v_high"
//               for k = 0 .. 11 (all twelve, each once).

#include "line_reader.h"
#include "template_set.h"

#include <string>
#include <string_view>

namespace vyresrc {

inline constexpr std::string_view kPartsFile = "parts.vyr";
inline constexpr std::string_view kPointsFile = "points.vyr";
inline constexpr std::string_view kTablesFile = "tables.vyr";

// Longest name a face record can hold (20 bytes with the NUL).
inline constexpr std::size_t kMaxNameLength = 19;
// Location words and point offsets lie within this distance of 0: far beyond any picture, and
// far enough from the int range that differences and scaled offsets cannot overflow.
inline constexpr std::int32_t kMaxCoordinate = 1 << 16;

inline bool is_coordinate(std::int32_t value) {
    return value >= -kMaxCoordinate && value <= kMaxCoordinate;
}

void read_parts_file(LineReader& in, TemplateSet& set);
void read_points_file(LineReader& in, TemplateSet& set);
void read_tables_file(LineReader& in, TemplateSet& set);

// Shared by the three readers.
[[noreturn]] void fail(const LineReader& in, const std::string& what);
void expect_file_header(LineReader& in, std::string_view kind);
std::string checked_name(const LineReader& in, std::string_view word);

} // namespace vyresrc
