#include "menu_template.h"

#include "text_convert.h"

namespace zel::controls {

namespace {

void put_word(std::vector<BYTE>& out, UINT w) {
    out.push_back(BYTE(w));
    out.push_back(BYTE(w >> 8));
}

void encode(const std::vector<MenuItemTemplate>& items, std::vector<BYTE>& out) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItemTemplate& item = items[i];
        const bool popup = !item.popup.empty() || (item.flags & MF_POPUP);
        UINT flags = (item.flags & ~MF_END) | (popup ? MF_POPUP : 0);
        if (i + 1 == items.size()) {
            flags |= MF_END;
        }
        put_word(out, flags);
        if (!popup) {
            put_word(out, item.id);
        }
        for (wchar_t c : widen(item.text.c_str())) {
            put_word(out, UINT(c) <= 0xFFFF ? UINT(c) : UINT('?'));
        }
        put_word(out, 0);
        if (popup) {
            encode(item.popup, out);
        }
    }
}

} // namespace

std::vector<BYTE> menu_template_bytes(LPCTSTR name) {
    for (HMODULE module : {AfxFindResourceHandle(name, RT_MENU), AfxGetInstanceHandle()}) {
        if (HRSRC found = ::FindResource(module, name, RT_MENU)) {
            const auto* data =
                static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
            const DWORD size = ::SizeofResource(module, found);
            if (data != nullptr && size > 0) {
                return {data, data + size};
            }
        }
    }
    // Menus registered in code: the same bytes a resource would hold.
    if (IS_INTRESOURCE(name)) {
        if (const auto* items =
                zel::platform::find_menu(UINT(reinterpret_cast<std::uintptr_t>(name)))) {
            std::vector<BYTE> out;
            put_word(out, 0);
            put_word(out, 0);
            encode(*items, out);
            return out;
        }
    }
    return {};
}

std::vector<MenuTemplateItem> read_menu_template(const std::vector<BYTE>& bytes) {
    std::vector<MenuTemplateItem> items;
    std::size_t at = 0;
    auto word = [&](UINT& w) {
        if (at + 2 > bytes.size()) {
            return false;
        }
        w = UINT(bytes[at]) | (UINT(bytes[at + 1]) << 8);
        at += 2;
        return true;
    };
    UINT version = 0, offset = 0;
    if (!word(version) || !word(offset)) {
        return items;
    }
    at += offset;
    for (;;) {
        MenuTemplateItem item;
        if (!word(item.flags)) {
            break;
        }
        if (!(item.flags & MF_POPUP) && !word(item.command)) {
            break;
        }
        UINT c = 0;
        bool ended = false;
        while ((ended = word(c)) && c != 0) {
            item.text += wchar_t(c);
        }
        if (!ended) {
            break;
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace zel::controls
