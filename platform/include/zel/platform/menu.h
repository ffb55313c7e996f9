#pragma once
// Menus and accelerator tables. A menu is a list of items (text with an "&" before its access
// key and a tab before its key text, command identifier, flags, optional pop-up); owner-drawn
// items are measured and drawn by their owner window through WM_MEASUREITEM and WM_DRAWITEM.

#include "zel/platform/cstring.h"
#include "zel/platform/messages.h"
#include "zel/platform/object.h"

#include <vector>

class CWnd;

constexpr UINT MF_STRING = 0, MF_BYCOMMAND = 0, MF_ENABLED = 0, MF_UNCHECKED = 0, MF_GRAYED = 1,
               MF_DISABLED = 2, MF_CHECKED = 8, MF_POPUP = 0x10, MF_MENUBARBREAK = 0x20,
               MF_MENUBREAK = 0x40, MF_END = 0x80, MF_OWNERDRAW = 0x100, MF_BYPOSITION = 0x400,
               MF_SEPARATOR = 0x800, MF_DEFAULT = 0x1000, MF_HILITE = 0x80;
constexpr UINT TPM_LEFTALIGN = 0, TPM_LEFTBUTTON = 0, TPM_RIGHTBUTTON = 2, TPM_NONOTIFY = 0x80,
               TPM_RETURNCMD = 0x100;
constexpr UINT MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU menu);
    BOOL Attach(HMENU menu);

    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCTSTR name);
    BOOL DestroyMenu();

    // `item` is a command identifier, or for MF_POPUP the pop-up's HMENU cast to UINT_PTR.
    BOOL AppendMenu(UINT flags, UINT_PTR item = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR item = 0, LPCTSTR text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR item = 0, LPCTSTR text = nullptr);
    BOOL RemoveMenu(UINT position, UINT flags);
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);
    // The item data an owner-drawn item was added with (its `text` argument).
    UINT_PTR GetItemData(UINT item, UINT flags) const;

    // Shows this pop-up at screen point (x, y) and waits for a choice. With TPM_RETURNCMD the
    // chosen command (0 for none) is returned, else it is sent to `owner` as WM_COMMAND.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
};

// Accelerators: a key with modifiers to a command identifier.
constexpr BYTE FVIRTKEY = 1, FSHIFT = 4, FCONTROL = 8, FALT = 0x10;
struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};
HACCEL LoadAccelerators(HINSTANCE instance, LPCTSTR name);
// Looks key message `msg` up in `table`; on a match sends WM_COMMAND to `wnd` and returns 1.
int TranslateAccelerator(HWND wnd, HACCEL table, MSG* msg);

HMENU LoadMenu(HINSTANCE instance, LPCTSTR name);
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
