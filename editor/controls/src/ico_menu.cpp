// The owner-drawn menu: item records and their synchronisation with the menu, finding items,
// loading templates, the process-wide lists and the desktop's look.

#include "zel/controls/ico_menu.h"

#include "ico_menu_shared.h"
#include "menu_template.h"
#include "zel/platform/wide_text.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <strings.h>

IMPLEMENT_DYNAMIC(IcoMenu, CMenu)

using zel::controls::ico_menu_shared;
using zel::controls::MenuTemplateItem;
using zel::platform::narrow;
using zel::platform::widen;

namespace zel::controls {

IcoMenuShared& ico_menu_shared() {
    static auto* shared = new IcoMenuShared;
    return *shared;
}

IcoMenu* sub_menu_of(const IcoMenuData& record) {
    if (!(record.m_menuFlags & MF_POPUP)) {
        return nullptr;
    }
    return dynamic_cast<IcoMenu*>(CMenu::FromHandle(reinterpret_cast<HMENU>(record.m_command)));
}

COLORREF lighten_color(COLORREF color, double factor) {
    if (!(factor > 0.0 && factor <= 1.0)) {
        return color;
    }
    auto up = [factor](BYTE c) { return int(c + factor * (255 - c)); };
    return RGB(up(GetRValue(color)), up(GetGValue(color)), up(GetBValue(color)));
}

void split_item_text(const std::wstring& text, std::wstring& label, std::wstring& keys) {
    const auto tab = text.find(L'\t');
    label = text.substr(0, tab);
    keys = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

} // namespace zel::controls

namespace {

constexpr const char* kThemeKey = "Software\\Microsoft\\Plus!\\Themes\\Current";
constexpr const char* kClassicThemeFile = "Windows Classic.theme";
constexpr std::size_t kThemeValueSize = 260;

} // namespace

// ---- item records -------------------------------------------------------------------------

IcoMenuData::~IcoMenuData() {
    delete m_ownImages;
}

void IcoMenuData::SetAnsiString(LPCSTR text) {
    m_hasText = text != nullptr;
    m_text = widen(text);
}

void IcoMenuData::SetWideString(const wchar_t* text) {
    m_hasText = text != nullptr;
    m_text = text != nullptr ? text : L"";
}

CString IcoMenuData::GetString() const {
    return CString(narrow(m_text));
}

// ---- construction -------------------------------------------------------------------------

IcoMenu::IcoMenu() = default;

IcoMenu::~IcoMenu() {
    DestroyMenu();
}

BOOL IcoMenu::DestroyMenu() {
    auto& own = ico_menu_shared().ownMenus;
    std::erase(own, m_hMenu);
    for (HMENU sub : m_subMenus) {
        std::erase(own, sub);
    }
    m_subMenus.clear();
    m_madeMenus.clear(); // destroys the sub-menus this menu made
    m_items.clear();
    if (!m_checkMarksShared) {
        delete m_checkMarks;
    }
    m_checkMarks = nullptr;
    m_checkMarksShared = FALSE;
    m_loaded = FALSE;
    return CMenu::DestroyMenu();
}

// ---- process-wide -------------------------------------------------------------------------

void IcoMenu::SetMenuDrawMode(UINT mode) {
    ico_menu_shared().flatDrawMode = mode;
    ico_menu_shared().otherDrawMode = mode;
}

BOOL IcoMenu::IsMenu(HMENU menu) {
    const auto& own = ico_menu_shared().ownMenus;
    return menu != nullptr && std::find(own.begin(), own.end(), menu) != own.end();
}

BOOL IcoMenu::IsMenu(const CMenu* menu) {
    return menu != nullptr && IsMenu(menu->m_hMenu);
}

int IcoMenu::GetOsKind() {
    static const int kind = [] {
        const DWORD version = ::GetVersion();
        const int major = LOBYTE(LOWORD(version));
        OSVERSIONINFO info;
        const bool known = ::GetVersionEx(&info) != FALSE;
        if (version & 0x80000000u) {
            if (major < 4) {
                return 0; // Win32s
            }
            if (!known) {
                return 2;
            }
            if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10) {
                return 3;
            }
            if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90) {
                return 4;
            }
            return 2;
        }
        if (!known) {
            return 1;
        }
        if (info.dwMajorVersion == 4) {
            return 5;
        }
        if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) {
            return 6;
        }
        if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1) {
            return 7;
        }
        return 1;
    }();
    return kind;
}

bool IcoMenu::IsClassicThemeValue(const char* value) {
    if (value == nullptr) {
        return false;
    }
    const std::size_t suffix = std::strlen(kClassicThemeFile);
    const std::size_t n = ::strnlen(value, kThemeValueSize);
    return n >= suffix && ::strncasecmp(value + n - suffix, kClassicThemeFile, suffix) == 0;
}

