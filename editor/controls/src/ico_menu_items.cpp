// The owner-drawn menu's items: adding, changing and removing them, and their images.

#include "zel/controls/ico_menu.h"

#include "ico_menu_shared.h"
#include "toolbar_resource.h"
#include "wide_argument.h"

#include <algorithm>

using zel::controls::ico_menu_shared;
using zel::controls::WideText;

// ---- adding -------------------------------------------------------------------------------

IcoMenuData* IcoMenu::AddItem(UINT position, bool append, const wchar_t* text, UINT flags,
                              UINT_PTR command, int imageId) {
    if (m_hMenu == nullptr && !CreatePopupMenu()) {
        return nullptr;
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
    IcoMenuData* record = NewRecord(text, flags & ~MF_BYPOSITION, command);
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
        return nullptr;
    }
    if (flags & MF_POPUP) {
        const auto sub = reinterpret_cast<HMENU>(command);
        if (!IsMenu(sub)) {
            shared.ownMenus.push_back(sub);
        }
        if (std::find(m_subMenus.begin(), m_subMenus.end(), sub) == m_subMenus.end()) {
            m_subMenus.push_back(sub);
        }
    }
    SynchronizeMenu();
    return record;
}

int IcoMenu::SharedToolbarImage(UINT toolbarId, UINT command) {
    zel::controls::ToolbarResource toolbar;
    if (!zel::controls::load_toolbar(toolbarId, toolbar)) {
        return -1;
    }
    const auto it = std::find(toolbar.commands.begin(), toolbar.commands.end(), command);
    if (it == toolbar.commands.end()) {
        return -1;
    }
    CIcoImageList strip;
    strip.Create(toolbar.width, toolbar.height);
    strip.Add(toolbar.bitmap, ToolbarBackground());
    auto& shared = ico_menu_shared();
    if (shared.images.GetImageCount() == 0) {
        shared.images.Create(m_imageWidth, m_imageHeight);
    }
    const int index = shared.images.Add(strip, int(it - toolbar.commands.begin()));
    if (index >= 0) {
        shared.imageIds.resize(std::size_t(index) + 1);
        shared.imageIds[std::size_t(index)] = command;
    }
    return index;
}

BOOL IcoMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR command, int imageId) {
    return AddItem(0, true, text, flags, command, imageId) != nullptr;
}
BOOL IcoMenu::AppendItem(LPCSTR text, UINT flags, UINT_PTR command, int imageId) {
    return AppendItem(WideText(text), flags, command, imageId);
}
BOOL IcoMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR command, CIcoImageList* images,
                         int index) {
    IcoMenuData* record = AddItem(0, true, text, flags, command, -1);
    return record != nullptr && SetOwnImage(record, images, index);
}
BOOL IcoMenu::AppendItem(LPCSTR text, UINT flags, UINT_PTR command, CIcoImageList* images,
                         int index) {
    return AppendItem(WideText(text), flags, command, images, index);
}
BOOL IcoMenu::AppendItem(UINT flags, UINT_PTR command, const wchar_t* text, CBitmap* bitmap) {
    IcoMenuData* record = AddItem(0, true, text, flags, command, -1);
    return record != nullptr && SetOwnBitmap(record, bitmap);
}
BOOL IcoMenu::AppendItem(UINT flags, UINT_PTR command, LPCSTR text, CBitmap* bitmap) {
    return AppendItem(flags, command, WideText(text), bitmap);
}

BOOL IcoMenu::InsertItem(UINT position, const wchar_t* text, UINT flags, UINT_PTR command,
                         int imageId) {
    return AddItem(position, false, text, flags, command, imageId) != nullptr;
}
BOOL IcoMenu::InsertItem(UINT position, LPCSTR text, UINT flags, UINT_PTR command, int imageId) {
    return InsertItem(position, WideText(text), flags, command, imageId);
}
BOOL IcoMenu::InsertItem(UINT position, const wchar_t* text, UINT flags, UINT_PTR command,
                         CIcoImageList* images, int index) {
    IcoMenuData* record = AddItem(position, false, text, flags, command, -1);
    return record != nullptr && SetOwnImage(record, images, index);
}
BOOL IcoMenu::InsertItem(UINT position, LPCSTR text, UINT flags, UINT_PTR command,
                         CIcoImageList* images, int index) {
    return InsertItem(position, WideText(text), flags, command, images, index);
}
BOOL IcoMenu::InsertItem(UINT position, UINT flags, UINT_PTR command, const wchar_t* text,
                         CBitmap* bitmap) {
    IcoMenuData* record = AddItem(position, false, text, flags, command, -1);
    return record != nullptr && SetOwnBitmap(record, bitmap);
}
BOOL IcoMenu::InsertItem(UINT position, UINT flags, UINT_PTR command, LPCSTR text,
                         CBitmap* bitmap) {
    return InsertItem(position, flags, command, WideText(text), bitmap);
}

IcoMenu* IcoMenu::AppendPopup(const wchar_t* text) {
    std::unique_ptr<IcoMenu> sub = MakeSubMenu();
    if (sub == nullptr ||
        !AppendItem(text, MF_POPUP, reinterpret_cast<UINT_PTR>(sub->m_hMenu), -1)) {
        return nullptr;
    }
    m_madeMenus.push_back(std::move(sub));
    return m_madeMenus.back().get();
}
IcoMenu* IcoMenu::AppendPopup(LPCSTR text) {
    return AppendPopup(WideText(text));
}

