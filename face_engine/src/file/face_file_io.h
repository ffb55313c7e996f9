#pragma once
// Whole-file reads and writes of face files and their work files. Every face-file name is
// given without its extension, as the face-file routines have always taken it, and gets
// ".zel" appended here.

#include <string>
#include <string_view>

namespace zel::engine {

// "<name>.zel".
std::string zel_file_name(std::string_view name);

// Reads the whole file at path into text. 0; -10 when it cannot be opened or read; -11 when it
// holds more than kMaxFaceFileBytes (nothing is read then).
int read_face_file(const std::string& path, std::string& text);

// Creates or empties the file at path and writes data. 0, or -10 when it cannot be opened or
// not every byte reached the disk.
int write_whole_file(const std::string& path, std::string_view data);

// Size of the file at path in bytes, or -1 when it cannot be examined.
long long file_size(const std::string& path);

} // namespace zel::engine
