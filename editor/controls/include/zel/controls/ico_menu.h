#pragma once
// A menu whose items are owner-drawn with small images, in a classic three-dimensional look or
// in the flat look of a themed desktop. It loads menu templates (every item becomes
// owner-drawn), takes images for commands from toolbar resources and answers
// WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR for its menus.
//
// Texts are wide strings inside; every operation also takes a text in the program's code page
// (UTF-8), converted on the way in.

#include "zel/controls/image_list.h"
#include "zel/platform/platform.h"

#include <memory>
#include <string>
#include <vector>

// The record behind one owner-drawn item (its item data).
class IcoMenuData {
public:
    IcoMenuData() = default;
    ~IcoMenuData();
    IcoMenuData(const IcoMenuData&) = delete;
    IcoMenuData& operator=(const IcoMenuData&) = delete;

    void SetAnsiString(LPCSTR text);
    void SetWideString(const wchar_t* text);
    const wchar_t* GetWideString() const { return m_hasText ? m_text.c_str() : nullptr; }
    CString GetString() const;

    int m_ownImageIndex = -1;             // index into m_ownImages
    int m_sharedImageIndex = -1;          // index into the process-wide image list
    int m_imageFlag = -1;                 // -1: no own image
    UINT m_menuFlags = 0;                 // MF_ flags the item was added with (always MF_OWNERDRAW)
    UINT_PTR m_command = 0;               // command id, or the sub-menu handle of a pop-up item
    CIcoImageList* m_ownImages = nullptr; // owned

private:
    std::wstring m_text;
    bool m_hasText = false;
};

class IcoMenu : public CMenu {
    DECLARE_DYNAMIC(IcoMenu)
public:
    IcoMenu();
    ~IcoMenu() override;

    // ---- owner drawing ----
    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

    // ---- templates ----
    virtual BOOL LoadMenu(UINT id);
    virtual BOOL LoadMenu(LPCTSTR name);
    virtual BOOL DestroyMenu();

    // ---- items (command 0 makes a separator; image id -1 = none) ----
    BOOL AppendItem(const wchar_t* text, UINT flags = MF_OWNERDRAW, UINT_PTR command = 0,
                    int imageId = -1);
    BOOL AppendItem(LPCSTR text, UINT flags = MF_OWNERDRAW, UINT_PTR command = 0, int imageId = -1);
    BOOL AppendItem(const wchar_t* text, UINT flags, UINT_PTR command, CIcoImageList* images,
                    int index);
    BOOL AppendItem(LPCSTR text, UINT flags, UINT_PTR command, CIcoImageList* images, int index);
    BOOL AppendItem(UINT flags, UINT_PTR command, const wchar_t* text, CBitmap* bitmap);
    BOOL AppendItem(UINT flags, UINT_PTR command, LPCSTR text, CBitmap* bitmap);
    BOOL InsertItem(UINT position, const wchar_t* text, UINT flags = MF_BYPOSITION,
                    UINT_PTR command = 0, int imageId = -1);
    BOOL InsertItem(UINT position, LPCSTR text, UINT flags = MF_BYPOSITION, UINT_PTR command = 0,
                    int imageId = -1);
    BOOL InsertItem(UINT position, const wchar_t* text, UINT flags, UINT_PTR command,
                    CIcoImageList* images, int index);
    BOOL InsertItem(UINT position, LPCSTR text, UINT flags, UINT_PTR command, CIcoImageList* images,
                    int index);
    BOOL InsertItem(UINT position, UINT flags, UINT_PTR command, const wchar_t* text,
                    CBitmap* bitmap);
    BOOL InsertItem(UINT position, UINT flags, UINT_PTR command, LPCSTR text, CBitmap* bitmap);
    // Changes text (null keeps it) and image of the item with `command`, in any sub-menu.
    BOOL ModifyItem(const wchar_t* text, UINT command, int imageId = -1);
    BOOL ModifyItem(LPCSTR text, UINT command, int imageId = -1);
    BOOL ModifyItem(const wchar_t* text, UINT command, CIcoImageList* images, int index);
    BOOL ModifyItem(LPCSTR text, UINT command, CIcoImageList* images, int index);
    BOOL ModifyItem(const wchar_t* text, UINT command, CBitmap* bitmap);
    BOOL ModifyItem(LPCSTR text, UINT command, CBitmap* bitmap);
    // The item's image becomes a small swatch of `color`.
    BOOL ModifyItemColor(const wchar_t* text, UINT command, COLORREF color);
    BOOL ModifyItemColor(LPCSTR text, UINT command, COLORREF color);
    // Renames the item whose text is `text`, and sets its image.
    BOOL ModifyItemText(const wchar_t* text, const wchar_t* newText, int imageId = -1);
    BOOL ModifyItemText(LPCSTR text, LPCSTR newText, int imageId = -1);
    // Creates a pop-up menu and appends it as a pop-up item; the new menu, or null.
    IcoMenu* AppendPopup(const wchar_t* text);
    IcoMenu* AppendPopup(LPCSTR text);
    // Remove keeps a sub-menu, delete destroys it.
    BOOL RemoveItem(UINT position, UINT flags);
    BOOL DeleteItem(UINT position, UINT flags);
    BOOL RemoveItem(const wchar_t* text);
    BOOL DeleteItem(const wchar_t* text);
    // The menu holding the item with `command` (or `text`) and its position there; null if none.
    IcoMenu* FindItem(UINT command, int& position);
    IcoMenu* FindItem(const wchar_t* text, int& position);
    IcoMenu* GetSubMenuAt(int position) const;
    IcoMenu* GetSubMenuByText(const wchar_t* text) const;
    CString GetItemText(UINT item, UINT flags) const;

