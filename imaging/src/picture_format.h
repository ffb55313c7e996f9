#pragma once
// Which Magick decoder may read a picture file.

#include <optional>
#include <string>
#include <string_view>

namespace zel::imaging {

// The Magick decoder for a file of these bytes at path: BMP, JPEG or PSD by their signatures,
// else TGA (which has none) when the extension says so; nullopt for anything else.
std::optional<std::string> decoder_for(std::string_view bytes, std::string_view path);

} // namespace zel::imaging
