#pragma once
// The folder the system reads its bundled data from (part templates, picture libraries,
// starter faces). Qt-free.

#include <string>
#include <string_view>

namespace zel {

// $ZEL_DATA_DIR when set; else the share folder of the installed tree that holds the calling
// code when it exists: <prefix>/share/zel-editor for the program <prefix>/bin/program, and for
// a library <prefix>/lib/library whichever program loaded it; else the configured install
// folder when it exists; else the build tree's copy. Never ends with '/'.
std::string data_folder();

// data_folder() + '/' + relative.
std::string data_path(std::string_view relative);

} // namespace zel
