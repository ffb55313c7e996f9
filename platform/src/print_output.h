#pragma once
// The Qt side of printing: the default print dialog, print output (printer or PDF file) and
// print preview behind the hooks of hooks.h.

#include "zel/platform/hooks.h"

namespace zel::platform::detail {

PrintDialogAnswer qt_print_dialog(const PrintDialogRequest& request);
bool qt_print_output(const PrintJob& job);
bool qt_print_preview(const PrintJob& job);

} // namespace zel::platform::detail
