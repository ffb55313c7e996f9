#pragma once
// Process-wide state of the owner-drawn menus.

#include "zel/controls/ico_menu.h"

#include <vector>

namespace zel::controls {

struct IcoMenuShared {
    CIcoImageList images;             // images of commands, shared by every menu
    std::vector<UINT> imageIds;       // the command of each image in `images`
    std::vector<HMENU> ownMenus;      // every menu held by an IcoMenu object
    UINT flatDrawMode = 1;            // draw mode while the flat look applies
    UINT otherDrawMode = 0;           // draw mode otherwise
    bool wideMargin = true;           // the flat draw mode measures with the wider margin
    bool grayedSelectable = true;     // a grayed item can show as selected
    bool directGrayedDrawing = false; // flat grayed items drawn straight onto the menu
};

// Lives for the whole process (its images may be drawn until exit).
IcoMenuShared& ico_menu_shared();

// The IcoMenu object of a pop-up item's sub-menu, or null.
IcoMenu* sub_menu_of(const IcoMenuData& record);

// c + f * (255 - c) per channel; factors outside 0 < f <= 1 leave the colour as it is.
COLORREF lighten_color(COLORREF color, double factor);

// The parts of an item text around its first tab: label and key text.
void split_item_text(const std::wstring& text, std::wstring& label, std::wstring& keys);

} // namespace zel::controls
