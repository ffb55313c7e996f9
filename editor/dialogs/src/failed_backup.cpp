#include "failed_backup.h"

#include <cstdio>

namespace zel::dialogs {

void report_failed_backup(CWnd& dialog, const std::string& backupPath, const char* what) {
    std::remove(backupPath.c_str());
    const std::string text =
        std::string("The ") + what +
        " could not be backed up: Cancel will not undo the changes made to it.";
    dialog.MessageBox(text.c_str(), "Morvane @ Runtime message", MB_OK | MB_ICONEXCLAMATION);
}

} // namespace zel::dialogs