BOOL IcoMenu::IsClassicTheme() {
    static const bool classic = [] {
        HKEY key = nullptr;
        if (::RegOpenKeyEx(HKEY_CURRENT_USER, kThemeKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        // One byte more than is read, so the value always ends in a terminator.
        char value[kThemeValueSize + 1] = {};
        DWORD size = kThemeValueSize;
        const LONG result = ::RegQueryValueEx(key, nullptr, nullptr, nullptr,
                                              reinterpret_cast<BYTE*>(value), &size);
        ::RegCloseKey(key);
        return result == ERROR_SUCCESS && IsClassicThemeValue(value);
    }();
    return classic;
}

bool IcoMenu::UsesFlatLook(int osKind, bool classicTheme) {
    return osKind == 7 && !classicTheme;
}

UINT IcoMenu::EffectiveDrawMode() {
    const auto& shared = ico_menu_shared();
    return UsesFlatLook(GetOsKind(), IsClassicTheme()) ? shared.flatDrawMode : shared.otherDrawMode;
}

LRESULT IcoMenu::FindKeyboardShortcut(UINT ch, UINT flags, CMenu* menu) {
    if (menu == nullptr || !(flags & MF_POPUP)) {
        return 0;
    }
    auto* ico = dynamic_cast<IcoMenu*>(menu);
    if (ico == nullptr) {
        return 0;
    }
    std::wstring key = L"&";
    key += wchar_t(std::towlower(wint_t(ch)));
    if (ico->GetMenuItemCount() != UINT(ico->m_items.size())) {
        ico->SynchronizeMenu();
    }
    for (std::size_t pos = 0; pos < ico->m_items.size(); ++pos) {
        const wchar_t* text = ico->m_items[pos]->GetWideString();
        std::wstring lower = text != nullptr ? text : L"";
        for (wchar_t& c : lower) {
            c = wchar_t(std::towlower(wint_t(c)));
        }
        if (lower.find(key) != std::wstring::npos) {
            return LRESULT(MAKELONG(WORD(pos), WORD(MNC_EXECUTE)));
        }
    }
    return 0;
}

// ---- records and synchronisation ----------------------------------------------------------

IcoMenuData* IcoMenu::NewRecord(const wchar_t* text, UINT flags, UINT_PTR command) {
    auto record = std::make_unique<IcoMenuData>();
    record->SetWideString(text);
    record->m_menuFlags = flags;
    record->m_command = command;
    m_items.push_back(std::move(record));
    return m_items.back().get();
}

void IcoMenu::SynchronizeMenu() {
    std::vector<std::unique_ptr<IcoMenuData>> ordered;
    const UINT count = GetMenuItemCount();
    for (UINT pos = 0; count != UINT(-1) && pos < count; ++pos) {
        const UINT_PTR data = GetItemData(pos, MF_BYPOSITION);
        auto it = std::find_if(m_items.begin(), m_items.end(), [data](const auto& r) {
            return data != 0 && reinterpret_cast<UINT_PTR>(r.get()) == data;
        });
        if (it != m_items.end()) {
            ordered.push_back(std::move(*it));
            m_items.erase(it);
            continue;
        }
        // An item added by other means: give it a record (and owner drawing below the top
        // level of a loaded menu).
        const UINT state = GetMenuState(pos, MF_BYPOSITION);
        CString text;
        GetMenuString(pos, text, MF_BYPOSITION);
        const bool popup = (state & MF_POPUP) != 0;
        CMenu* sub = popup ? GetSubMenu(int(pos)) : nullptr;
        const UINT_PTR command =
            sub != nullptr ? reinterpret_cast<UINT_PTR>(sub->m_hMenu) : GetMenuItemID(int(pos));
        auto record = std::make_unique<IcoMenuData>();
        record->SetAnsiString(text);
        record->m_command = command;
        record->m_menuFlags = (state & ~MF_POPUP) | MF_OWNERDRAW | (popup ? MF_POPUP : 0);
        record->m_sharedImageIndex = -1;
        if (!m_loaded) {
            CMenu::ModifyMenu(pos, record->m_menuFlags | MF_BYPOSITION, command,
                              reinterpret_cast<LPCTSTR>(record.get()));
        }
        ordered.push_back(std::move(record));
    }
    m_items = std::move(ordered);
}

IcoMenuData* IcoMenu::RecordAt(UINT position, UINT flags, IcoMenu** holder) {
    if (flags & MF_BYPOSITION) {
        if (position >= m_items.size()) {
            return nullptr;
        }
        if (holder != nullptr) {
            *holder = this;
        }
        return m_items[position].get();
    }
    int pos = 0;
    IcoMenu* menu = FindItem(position, pos);
    if (menu == nullptr || std::size_t(pos) >= menu->m_items.size()) {
        return nullptr;
    }
    if (holder != nullptr) {
        *holder = menu;
    }
    return menu->m_items[std::size_t(pos)].get();
}

IcoMenu* IcoMenu::FindItem(UINT command, int& position) {
    for (std::size_t pos = 0; pos < m_items.size(); ++pos) {
        const IcoMenuData& r = *m_items[pos];
        if (r.m_menuFlags & MF_POPUP) {
            if (IcoMenu* sub = zel::controls::sub_menu_of(r)) {
                if (IcoMenu* found = sub->FindItem(command, position)) {
                    return found;
                }
            }
        } else if (!(r.m_menuFlags & MF_SEPARATOR) && r.m_command == command) {
            position = int(pos);
            return this;
        }
    }
    return nullptr;
}

IcoMenu* IcoMenu::FindItem(const wchar_t* text, int& position) {
    if (text == nullptr) {
        return nullptr;
    }
    for (std::size_t pos = 0; pos < m_items.size(); ++pos) {
        const IcoMenuData& r = *m_items[pos];
        const wchar_t* own = r.GetWideString();
        if (own != nullptr && std::wcscmp(own, text) == 0) {
            position = int(pos);
            return this;
        }
        if (r.m_menuFlags & MF_POPUP) {
            if (IcoMenu* sub = zel::controls::sub_menu_of(r)) {
                if (IcoMenu* found = sub->FindItem(text, position)) {
                    return found;
                }
            }
        }
    }
    return nullptr;
}

IcoMenu* IcoMenu::GetSubMenuAt(int position) const {
    CMenu* sub = GetSubMenu(position);
    return sub != nullptr ? dynamic_cast<IcoMenu*>(sub) : nullptr;
}

IcoMenu* IcoMenu::GetSubMenuByText(const wchar_t* text) const {
    for (const auto& r : m_items) {
        const wchar_t* own = r->GetWideString();
        if ((r->m_menuFlags & MF_POPUP) && own != nullptr && text != nullptr &&
            std::wcscmp(own, text) == 0) {
            return zel::controls::sub_menu_of(*r);
        }
    }
    return nullptr;
}

CString IcoMenu::GetItemText(UINT item, UINT flags) const {
    auto* self = const_cast<IcoMenu*>(this);
    if (IcoMenuData* r = self->RecordAt(item, flags)) {
        return r->GetString();
    }
    CString text;
    GetMenuString(item, text, flags);
    return text;
}

// ---- templates ----------------------------------------------------------------------------

BOOL IcoMenu::LoadMenu(UINT id) {
    return LoadMenu(MAKEINTRESOURCE(id));
}

BOOL IcoMenu::LoadMenu(LPCTSTR name) {
    // A template that is missing, cut short or damaged leaves the current menu as it was.
    const std::vector<MenuTemplateItem> items =
        zel::controls::read_menu_template(zel::controls::menu_template_bytes(name));
    const std::size_t extent = zel::controls::menu_template_extent(items);
    if (extent == 0) {
        return FALSE;
    }
    DestroyMenu();
    // Past this point a failure leaves the menu empty rather than half built.
    const auto fail = [this] {
        DestroyMenu();
        return FALSE;
    };
    if (!CreatePopupMenu()) {
        return fail();
    }
    ico_menu_shared().ownMenus.push_back(m_hMenu);
    // Each level ends with its MF_END item; a pop-up that ends its own level closes that level
    // too when its children are done.
    struct Level {
        IcoMenu* menu;
        bool closesParent;
    };
    std::vector<Level> stack{{this, false}};
    for (std::size_t i = 0; i < extent; ++i) {
        const MenuTemplateItem& item = items[i];
        IcoMenu* top = stack.back().menu;
        const bool last = (item.flags & MF_END) != 0;
        const UINT flags = item.flags & ~MF_END;
        if (flags & MF_POPUP) {
            std::unique_ptr<IcoMenu> sub = MakeSubMenu();
            if (sub == nullptr) {
                return fail();
            }
            IcoMenu* made = sub.get();
            top->m_madeMenus.push_back(std::move(sub));
            if (!top->AppendItem(item.text.c_str(), flags,
                                 reinterpret_cast<UINT_PTR>(made->m_hMenu), -1)) {
                return fail();
            }
            stack.push_back({made, last});
            continue;
        }
        if (!top->AppendItem(item.text.c_str(), flags, item.command, -1)) {
            return fail();
        }
        if (last) {
            bool closes = true;
            while (closes && !stack.empty()) {
                closes = stack.back().closesParent;
                stack.back().menu->SynchronizeMenu();
                stack.pop_back();
            }
        }
    }
    // The top level shows as plain strings (a menu bar); its pop-ups stay owner-drawn. A top
    // item keeps the state its template gave it (grayed, disabled, checked), which changing
    // it to a plain string would otherwise drop.
    for (std::size_t pos = 0; pos < m_items.size(); ++pos) {
        const IcoMenuData& r = *m_items[pos];
        const bool popup = (r.m_menuFlags & MF_POPUP) != 0;
        const UINT flags = MF_BYPOSITION | MF_STRING | (popup ? MF_POPUP : 0) |
                           (r.m_menuFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
        CMenu::ModifyMenu(UINT(pos), flags, r.m_command, r.GetString());
    }
    m_loaded = TRUE;
    return TRUE;
}
