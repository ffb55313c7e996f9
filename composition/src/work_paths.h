#pragma once
// Where the composer finds the picture libraries and writes its deciphered work files. Every
// path is built whole or refused: an empty result means "no such path", never a shortened one.

#include "zel/composition.h"

#include <string>
#include <string_view>

namespace zel::composition {

// The longest path the composer builds outside the layer records (the system's own limit).
constexpr std::size_t max_path_length = 4095;

// The libraries folder of the data folder: bodyNN and bkgdNN live in it.
std::string library_folder();

// "<work folder>/<name>.<ext>"; empty when there is no work folder or the path is too long.
std::string work_file(std::string_view name, std::string_view ext);

// Deciphers the library picture of layer (its csPath with the extension "zif" in place of its
// own) into the work file "<name>.<own extension>" under the library key. Returns the work
// file's path, or empty when the layer has no path or extension or the cipher fails.
std::string decipher_layer(const zeleditObject& layer, std::string_view name);

} // namespace zel::composition
