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

// The pictures, under the numbers of the editor's dialogs: the skin, the bitmaps of Done, Cancel
// and the figures (chosen or not), and the icons of the arrows, the bullets (lit or not) and the
// expression.
constexpr int kSkinPicture = 343;
constexpr int kDonePicture = 312, kCancelPicture = 313;
constexpr int kManPicture = 300, kManChosenPicture = 308, kWomanPicture = 310,
              kWomanChosenPicture = 309, kChildPicture = 307, kChildChosenPicture = 306;
constexpr int kPreviousIcon = 281, kNextIcon = 315, kLeftArrowIcon = 316, kRightArrowIcon = 317,
              kBulletLitIcon = 282, kBulletIcon = 283, kExpressionIcon = 360;

void make_art(const std::string& folder);

} // namespace zel::controls::demo
