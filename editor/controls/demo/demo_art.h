#pragma once
// The demo's artwork, drawn by code with the same result on every run: the dialog skin, the
// arrow and bullet icons, and the Done, Cancel and figure pictures. Each is written as a PNG into
// `folder` and registered as a picture resource under the number the editor's dialogs use.

#include <string>

namespace zel::controls::demo {

// Client size of the demo dialog; the skin is drawn at this size.
constexpr int kDialogWidth = 600;
constexpr int kDialogHeight = 380;
// The colour the picture buttons' transparent key stands for, and the skin colour their edges
// are smoothed against.
constexpr unsigned kKeyRed = 40;

void make_art(const std::string& folder);

} // namespace zel::controls::demo
