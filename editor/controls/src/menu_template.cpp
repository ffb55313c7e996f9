#include "menu_template.h"

namespace zel::controls {

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

std::size_t menu_template_extent(const std::vector<MenuTemplateItem>& items) {
    // Per open level: whether its end also ends the level above (its pop-up item was the last).
    std::vector<bool> closesParent{false};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool last = (items[i].flags & MF_END) != 0;
        if (items[i].flags & MF_POPUP) {
            closesParent.push_back(last);
            continue;
        }
        bool closes = last;
        while (closes && !closesParent.empty()) {
            closes = closesParent.back();
            closesParent.pop_back();
        }
        if (closesParent.empty()) {
            return i + 1;
        }
    }
    return 0;
}

} // namespace zel::controls
