#include "resource_records.h"

#include <QString>

namespace zel::platform::detail {

namespace {

void put_word(QByteArray& out, UINT word) {
    out.append(char(word & 0xFF));
    out.append(char((word >> 8) & 0xFF));
}

void put_level(QByteArray& out, const std::vector<MenuItemTemplate>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItemTemplate& item = items[i];
        const bool popup = !item.popup.empty() || (item.flags & MF_POPUP) != 0;
        UINT flags = (item.flags & ~MF_END) | (popup ? MF_POPUP : 0);
        if (i + 1 == items.size()) {
            flags |= MF_END;
        }
        put_word(out, flags);
        if (!popup) {
            put_word(out, item.id);
        }
        for (char16_t unit : QString::fromUtf8(item.text.c_str()).toStdU16String()) {
            put_word(out, unit);
        }
        put_word(out, 0);
        if (!popup) {
            continue;
        }
        if (item.popup.empty()) {
            // The format has no empty level: the pop-up's one item is a separator.
            put_level(out, {MenuItemTemplate{"", 0, MF_SEPARATOR, {}}});
        } else {
            put_level(out, item.popup);
        }
    }
}

} // namespace

QByteArray menu_template_record(const std::vector<MenuItemTemplate>& items) {
    QByteArray out;
    put_word(out, 0);
    put_word(out, 0);
    put_level(out, items);
    return out;
}

QByteArray toolbar_record(int buttonWidth, int buttonHeight, const std::vector<UINT>& commands) {
    QByteArray out;
    put_word(out, 1);
    put_word(out, UINT(buttonWidth));
    put_word(out, UINT(buttonHeight));
    put_word(out, UINT(commands.size()));
    for (UINT command : commands) {
        put_word(out, command);
    }
    return out;
}

} // namespace zel::platform::detail
