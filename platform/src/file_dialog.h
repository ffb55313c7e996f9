#pragma once
// The file open and save dialog a person answers: Qt's own dialog (the same on every desktop),
// whose name field also takes a wildcard.

#include "zel/platform/hooks.h"

namespace zel::platform::detail {

// Runs the dialog for the request. A name with '*' or '?' entered in its name field filters the
// list by it (several patterns may be separated by ';' or blanks, and a folder may lead them)
// instead of being taken for a file; the initial name is shown in the name field.
FileDialogAnswer qt_file_dialog(const FileDialogRequest& request);

} // namespace zel::platform::detail
