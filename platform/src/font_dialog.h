#pragma once
// The font dialog a person answers: Qt's font dialog, opened at the family and size asked for.

#include "zel/platform/hooks.h"

#include <QString>

namespace zel::platform::detail {

// The installed family that stands for `family`: the family itself when it is installed, else
// the one fontconfig puts in its place (for "Arial" the metric-compatible "Liberation Sans");
// `family` when fontconfig has no answer.
QString installed_family(const QString& family);

// Runs the dialog for the request. It opens at the request's font, its family as
// installed_family gives it and its size in points (a character height of 16 pixels is 12
// points); without an initial font at 9-point "DejaVu Sans".
FontDialogAnswer qt_font_dialog(const FontDialogRequest& request);

} // namespace zel::platform::detail
