#pragma once
// Whole-file reads and writes of face files and their work files, and the names of face files:
// the work files are named without their extension and get ".zel" appended here.

#include <string>
#include <string_view>

namespace zel::engine {

// "<name>.zel".
std::string zel_file_name(std::string_view name);

// The face file a caller's name stands for: the name itself when its extension is ".zel" in
// any case (a file named "SMILE.ZEL" is that file), else the name with its extension, if any,
// replaced by ".zel".
std::string face_file_path(const char* name);

// Reads the whole file at path into text. 0; -10 when it cannot be opened or read; -11 when it
// holds more than kMaxFaceFileBytes (nothing is read then).
int read_face_file(const std::string& path, std::string& text);

// Creates or empties the file at path and writes data. 0, or -10 when it cannot be opened or
// not every byte reached the disk.
int write_whole_file(const std::string& path, std::string_view data);

// Size of the file at path in bytes, or -1 when it cannot be examined.
long long file_size(const std::string& path);

} // namespace zel::engine