std::unique_ptr<IcoMenu> IcoMenu::MakeSubMenu() const {
    auto sub = std::make_unique<IcoMenu>();
    if (!sub->CreatePopupMenu()) {
        return nullptr;
    }
    // The pop-up draws its check marks from this menu's list, which stays this menu's.
    sub->m_checkedId = m_checkedId;
    sub->m_uncheckedId = m_uncheckedId;
    sub->m_checkMarks = m_checkMarks;
    sub->m_checkMarksShared = TRUE;
    sub->m_imageWidth = m_imageWidth;
    sub->m_imageHeight = m_imageHeight;
    ico_menu_shared().ownMenus.push_back(sub->m_hMenu);
    return sub;
}

// ---- changing -----------------------------------------------------------------------------

IcoMenuData* IcoMenu::RetextItem(const wchar_t* text, UINT command, IcoMenu** holder) {
    IcoMenuData* record = RecordAt(command, MF_BYCOMMAND, holder);
    if (record != nullptr && text != nullptr) {
        record->SetWideString(text);
    }
    return record;
}

BOOL IcoMenu::ModifyItem(const wchar_t* text, UINT command, int imageId) {
    IcoMenu* holder = nullptr;
    IcoMenuData* record = RetextItem(text, command, &holder);
    if (record == nullptr) {
        return FALSE;
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
    return ModifyItem(WideText(text), command, imageId);
}
BOOL IcoMenu::ModifyItem(const wchar_t* text, UINT command, CIcoImageList* images, int index) {
    IcoMenu* holder = nullptr;
    IcoMenuData* record = RetextItem(text, command, &holder);
    return record != nullptr && holder->SetOwnImage(record, images, index);
}
BOOL IcoMenu::ModifyItem(LPCSTR text, UINT command, CIcoImageList* images, int index) {
    return ModifyItem(WideText(text), command, images, index);
}
BOOL IcoMenu::ModifyItem(const wchar_t* text, UINT command, CBitmap* bitmap) {
    IcoMenu* holder = nullptr;
    IcoMenuData* record = RetextItem(text, command, &holder);
    return record != nullptr && holder->SetOwnBitmap(record, bitmap);
}
BOOL IcoMenu::ModifyItem(LPCSTR text, UINT command, CBitmap* bitmap) {
    return ModifyItem(WideText(text), command, bitmap);
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
    return ModifyItemColor(WideText(text), command, color);
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
    return ModifyItemText(WideText(text), WideText(newText), imageId);
}

// ---- removing -----------------------------------------------------------------------------

bool IcoMenu::Forget(HMENU menu, bool destroy) {
    std::erase(ico_menu_shared().ownMenus, menu);
    std::erase(m_subMenus, menu);
    if (!destroy) {
        return false;
    }
    auto made = std::find_if(m_madeMenus.begin(), m_madeMenus.end(),
                             [menu](const auto& m) { return m->m_hMenu == menu; });
    if (made == m_madeMenus.end()) {
        return false;
    }
    m_madeMenus.erase(made); // its object destroys the menu
    return true;
}

BOOL IcoMenu::TakeOutItem(UINT position, UINT flags, bool destroy) {
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
    if (popup && !holder->Forget(sub, destroy) && destroy) {
        ::DestroyMenu(sub);
    }
    holder->SynchronizeMenu();
    return TRUE;
}

BOOL IcoMenu::RemoveItem(UINT position, UINT flags) {
    return TakeOutItem(position, flags, false);
}

BOOL IcoMenu::DeleteItem(UINT position, UINT flags) {
    return TakeOutItem(position, flags, true);
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

COLORREF IcoMenu::ToolbarBackground() const {
    return m_toolbarBkSet ? m_toolbarBk : ::GetSysColor(COLOR_BTNFACE);
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
    CIcoImageList* const old = m_checkMarks;
    m_checkMarks = marks.release();
    m_checkedId = checkedId;
    m_uncheckedId = uncheckedId;
    PassCheckMarks(old);
    if (!m_checkMarksShared) {
        delete old;
    }
    m_checkMarksShared = FALSE;
    return TRUE;
}

// The pop-ups made from this menu draw from its list; they must not keep the one it replaces.
void IcoMenu::PassCheckMarks(const CIcoImageList* old) {
    for (const auto& sub : m_madeMenus) {
        if (sub->m_checkMarksShared && sub->m_checkMarks == old) {
            sub->m_checkMarks = m_checkMarks;
            sub->m_checkedId = m_checkedId;
            sub->m_uncheckedId = m_uncheckedId;
            sub->PassCheckMarks(old);
        }
    }
}

BOOL IcoMenu::LoadToolbar(UINT toolbarId) {
    zel::controls::ToolbarResource toolbar;
    if (!zel::controls::load_toolbar(toolbarId, toolbar)) {
        return FALSE;
    }
    m_imageWidth = std::max(m_imageWidth, toolbar.width);
    m_imageHeight = std::max(m_imageHeight, toolbar.height);
    CIcoImageList strip;
    strip.Create(toolbar.width, toolbar.height);
    strip.Add(toolbar.bitmap, ToolbarBackground());
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
