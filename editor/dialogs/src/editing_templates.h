#pragma once
// The templates of the editing dialogs (Make Face 285, Change Face 286, Add Body 287, Add
// Background 288), registered with the platform once per process by the first dialog of each
// kind that is constructed.
//
// Every button that shows a picture of its own is exactly that picture's size in pixels, so
// the picture covers the button whatever lies under it; the shared sizes are below.

namespace zel::dialogs {

// Picture sizes in dialog units (and pixels at the fixed base units).
constexpr int kDoneWidth = 32, kDoneHeight = 27;     // 312, 313: 48 x 44
constexpr int kActionWidth = 26, kActionHeight = 24; // arrows and actions: 39 x 39
constexpr int kGenderWidth = 36, kGenderHeight = 32; // 300, 306 to 310: 54 x 52
constexpr int kGroupWidth = 132, kGroupHeight = 24;  // group buttons and 360: 198 x 39
constexpr int kLayerWidth = 54, kLayerHeight = 24;   // 370 to 375: 81 x 39

void register_make_face_template();
void register_change_face_template();
void register_add_body_template();
void register_add_bkgd_template();

} // namespace zel::dialogs
