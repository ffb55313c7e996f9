#include "picture_io.h"

#include "extension.h"
#include "picture_format.h"
#include "zel/imaging.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <vector>

namespace zel::imaging {
namespace {

// No picture file of this system comes near this; a larger file is refused before it is
// read into memory.
constexpr long max_file_bytes = 256L * 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool read_file(const std::string& path, std::vector<char>& bytes) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size <= 0 || size > max_file_bytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool write_file(const std::string& path, const Magick::Blob& blob) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(blob.data(), 1, blob.length(), file) == blob.length();
    return (std::fclose(file) == 0) && written;
}

bool plain_word(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isalnum(c) != 0; });
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool read_picture(const std::string& path, Magick::Image& image) {
    // Holding a file of up to max_file_bytes may itself fail for memory.
    try {
        std::vector<char> bytes;
        if (!read_file(path, bytes))
            return false;
        const auto decoder = decoder_for(std::string_view(bytes.data(), bytes.size()), path);
        if (!decoder)
            return false;
        Magick::Blob blob(bytes.data(), bytes.size());
        Magick::Image decoded;
        // Named explicitly, the decoder is used as it is: Magick does not look at the bytes
        // again to pick another one.
        decoded.magick(*decoder);
        try {
            decoded.read(blob);
        } catch (const Magick::WarningCorruptImage&) {
            return false; // pixels missing: a cut file is grey where its data ended
        } catch (const Magick::Warning&) {
            // Thrown after the picture was read; only something beside the pixels (damaged
            // metadata, say) was off.
        }
        if (decoded.columns() == 0 || decoded.rows() == 0)
            return false;
        image = decoded;
        return true;
    } catch (...) {
        return false;
    }
}

bool read_picture_or_report(const std::string& path, Magick::Image& image, const char* caption) {
    if (read_picture(path, image))
        return true;
    show_message(caption, path.c_str(), MessageIcon::none);
    return false;
}

bool write_picture(Magick::Image& image, const std::string& magick, const std::string& path) {
    try {
        Magick::Blob blob;
        image.magick(magick);
        image.write(&blob);
        return write_file(path, blob);
    } catch (...) {
        return false;
    }
}

std::string magick_for_path(const Magick::Image& image, const std::string& path) {
    const auto ext = extension_of(path);
    if (!ext || !plain_word(*ext))
        return image.magick();
    if (const char* listed = format_magick_name(format_index(*ext)))
        return listed;
    return upper(*ext);
}

} // namespace zel::imaging
