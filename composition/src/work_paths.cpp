// Library and work-file paths of the composer.

#include "work_paths.h"

#include "zel/common/data_folder.h"
#include "zel/common/work_folder.h"

#include <cstring>

namespace zel::composition {
namespace {

// The key under which every picture of the body and background libraries is enciphered.
constexpr char library_key[] = "tq8HM";
constexpr int library_key_length = 5;

} // namespace

std::string library_folder() {
    return zel::data_path("libraries");
}

std::string work_file(std::string_view name, std::string_view ext) {
    std::string path = zel::work_folder();
    if (path.empty())
        return {};
    path.append("/").append(name).append(".").append(ext);
    return path.size() <= max_path_length ? path : std::string();
}

std::string decipher_layer(const zeleditObject& layer, std::string_view name) {
    // csPath always fits its own capacity, so the copy cannot be cut short.
    char source[zeleditObject::path_capacity];
    std::memcpy(source, layer.csPath, sizeof source);
    source[sizeof source - 1] = '\0';
    char ext[zeleditObject::ext_capacity] = "";
    take_off_ext(source, ext);
    if (source[0] == '\0' || ext[0] == '\0')
        return {};
    const std::string enciphered = std::string(source) + ".zif";
    std::string target = work_file(name, ext);
    if (target.empty() || enciphered.size() > max_path_length)
        return {};
    if (zic_decypt(enciphered.c_str(), target.c_str(), library_key, library_key_length) != 0)
        return {};
    return target;
}

} // namespace zel::composition
