#pragma once
// Saving over a person's file: the new content is written beside the file and renamed over
// it, so that the file holds either all of what it held or all of the new content, whatever
// happens during the save (a full disk, a crash, a kill). Qt-free; the face files and the
// pictures the person saves both go through it. Work files are written plainly.

#include <functional>
#include <string>

namespace zel {

// Fills the file named by its argument, which exists and is empty, with the whole new
// content; false when not every byte was written.
using FileWriter = std::function<bool(const std::string& path)>;

// Replaces the file at target with what write puts into a fresh file beside it: a hidden
// sibling named ".<name>.part-<process>-<n>", which is flushed to the disk and renamed over the
// file only when write succeeded.
// - A target that is a symbolic link is written through it: the file at the end of the links is
//   replaced, and the links stay.
// - An existing file keeps its permission bits, its owner where the user may set it (a save by
//   root) and its group where the user may set it; when its group cannot be kept, the file
//   gives its new group no rights.
// - A file the user may not write, or a target that is no regular file (a folder, a device), is
//   refused and left as it is.
// - Siblings of the same target left by a save that ended before its rename are removed, unless
//   a running save holds them.
// False on any failure; the target is then as it was, and nothing of this save is left beside it.
bool replace_file(const std::string& target, const FileWriter& write);

} // namespace zel
