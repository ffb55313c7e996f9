#pragma once
// The Qt side of printing: the default print dialog, print output (printer or PDF file) and
// print preview behind the hooks of hooks.h.

#include "zel/platform/hooks.h"

#include <QRect>

#include <vector>

class QImage;

namespace zel::platform::detail {

PrintDialogAnswer qt_print_dialog(const PrintDialogRequest& request);
bool qt_print_output(const PrintJob& job);
bool qt_print_preview(const PrintJob& job);

// The parts of a page picture that hold something other than white paper: runs of rows with
// ink, each cut to the columns its ink spans, top to bottom.
std::vector<QRect> inked_blocks(const QImage& page);

} // namespace zel::platform::detail
