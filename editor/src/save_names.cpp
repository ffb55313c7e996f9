// Names handed to the libraries when loading and saving.

#include "save_names.h"

#include <algorithm>
#include <cctype>

namespace zel::editor {
namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// The extension of the file name (after the last '.' of the part after the last '/'), or
// empty; a leading '.' of a hidden name is no extension.
std::string extension_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= start) {
        return {};
    }
    return path.substr(dot + 1);
}

} // namespace

bool names_face_file(const std::string& path) {
    return lower(extension_of(path)) == "zel";
}

std::string face_file_name(const std::string& chosen) {
    return names_face_file(chosen) ? chosen : chosen + ".zel";
}

PictureName picture_file_name(const std::string& chosen, const std::string& format) {
    const std::string own = extension_of(chosen);
    const std::string wanted = lower(format);
    const std::string ownLower = lower(own);
    if (!own.empty() && (ownLower == wanted || (wanted == "jpg" && ownLower == "jpeg"))) {
        return {chosen, own};
    }
    return {chosen + "." + wanted, wanted};
}

std::string save_format(int filterIndex) {
    static const char* const formats[] = {"ZEL", "BMP", "JPG", "PSD", "TGA"};
    return filterIndex >= 1 && filterIndex <= 5 ? formats[filterIndex - 1] : "";
}

} // namespace zel::editor
