#include "bounded_copy.h"

#include <cstring>

namespace zel::controls {

std::size_t bounded_copy(char* buffer, std::size_t size, const char* text) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    std::size_t n = text != nullptr ? ::strnlen(text, size) : 0;
    if (n >= size) {
        // Room for the terminator, and back up to the start of a character.
        n = size - 1;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
            --n;
        }
    }
    std::memcpy(buffer, text != nullptr ? text : "", n);
    buffer[n] = 0;
    return n;
}

} // namespace zel::controls
