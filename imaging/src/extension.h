#pragma once
// File-name extensions and the list of picture formats the library reads and writes.

#include <optional>
#include <string>
#include <string_view>

namespace zel::imaging {

// Longest extension accepted anywhere.
inline constexpr std::size_t max_extension = 10;

// Position of the '.' that starts the extension of path, or nullopt when there is none: the last
// '.' of the file's own name, unless it is that name's first character.
std::optional<std::size_t> extension_dot(std::string_view path);

// The extension of path (without the '.'), or nullopt when there is none or it is longer than
// max_extension.
std::optional<std::string> extension_of(std::string_view path);

// Index of ext in the format list "BMP", "JPG", "JPEG", "PSD", "TGA" (any case), or -1.
int format_index(std::string_view ext);

// Magick's name for writing BMP files: a real BMP (not raw RGB samples, which could not be
// read again), in the classic version with the 40-byte information header that the bitmap
// header record describes.
inline constexpr const char* bmp_magick_name = "BMP3";

// Magick's format name for a listed index: bmp_magick_name, "JPEG", "JPEG", "PSD", "TGA".
const char* format_magick_name(int index);

// path without its extension; unchanged when it has no usable one.
std::string without_extension(std::string_view path);

} // namespace zel::imaging
