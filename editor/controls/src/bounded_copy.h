#pragma once
// Copies text into fixed character buffers without ever writing past them.

#include <cstddef>

namespace zel::controls {

// Copies as much of `text` as fits into `buffer` of `size` bytes and always terminates it.
// The cut never splits a UTF-8 sequence (the program's multibyte code page). Returns the
// number of bytes copied.
std::size_t bounded_copy(char* buffer, std::size_t size, const char* text);

} // namespace zel::controls
