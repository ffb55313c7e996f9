#pragma once
// What a dialog does when the backup it takes at opening, for Cancel to put back, was not
// written.

#include <zel/platform/platform.h>

#include <string>

namespace zel::dialogs {

/// Removes whatever lies under `backupPath` (an earlier run's picture or half of this one's),
/// so that nothing can mistake it for this run's backup, and tells the user that Cancel will
/// not undo the changes made to `what` ("the <what> could not be backed up").
void report_failed_backup(CWnd& dialog, const std::string& backupPath, const char* what);

} // namespace zel::dialogs