    // ---- images ----
    void SetImageSize(int width, int height);
    void SetToolbarBackground(COLORREF color);
    void UnsetToolbarBackground();
    // Both ids must be at least 1.
    BOOL SetCheckMarkImages(int checkedId, int uncheckedId);
    // Gives every item whose command has a button on toolbar `toolbarId` that button's image.
    BOOL LoadToolbar(UINT toolbarId);
    BOOL LoadToolbars(const std::vector<UINT>& toolbarIds);

    // ---- process-wide ----
    // Sets the draw mode of the flat look and of the classic look together (1 = flat drawing).
    static void SetMenuDrawMode(UINT mode);
    static BOOL IsMenu(HMENU menu);
    static BOOL IsMenu(const CMenu* menu);
    // WM_MENUCHAR: MNC_EXECUTE in the high word and the item's position, or 0.
    static LRESULT FindKeyboardShortcut(UINT ch, UINT flags, CMenu* menu);
    // The operating-system kind, 0 (Win32s) to 7 (XP).
    static int GetOsKind();
    static BOOL IsClassicTheme();
    // Whether a theme file name names the classic theme.
    static bool IsClassicThemeValue(const char* value);
    static bool UsesFlatLook(int osKind, bool classicTheme);
    // The draw mode that applies now (that of the flat look when it applies).
    static UINT EffectiveDrawMode();

    const std::vector<std::unique_ptr<IcoMenuData>>& Items() const { return m_items; }
    CSize GetImageSize() const { return {m_imageWidth, m_imageHeight}; }

protected:
    void DrawItemClassic(LPDRAWITEMSTRUCT dis);
    void DrawItemFlat(LPDRAWITEMSTRUCT dis);
    // Brings the item records in line with the menu's items.
    void SynchronizeMenu();

private:
    // Adds one owner-drawn item and its record; the record, or null.
    IcoMenuData* AddItem(UINT position, bool append, const wchar_t* text, UINT flags,
                         UINT_PTR command, int imageId);
    IcoMenuData* NewRecord(const wchar_t* text, UINT flags, UINT_PTR command);
    IcoMenuData* RecordAt(UINT position, UINT flags, IcoMenu** holder = nullptr);
    // The record of the item with `command` in any sub-menu, given `text` unless it is null.
    IcoMenuData* RetextItem(const wchar_t* text, UINT command, IcoMenu** holder);
    // An empty pop-up that shares this menu's check marks and image size.
    std::unique_ptr<IcoMenu> MakeSubMenu() const;
    // Hands this menu's check marks to the pop-ups it made that shared `old` with it.
    void PassCheckMarks(const CIcoImageList* old);
    BOOL TakeOutItem(UINT position, UINT flags, bool destroy);
    BOOL SetOwnImage(IcoMenuData* record, CIcoImageList* images, int index);
    BOOL SetOwnBitmap(IcoMenuData* record, CBitmap* bitmap);
    // Puts the button image of `command` on toolbar `toolbarId` into the shared image list;
    // its index there, or -1.
    int SharedToolbarImage(UINT toolbarId, UINT command);
    // The colour that marks the transparent pixels of toolbar pictures.
    COLORREF ToolbarBackground() const;
    // Drops `menu` from the lists; with `destroy`, destroys it when this menu made it (true).
    bool Forget(HMENU menu, bool destroy);
    const CIcoImageList* ImagesOf(const IcoMenuData& record, int& index) const;

    std::vector<std::unique_ptr<IcoMenuData>> m_items;
    std::vector<HMENU> m_subMenus;
    int m_imageWidth = 16;
    int m_imageHeight = 15;
    COLORREF m_toolbarBk = RGB(192, 192, 192);
    BOOL m_toolbarBkSet = FALSE;
    BOOL m_disabledImageStyle = FALSE;
    CIcoImageList* m_checkMarks = nullptr;
    BOOL m_checkMarksShared = FALSE;
    int m_checkedId = -1;
    int m_uncheckedId = -1;
    BOOL m_loaded = FALSE;
    // Sub-menu objects this menu made (from templates or AppendPopup) and destroys.
    std::vector<std::unique_ptr<IcoMenu>> m_madeMenus;
};
