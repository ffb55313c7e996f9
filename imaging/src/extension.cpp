// Extension handling on std::string so that no path length can overrun a buffer; only
// take_off_ext works on the caller's own C string, as its callers expect.

#include "extension.h"

#include "zel/imaging.h"

#include <array>
#include <cctype>
#include <cstring>

namespace zel::imaging {
namespace {

constexpr std::array<std::string_view, 5> listed = {"BMP", "JPG", "JPEG", "PSD", "TGA"};
constexpr std::array<const char*, 5> magick_names = {bmp_magick_name, "JPEG", "JPEG", "PSD", "TGA"};

bool same_without_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::size_t> extension_dot(std::string_view path) {
    // Only a dot in the file's own name starts an extension, and not its first character: a dot
    // in a folder's name would cut the folder short, so that a picture saved as
    // "/home/me/my.pictures/smile" went to "/home/me/my.bmp".
    const std::size_t slash = path.rfind('/');
    const std::size_t name = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= name)
        return std::nullopt;
    return dot;
}

std::optional<std::string> extension_of(std::string_view path) {
    const auto dot = extension_dot(path);
    if (!dot || path.size() - *dot - 1 > max_extension)
        return std::nullopt;
    return std::string(path.substr(*dot + 1));
}

int format_index(std::string_view ext) {
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (same_without_case(ext, listed[i]))
            return static_cast<int>(i);
    }
    return -1;
}

const char* format_magick_name(int index) {
    return index >= 0 && index < static_cast<int>(magick_names.size()) ? magick_names[index]
                                                                       : nullptr;
}

std::string without_extension(std::string_view path) {
    if (!extension_of(path))
        return std::string(path);
    return std::string(path.substr(0, *extension_dot(path)));
}

} // namespace zel::imaging

int take_off_ext(char* path, char* ext) {
    if (path == nullptr || ext == nullptr)
        return -1;
    const auto dot = zel::imaging::extension_dot(path);
    if (!dot)
        return -1;
    const std::size_t length = std::strlen(path + *dot + 1);
    if (length > zel::imaging::max_extension)
        return -1;
    std::memcpy(ext, path + *dot + 1, length + 1);
    path[*dot] = '\0';
    return -1;
}
