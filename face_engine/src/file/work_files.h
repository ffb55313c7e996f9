#pragma once
// The face engine's work files, in the private work folder, named without ".zel" as the
// face-file routines take them. Empty when there is no usable work folder.

#include <string>

namespace zel::engine {

// The plain text of the face being loaded; after a successful load it holds one blank.
std::string load_work_name();
// The plain text of the face last saved.
std::string save_work_name();

} // namespace zel::engine
