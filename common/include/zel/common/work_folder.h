#pragma once
// The system's private folder for work files (the "system folder" of the editor and its
// libraries). Qt-free; shared by the three libraries and the editor.

#include <string>
#include <string_view>

namespace zel {

// The first usable choice of: $ZEL_WORKDIR, $XDG_RUNTIME_DIR/zel-editor, ~/.cache/zel-editor.
// The folder is created with owner-only permissions when missing. A choice that exists but is
// not a directory, belongs to another user or is open to group or others is refused and the next
// one is tried. Returns the folder without a trailing '/', or an empty string when no choice is
// usable.
std::string work_folder();

// work_folder() + '/' + name; empty when there is no usable work folder.
std::string work_path(std::string_view name);

} // namespace zel
