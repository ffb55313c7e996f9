#pragma once
// The system's private folder for work files (the "system folder" of the editor and its
// libraries). Qt-free; shared by the three libraries and the editor.

#include <string>
#include <string_view>

namespace zel {

// How many numbered work spaces one private folder offers: as many processes of the system can
// run at once for one user.
inline constexpr int work_space_count = 8;

// The private folder that holds the work spaces: $ZEL_WORKDIR when it is set, else the first
// usable choice of $XDG_RUNTIME_DIR/zel-editor and ~/.cache/zel-editor. The folder is created
// with owner-only permissions when missing. A choice that is no absolute path, cannot be
// made, is a link, is not a directory, belongs to another user or is open to group or others
// is refused; a refused $ZEL_WORKDIR is never replaced by another folder (the person named it),
// while of the two others the next one is tried. Returns the folder without a trailing '/', or
// an empty string when no choice is usable.
std::string private_folder();

// This process's own work space: the numbered folder "1" .. "8" inside private_folder() whose
// lock ("space.lock" inside it) this process holds for the rest of its life. Every work file of
// the libraries and the editor goes here, under its fixed name, so two programs running at once
// never read each other's pictures. The first call claims the lowest free number; a process made
// by fork claims its own. Owner-only like the folder around it. Empty when there is no usable
// private folder or every space is held by another process.
std::string work_folder();

// Why work_folder() gives no work space, in a sentence for the person (which folder, and what
// is wrong with it); empty when it gives one.
std::string work_folder_problem();

// work_folder() + '/' + name; empty when there is no work space.
std::string work_path(std::string_view name);

// True when path names a file right inside this process's work space (as work_path gives it,
// whatever way the folder is spelt): one of the system's work files, which are written in
// place, unlike a person's own files (zel::replace_file).
bool is_work_file(const std::string& path);

} // namespace zel
