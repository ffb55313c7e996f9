// Magick picks a decoder from a file's content, whatever its name, and some of its decoders
// read other files: an SVG or MVG picture named photo.bmp draws any picture on the disk that
// it names, others run external programs. Only the four listed raster formats are decoded.
// PNG is not among them, though the build's own drawings come in it: its decoder spent seconds
// on a crafted 367-byte file before refusing it, and no picture a user or a library hands over
// is a PNG (the data generators read their drawings with Magick themselves).

#include "picture_format.h"

#include "extension.h"

#include <array>

namespace zel::imaging {
namespace {

struct Signature {
    std::string_view bytes;
    const char* decoder;
};

constexpr std::array<Signature, 3> signatures = {{
    {"BM", "BMP"},
    {"\xff\xd8\xff", "JPEG"},
    {"8BPS", "PSD"},
}};

} // namespace

std::optional<std::string> decoder_for(std::string_view bytes, std::string_view path) {
    for (const Signature& s : signatures) {
        if (bytes.substr(0, s.bytes.size()) == s.bytes)
            return s.decoder;
    }
    const auto ext = extension_of(path);
    if (ext && format_index(*ext) == format_index("TGA"))
        return "TGA";
    return std::nullopt;
}

} // namespace zel::imaging
