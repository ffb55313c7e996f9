#pragma once
// Work-file names of the dialogs that compose the head with a body or a background.

#include <string>

namespace zel::dialogs {

/// The backup of a composed work file: its name with the extension replaced by "_tmp.bmp"
/// ("/w/zel_all.bmp" gives "/w/zel_all_tmp.bmp"). Only a '.' inside the file name counts as
/// the start of an extension, so the backup always stays in the composed file's folder.
std::string composed_backup_path(const std::string& composed);

} // namespace zel::dialogs
