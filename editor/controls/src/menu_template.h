#pragma once
// Menu templates in the standard binary form: a 4-byte header (version, offset of the first
// item after the header), then per item a flags word, a command word for items that are not
// pop-ups, and a zero-terminated text of 16-bit characters; MF_END marks the last item of a
// level.

#include "zel/platform/platform.h"

#include <string>
#include <vector>

namespace zel::controls {

// The bytes of menu template `name`, from the class library's resource module, else from the
// program's; empty when there is none.
std::vector<BYTE> menu_template_bytes(LPCTSTR name);

// The items of a template, in order, with their nesting expressed by MF_POPUP and MF_END.
struct MenuTemplateItem {
    UINT flags = 0;
    UINT command = 0;
    std::wstring text;
};
// Reads every item of `bytes`; stops (keeping what was read) at the first item that would run
// past the end.
std::vector<MenuTemplateItem> read_menu_template(const std::vector<BYTE>& bytes);

// How many of `items` make up the menu: up to the item that ends the top level. 0 when the
// items end before every level they open is closed (a cut or damaged template).
std::size_t menu_template_extent(const std::vector<MenuTemplateItem>& items);

} // namespace zel::controls
