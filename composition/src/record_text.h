#pragma once
// Field parsers of the layer record's text form: a line holds a value followed by ':'.

namespace zel::composition {

// Converts the characters of text from position up to the next ':' (or the end) as a decimal
// integer (parse_int_field) or a floating-point number (parse_double_field), and moves position
// just past the ':'. Returns 1 when fewer than 2 characters remain behind it, else 0.
int parse_int_field(const char* text, int& position, int& out);
int parse_double_field(const char* text, int& position, double& out);

} // namespace zel::composition
