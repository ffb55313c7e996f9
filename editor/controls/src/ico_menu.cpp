// The owner-drawn menu: item records, templates, images, the process-wide lists and the
// desktop's look.

#include "zel/controls/ico_menu.h"

#include "ico_menu_shared.h"
#include "menu_template.h"
#include "text_convert.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <strings.h>

IMPLEMENT_DYNAMIC(IcoMenu, CMenu)

using zel::controls::ico_menu_shared;
using zel::controls::narrow;
using zel::controls::widen;

namespace zel::controls {

IcoMenuShared& ico_menu_shared() {
    static auto* shared = new IcoMenuShared;
    return *shared;
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

// A toolbar resource: the standard record (version, button width, button height, count,
// commands with 0 for separators), and its bitmap strip by the same number.
struct ToolbarResource {
    int width = 0;
    int height = 0;
    std::vector<UINT> commands; // without separators: index = image index
    HBITMAP bitmap = nullptr;   // owned by the caller
};

bool load_toolbar(UINT id, ToolbarResource& out) {
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = ::FindResource(module, MAKEINTRESOURCE(id), RT_TOOLBAR);
    if (found == nullptr) {
        return false;
    }
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    const DWORD size = ::SizeofResource(module, found);
    auto word = [&](DWORD i) { return UINT(data[2 * i]) | (UINT(data[2 * i + 1]) << 8); };
    if (data == nullptr || size < 8 || word(0) != 1) {
        return false;
    }
    out.width = int(word(1));
    out.height = int(word(2));
    const DWORD count = std::min<DWORD>(word(3), size / 2 - 4);
    for (DWORD i = 0; i < count; ++i) {
        if (const UINT command = word(4 + i); command != 0) {
            out.commands.push_back(command);
        }
    }
    out.bitmap = ::LoadBitmap(module, MAKEINTRESOURCE(id));
    return out.bitmap != nullptr && out.width > 0 && out.height > 0;
}

IcoMenu* ico_of(HMENU menu) {
    return dynamic_cast<IcoMenu*>(CMenu::FromHandle(menu));
}

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
            if (IcoMenu* sub = ico_of(reinterpret_cast<HMENU>(r.m_command))) {
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
            if (IcoMenu* sub = ico_of(reinterpret_cast<HMENU>(r.m_command))) {
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
            return ico_of(reinterpret_cast<HMENU>(r->m_command));
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

// ---- adding, changing and removing items --------------------------------------------------

BOOL IcoMenu::AddItem(UINT position, bool append, const std::wstring* text, bool hasText,
                      UINT flags, UINT_PTR command, int imageId) {
    if (m_hMenu == nullptr && !CreatePopupMenu()) {
        return FALSE;
    }
    auto& shared = ico_menu_shared();
    if (!IsMenu(m_hMenu)) {
        shared.ownMenus.push_back(m_hMenu);
    }
    if (command == 0 && !(flags & MF_POPUP)) {
        flags = MF_OWNERDRAW | MF_SEPARATOR | (flags & MF_BYPOSITION);
    } else {
        flags |= MF_OWNERDRAW;
    }
    if (flags & MF_POPUP) {
        auto sub = reinterpret_cast<HMENU>(command);
        if (!IsMenu(sub)) {
            shared.ownMenus.push_back(sub);
        }
        if (std::find(m_subMenus.begin(), m_subMenus.end(), sub) == m_subMenus.end()) {
            m_subMenus.push_back(sub);
        }
    }
    IcoMenuData* record =
        NewRecord(hasText ? text->c_str() : nullptr, flags & ~MF_BYPOSITION, command);
    if (imageId < 0) {
        const auto it = std::find(shared.imageIds.begin(), shared.imageIds.end(), UINT(command));
        record->m_sharedImageIndex =
            it != shared.imageIds.end() ? int(it - shared.imageIds.begin()) : -1;
    } else {
        record->m_sharedImageIndex = SharedToolbarImage(UINT(imageId), UINT(command));
    }
    const auto data = reinterpret_cast<LPCTSTR>(record);
    const BOOL done = append ? CMenu::AppendMenu(flags, command, data)
                             : CMenu::InsertMenu(position, flags, command, data);
    if (!done) {
        m_items.pop_back();
        return FALSE;
    }
    SynchronizeMenu();
    return TRUE;
}

int IcoMenu::SharedToolbarImage(UINT toolbarId, UINT command) {
    ToolbarResource toolbar;
    int index = -1;
    if (load_toolbar(toolbarId, toolbar)) {
        const auto it = std::find(toolbar.commands.begin(), toolbar.commands.end(), command);
        if (it != toolbar.commands.end()) {
            CIcoImageList strip;
            strip.Create(toolbar.width, toolbar.height);
            strip.Add(toolbar.bitmap, m_toolbarBk);
            auto& shared = ico_menu_shared();
            if (shared.images.GetImageCount() == 0) {
                shared.images.Create(m_imageWidth, m_imageHeight);
            }
            index = shared.images.Add(strip, int(it - toolbar.commands.begin()));
            if (index >= 0) {
                shared.imageIds.resize(std::size_t(index) + 1);
                shared.imageIds[std::size_t(index)] = command;
            }
        }
    }
    if (toolbar.bitmap != nullptr) {
        ::DeleteObject(toolbar.bitmap);
    }
    return index;
}

BOOL IcoMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR command, int imageId) {
    const std::wstring t = text != nullptr ? text : L"";
    return AddItem(0, true, &t, text != nullptr, flags, command, imageId);
}
BOOL IcoMenu::AppendItem(LPCSTR text, UINT flags, UINT_PTR command, int imageId) {
    const std::wstring t = widen(text);
    return AddItem(0, true, &t, text != nullptr, flags, command, imageId);
}
BOOL IcoMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR command, CIcoImageList* images,
                         int index) {
    if (!AppendItem(text, flags, command, -1)) {
        return FALSE;
    }
    return SetOwnImage(m_items.back().get(), images, index);
}
BOOL IcoMenu::AppendItem(LPCSTR text, UINT flags, UINT_PTR command, CIcoImageList* images,
                         int index) {
    return AppendItem(widen(text).c_str(), flags, command, images, index);
}
BOOL IcoMenu::AppendItem(UINT flags, UINT_PTR command, const wchar_t* text, CBitmap* bitmap) {
    if (!AppendItem(text, flags, command, -1)) {
        return FALSE;
    }
    return SetOwnBitmap(m_items.back().get(), bitmap);
}
BOOL IcoMenu::AppendItem(UINT flags, UINT_PTR command, LPCSTR text, CBitmap* bitmap) {
    return AppendItem(flags, command, widen(text).c_str(), bitmap);
}

BOOL IcoMenu::InsertItem(UINT position, const wchar_t* text, UINT flags, UINT_PTR command,
                         int imageId) {
    const std::wstring t = text != nullptr ? text : L"";
    return AddItem(position, false, &t, text != nullptr, flags, command, imageId);
}
BOOL IcoMenu::InsertItem(UINT position, LPCSTR text, UINT flags, UINT_PTR command, int imageId) {
    const std::wstring t = widen(text);
    return AddItem(position, false, &t, text != nullptr, flags, command, imageId);
}
BOOL IcoMenu::InsertItem(UINT position, const wchar_t* text, UINT flags, UINT_PTR command,
                         CIcoImageList* images, int index) {
    if (!InsertItem(position, text, flags, command, -1)) {
        return FALSE;
    }
    IcoMenuData* record = nullptr;
    for (const auto& r : m_items) {
        if (r->m_command == command) {
            record = r.get();
        }
    }
    return SetOwnImage(record, images, index);
}
BOOL IcoMenu::InsertItem(UINT position, LPCSTR text, UINT flags, UINT_PTR command,
                         CIcoImageList* images, int index) {
    return InsertItem(position, widen(text).c_str(), flags, command, images, index);
}
BOOL IcoMenu::InsertItem(UINT position, UINT flags, UINT_PTR command, const wchar_t* text,
                         CBitmap* bitmap) {
    if (!InsertItem(position, text, flags, command, -1)) {
        return FALSE;
    }
    int pos = 0;
    IcoMenu* holder = FindItem(UINT(command), pos);
    return holder != nullptr && SetOwnBitmap(holder->m_items[std::size_t(pos)].get(), bitmap);
}
BOOL IcoMenu::InsertItem(UINT position, UINT flags, UINT_PTR command, LPCSTR text,
                         CBitmap* bitmap) {
    return InsertItem(position, flags, command, widen(text).c_str(), bitmap);
}

BOOL IcoMenu::SetOwnImage(IcoMenuData* record, CIcoImageList* images, int index) {
    if (record == nullptr || images == nullptr || images->GetIcon(index) == nullptr) {
        return FALSE;
    }
    auto own = std::make_unique<CIcoImageList>();
    own->Create(m_imageWidth, m_imageHeight);
    if (own->Add(*images, index) < 0) {
        return FALSE;
    }
    delete record->m_ownImages;
    record->m_ownImages = own.release();
    record->m_ownImageIndex = 0;
    record->m_imageFlag = 0;
    return TRUE;
}

BOOL IcoMenu::SetOwnBitmap(IcoMenuData* record, CBitmap* bitmap) {
    if (record == nullptr || bitmap == nullptr || bitmap->m_hObject == nullptr) {
        return FALSE;
    }
    CIcoImageList list;
    list.Create(m_imageWidth, m_imageHeight);
    if (list.Add(*bitmap, ::GetSysColor(COLOR_BTNFACE)) < 0) {
        return FALSE;
    }
    return SetOwnImage(record, &list, 0);
}

BOOL IcoMenu::ModifyItem(const wchar_t* text, UINT command, int imageId) {
    int pos = 0;
    IcoMenu* holder = FindItem(command, pos);
    if (holder == nullptr) {
        return FALSE;
    }
    IcoMenuData* record = holder->m_items[std::size_t(pos)].get();
    if (text != nullptr) {
        record->SetWideString(text);
    }
    if (imageId >= 0) {
        // As appending does: the command's button image goes to the shared list.
        if (const int index = SharedToolbarImage(UINT(imageId), command); index >= 0) {
            record->m_sharedImageIndex = index;
        }
    }
    return TRUE;
}
BOOL IcoMenu::ModifyItem(LPCSTR text, UINT command, int imageId) {
    return ModifyItem(text != nullptr ? widen(text).c_str() : nullptr, command, imageId);
}
BOOL IcoMenu::ModifyItem(const wchar_t* text, UINT command, CIcoImageList* images, int index) {
    int pos = 0;
    IcoMenu* holder = FindItem(command, pos);
    if (holder == nullptr) {
        return FALSE;
    }
    IcoMenuData* record = holder->m_items[std::size_t(pos)].get();
    if (text != nullptr) {
        record->SetWideString(text);
    }
    return holder->SetOwnImage(record, images, index);
}
BOOL IcoMenu::ModifyItem(LPCSTR text, UINT command, CIcoImageList* images, int index) {
    return ModifyItem(text != nullptr ? widen(text).c_str() : nullptr, command, images, index);
}
BOOL IcoMenu::ModifyItem(const wchar_t* text, UINT command, CBitmap* bitmap) {
    int pos = 0;
    IcoMenu* holder = FindItem(command, pos);
    if (holder == nullptr) {
        return FALSE;
    }
    IcoMenuData* record = holder->m_items[std::size_t(pos)].get();
    if (text != nullptr) {
        record->SetWideString(text);
    }
    return holder->SetOwnBitmap(record, bitmap);
}
BOOL IcoMenu::ModifyItem(LPCSTR text, UINT command, CBitmap* bitmap) {
    return ModifyItem(text != nullptr ? widen(text).c_str() : nullptr, command, bitmap);
}

BOOL IcoMenu::ModifyItemColor(const wchar_t* text, UINT command, COLORREF color) {
    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap swatch;
    swatch.CreateCompatibleBitmap(&screen, m_imageWidth, m_imageHeight);
    CBitmap* old = dc.SelectObject(&swatch);
    // A filled square with a dark frame, on the face colour that the image list makes clear.
    dc.FillSolidRect(0, 0, m_imageWidth, m_imageHeight, ::GetSysColor(COLOR_BTNFACE));
    CRect square(1, 1, m_imageWidth - 1, m_imageHeight - 1);
    dc.FillSolidRect(&square, color);
    dc.Draw3dRect(&square, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
    dc.SelectObject(old);
    return ModifyItem(text, command, &swatch);
}
BOOL IcoMenu::ModifyItemColor(LPCSTR text, UINT command, COLORREF color) {
    return ModifyItemColor(text != nullptr ? widen(text).c_str() : nullptr, command, color);
}

BOOL IcoMenu::ModifyItemText(const wchar_t* text, const wchar_t* newText, int imageId) {
    int pos = 0;
    IcoMenu* holder = FindItem(text, pos);
    if (holder == nullptr || newText == nullptr) {
        return FALSE;
    }
    IcoMenuData* record = holder->m_items[std::size_t(pos)].get();
    record->SetWideString(newText);
    if (imageId >= 0 && !(record->m_menuFlags & (MF_POPUP | MF_SEPARATOR))) {
        return holder->ModifyItem(static_cast<const wchar_t*>(nullptr), UINT(record->m_command),
                                  imageId);
    }
    return TRUE;
}
BOOL IcoMenu::ModifyItemText(LPCSTR text, LPCSTR newText, int imageId) {
    return ModifyItemText(widen(text).c_str(),
                          newText != nullptr ? widen(newText).c_str() : nullptr, imageId);
}

IcoMenu* IcoMenu::AppendPopup(const wchar_t* text) {
    auto sub = std::make_unique<IcoMenu>();
    if (!sub->CreatePopupMenu()) {
        return nullptr;
    }
    sub->m_checkedId = m_checkedId;
    sub->m_uncheckedId = m_uncheckedId;
    sub->m_checkMarks = m_checkMarks;
    sub->m_checkMarksShared = TRUE;
    sub->m_imageWidth = m_imageWidth;
    sub->m_imageHeight = m_imageHeight;
    ico_menu_shared().ownMenus.push_back(sub->m_hMenu);
    if (!AppendItem(text, MF_POPUP, reinterpret_cast<UINT_PTR>(sub->m_hMenu), -1)) {
        return nullptr;
    }
    m_madeMenus.push_back(std::move(sub));
    return m_madeMenus.back().get();
}
IcoMenu* IcoMenu::AppendPopup(LPCSTR text) {
    return AppendPopup(widen(text).c_str());
}

void IcoMenu::Forget(HMENU menu, bool destroy) {
    std::erase(ico_menu_shared().ownMenus, menu);
    std::erase(m_subMenus, menu);
    if (!destroy) {
        return;
    }
    auto made = std::find_if(m_madeMenus.begin(), m_madeMenus.end(),
                             [menu](const auto& m) { return m->m_hMenu == menu; });
    if (made != m_madeMenus.end()) {
        m_madeMenus.erase(made);
    }
}

BOOL IcoMenu::RemoveItem(UINT position, UINT flags) {
    IcoMenu* holder = nullptr;
    IcoMenuData* record = RecordAt(position, flags, &holder);
    if (record == nullptr) {
        return FALSE;
    }
    const auto pos = UINT(std::find_if(holder->m_items.begin(), holder->m_items.end(),
                                       [record](const auto& r) { return r.get() == record; }) -
                          holder->m_items.begin());
    if (record->m_menuFlags & MF_POPUP) {
        holder->Forget(reinterpret_cast<HMENU>(record->m_command), false);
    }
    holder->CMenu::RemoveMenu(pos, MF_BYPOSITION);
    holder->SynchronizeMenu();
    return TRUE;
}

BOOL IcoMenu::DeleteItem(UINT position, UINT flags) {
    IcoMenu* holder = nullptr;
    IcoMenuData* record = RecordAt(position, flags, &holder);
    if (record == nullptr) {
        return FALSE;
    }
    const auto pos = UINT(std::find_if(holder->m_items.begin(), holder->m_items.end(),
                                       [record](const auto& r) { return r.get() == record; }) -
                          holder->m_items.begin());
    const bool popup = (record->m_menuFlags & MF_POPUP) != 0;
    const auto sub = reinterpret_cast<HMENU>(record->m_command);
    holder->CMenu::RemoveMenu(pos, MF_BYPOSITION);
    if (popup) {
        holder->Forget(sub, true);
        ::DestroyMenu(sub);
    }
    holder->SynchronizeMenu();
    return TRUE;
}

BOOL IcoMenu::RemoveItem(const wchar_t* text) {
    int pos = 0;
    IcoMenu* holder = FindItem(text, pos);
    return holder != nullptr && holder->RemoveItem(UINT(pos), MF_BYPOSITION);
}

BOOL IcoMenu::DeleteItem(const wchar_t* text) {
    int pos = 0;
    IcoMenu* holder = FindItem(text, pos);
    return holder != nullptr && holder->DeleteItem(UINT(pos), MF_BYPOSITION);
}

// ---- images -------------------------------------------------------------------------------

void IcoMenu::SetImageSize(int width, int height) {
    if (width > 0 && height > 0) {
        m_imageWidth = width;
        m_imageHeight = height;
    }
}

void IcoMenu::SetToolbarBackground(COLORREF color) {
    m_toolbarBk = color;
    m_toolbarBkSet = TRUE;
}

void IcoMenu::UnsetToolbarBackground() {
    m_toolbarBkSet = FALSE;
}

BOOL IcoMenu::SetCheckMarkImages(int checkedId, int uncheckedId) {
    if (checkedId < 1 || uncheckedId < 1) {
        return FALSE;
    }
    auto marks = std::make_unique<CIcoImageList>();
    marks->Create(m_imageWidth, m_imageHeight);
    for (int id : {checkedId, uncheckedId}) {
        HBITMAP picture = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(UINT(id)));
        const int added = marks->Add(picture, ::GetSysColor(COLOR_BTNFACE));
        if (picture != nullptr) {
            ::DeleteObject(picture);
        }
        if (added < 0) {
            return FALSE;
        }
    }
    if (!m_checkMarksShared) {
        delete m_checkMarks;
    }
    m_checkMarks = marks.release();
    m_checkMarksShared = FALSE;
    m_checkedId = checkedId;
    m_uncheckedId = uncheckedId;
    return TRUE;
}

BOOL IcoMenu::LoadToolbar(UINT toolbarId) {
    ToolbarResource toolbar;
    if (!load_toolbar(toolbarId, toolbar)) {
        if (toolbar.bitmap != nullptr) {
            ::DeleteObject(toolbar.bitmap);
        }
        return FALSE;
    }
    m_imageWidth = std::max(m_imageWidth, toolbar.width);
    m_imageHeight = std::max(m_imageHeight, toolbar.height);
    CIcoImageList strip;
    strip.Create(toolbar.width, toolbar.height);
    strip.Add(toolbar.bitmap, m_toolbarBk);
    ::DeleteObject(toolbar.bitmap);
    for (std::size_t i = 0; i < toolbar.commands.size(); ++i) {
        int pos = 0;
        if (FindItem(toolbar.commands[i], pos) != nullptr) {
            ModifyItem(static_cast<const wchar_t*>(nullptr), toolbar.commands[i], &strip, int(i));
        }
    }
    return TRUE;
}

BOOL IcoMenu::LoadToolbars(const std::vector<UINT>& toolbarIds) {
    BOOL all = TRUE;
    for (UINT id : toolbarIds) {
        all = LoadToolbar(id) && all;
    }
    return all;
}

const CIcoImageList* IcoMenu::ImagesOf(const IcoMenuData& record, int& index) const {
    if (record.m_ownImages != nullptr && record.m_ownImageIndex >= 0) {
        index = record.m_ownImageIndex;
        return record.m_ownImages;
    }
    const auto& shared = ico_menu_shared();
    if (record.m_sharedImageIndex >= 0 &&
        record.m_sharedImageIndex < shared.images.GetImageCount()) {
        index = record.m_sharedImageIndex;
        return &shared.images;
    }
    return nullptr;
}

// ---- templates ----------------------------------------------------------------------------

BOOL IcoMenu::LoadMenu(UINT id) {
    return LoadMenu(MAKEINTRESOURCE(id));
}

BOOL IcoMenu::LoadMenu(LPCTSTR name) {
    const std::vector<BYTE> bytes = zel::controls::menu_template_bytes(name);
    if (bytes.empty()) {
        return FALSE;
    }
    DestroyMenu();
    if (!CreatePopupMenu()) {
        return FALSE;
    }
    ico_menu_shared().ownMenus.push_back(m_hMenu);
    // Each level ends with its MF_END item; a pop-up that ends its own level closes that level
    // too when its children are done.
    struct Level {
        IcoMenu* menu;
        bool closesParent;
    };
    std::vector<Level> stack{{this, false}};
    for (const auto& item : zel::controls::read_menu_template(bytes)) {
        if (stack.empty()) {
            break;
        }
        IcoMenu* top = stack.back().menu;
        const bool last = (item.flags & MF_END) != 0;
        const UINT flags = item.flags & ~MF_END;
        if (flags & MF_POPUP) {
            auto sub = std::make_unique<IcoMenu>();
            sub->m_checkedId = m_checkedId;
            sub->m_uncheckedId = m_uncheckedId;
            sub->m_checkMarks = m_checkMarks;
            sub->m_checkMarksShared = TRUE;
            sub->m_imageWidth = m_imageWidth;
            sub->m_imageHeight = m_imageHeight;
            if (!sub->CreatePopupMenu()) {
                return FALSE;
            }
            ico_menu_shared().ownMenus.push_back(sub->m_hMenu);
            top->AppendItem(item.text.c_str(), flags, reinterpret_cast<UINT_PTR>(sub->m_hMenu), -1);
            IcoMenu* made = sub.get();
            top->m_madeMenus.push_back(std::move(sub));
            stack.push_back({made, last});
            continue;
        }
        top->AppendItem(item.text.c_str(), flags, item.command, -1);
        if (last) {
            bool closes = true;
            while (closes && !stack.empty()) {
                closes = stack.back().closesParent;
                stack.back().menu->SynchronizeMenu();
                stack.pop_back();
            }
        }
    }
    // The top level shows as plain strings (a menu bar); its pop-ups stay owner-drawn.
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
