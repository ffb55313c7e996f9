#pragma once
// Message numbers, notification codes, window and control styles, and the records that travel
// with messages. Numbers are those the editor's code and its stored styles rely on.

#include "zel/platform/geometry.h"

// Messages.
constexpr UINT WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
               WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
               WM_ENABLE = 0x000A, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_PAINT = 0x000F,
               WM_CLOSE = 0x0010, WM_ERASEBKGND = 0x0014, WM_SYSCOLORCHANGE = 0x0015,
               WM_SHOWWINDOW = 0x0018, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
               WM_MOUSEACTIVATE = 0x0021, WM_DRAWITEM = 0x002B, WM_MEASUREITEM = 0x002C,
               WM_SETFONT = 0x0030, WM_GETFONT = 0x0031, WM_HELP = 0x0053, WM_NCDESTROY = 0x0082,
               WM_GETDLGCODE = 0x0087, WM_NCLBUTTONDOWN = 0x00A1, WM_KEYDOWN = 0x0100,
               WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104, WM_INITDIALOG = 0x0110,
               WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113, WM_HSCROLL = 0x0114,
               WM_VSCROLL = 0x0115, WM_INITMENUPOPUP = 0x0117, WM_MENUCHAR = 0x0120,
               WM_CTLCOLORBTN = 0x0135, WM_CTLCOLORDLG = 0x0136, WM_CTLCOLORSCROLLBAR = 0x0137,
               WM_CTLCOLORSTATIC = 0x0138, WM_CTLCOLOREDIT = 0x0133, WM_MOUSEMOVE = 0x0200,
               WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203,
               WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205, WM_MOUSEWHEEL = 0x020A,
               WM_DROPFILES = 0x0233, WM_MOUSELEAVE = 0x02A3, WM_USER = 0x0400, WM_APP = 0x8000;
// The layer's own notices (never sent by the system of the editor's origin).
constexpr UINT WM_KICKIDLE = 0x036A, WM_IDLEUPDATECMDUI = 0x0363;
// A reflected message reaches the control as its number plus this base.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// Button messages, states and notifications.
constexpr UINT BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_GETSTATE = 0x00F2,
               BM_SETSTATE = 0x00F3, BM_SETSTYLE = 0x00F4, BM_CLICK = 0x00F5;
constexpr UINT BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2, BST_PUSHED = 4,
               BST_FOCUS = 8;
constexpr UINT BN_CLICKED = 0, BN_DOUBLECLICKED = 5, STN_CLICKED = 0, EN_CHANGE = 0x0300;
constexpr UINT DM_GETDEFID = WM_USER + 0, DM_SETDEFID = WM_USER + 1;
constexpr UINT DC_HASDEFID = 0x534B;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0, WS_POPUP = 0x80000000, WS_CHILD = 0x40000000,
                WS_MINIMIZE = 0x20000000, WS_VISIBLE = 0x10000000, WS_DISABLED = 0x08000000,
                WS_CLIPSIBLINGS = 0x04000000, WS_CLIPCHILDREN = 0x02000000,
                WS_MAXIMIZE = 0x01000000, WS_CAPTION = 0x00C00000, WS_BORDER = 0x00800000,
                WS_DLGFRAME = 0x00400000, WS_VSCROLL = 0x00200000, WS_HSCROLL = 0x00100000,
                WS_SYSMENU = 0x00080000, WS_THICKFRAME = 0x00040000, WS_GROUP = 0x00020000,
                WS_TABSTOP = 0x00010000, WS_MINIMIZEBOX = 0x00020000, WS_MAXIMIZEBOX = 0x00010000,
                WS_OVERLAPPEDWINDOW = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                      WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD WS_EX_TOOLWINDOW = 0x80, WS_EX_CLIENTEDGE = 0x200, WS_EX_STATICEDGE = 0x20000;
constexpr DWORD DS_MODALFRAME = 0x80, DS_SETFONT = 0x40, DS_CENTER = 0x0800;

// Button styles (low five bits: the type).
constexpr DWORD BS_PUSHBUTTON = 0, BS_DEFPUSHBUTTON = 1, BS_CHECKBOX = 2, BS_AUTOCHECKBOX = 3,
                BS_RADIOBUTTON = 4, BS_3STATE = 5, BS_GROUPBOX = 7, BS_AUTORADIOBUTTON = 9,
                BS_OWNERDRAW = 0xB, BS_TYPEMASK = 0xF, BS_BITMAP = 0x80, BS_FLAT = 0x8000;
// Static styles.
constexpr DWORD SS_LEFT = 0, SS_CENTER = 1, SS_RIGHT = 2, SS_ICON = 3, SS_BLACKRECT = 4,
                SS_GRAYRECT = 5, SS_WHITERECT = 6, SS_BLACKFRAME = 7, SS_GRAYFRAME = 8,
                SS_WHITEFRAME = 9, SS_BITMAP = 0xE, SS_ETCHEDHORZ = 0x10, SS_ETCHEDFRAME = 0x12,
                SS_TYPEMASK = 0x1F, SS_NOTIFY = 0x100, SS_CENTERIMAGE = 0x200, SS_SUNKEN = 0x1000;
// Edit and scroll bar styles.
constexpr DWORD ES_LEFT = 0, ES_AUTOHSCROLL = 0x80, ES_MULTILINE = 4, ES_PASSWORD = 0x20;
constexpr DWORD SBS_HORZ = 0, SBS_VERT = 1;

// Scroll codes.
constexpr UINT SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2;
constexpr UINT SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
               SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
               SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7,
               SB_ENDSCROLL = 8;

// Size, activation, hit-test, key-state and dialog-code values.
constexpr UINT SIZE_RESTORED = 0, SIZE_MINIMIZED = 1;
constexpr UINT WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2;
constexpr UINT HTCLIENT = 1, HTCAPTION = 2;
constexpr UINT MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8;
constexpr UINT DLGC_WANTARROWS = 1, DLGC_WANTTAB = 2, DLGC_WANTALLKEYS = 4,
               DLGC_DEFPUSHBUTTON = 0x10, DLGC_UNDEFPUSHBUTTON = 0x20, DLGC_BUTTON = 0x2000,
               DLGC_WANTCHARS = 0x80;

// Virtual keys.
constexpr UINT VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
               VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_LEFT = 0x25, VK_UP = 0x26,
               VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70,
               VK_F6 = 0x75;

// Dialog results and standard command numbers.
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;
constexpr UINT ID_FILE_NEW = 0xE100, ID_FILE_OPEN = 0xE101, ID_FILE_SAVE = 0xE103,
               ID_FILE_PRINT_SETUP = 0xE106, ID_FILE_PRINT = 0xE107, ID_FILE_PRINT_DIRECT = 0xE108,
               ID_FILE_PRINT_PREVIEW = 0xE109, ID_APP_ABOUT = 0xE140, ID_APP_EXIT = 0xE141,
               ID_HELP_FINDER = 0xE143, ID_DEFAULT_HELP = 0xE147, ID_EDIT_COPY = 0xE122,
               ID_EDIT_CUT = 0xE123, ID_EDIT_PASTE = 0xE125, ID_EDIT_UNDO = 0xE12B,
               ID_NEXT_PANE = 0xE150, ID_PREV_PANE = 0xE151, AFX_IDW_PANE_FIRST = 0xE900;
// Command notification codes of the routing (as the code half of a command).
constexpr int CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1;

// Owner-draw records.
constexpr UINT ODT_MENU = 1, ODT_BUTTON = 4, ODT_STATIC = 5;
constexpr UINT ODA_DRAWENTIRE = 1, ODA_SELECT = 2, ODA_FOCUS = 4;
constexpr UINT ODS_SELECTED = 1, ODS_GRAYED = 2, ODS_DISABLED = 4, ODS_CHECKED = 8,
               ODS_FOCUS = 0x10, ODS_DEFAULT = 0x20;

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};
    UINT_PTR itemData = 0;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    UINT_PTR itemData = 0;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

struct CREATESTRUCT {
    LPVOID lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    LPCTSTR lpszName = nullptr;
    LPCTSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// A message as the input queue hands it to pre-translation; handlers may change it.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{};
};
using LPMSG = MSG*;

// Mouse-leave tracking.
constexpr DWORD TME_LEAVE = 2;
struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;
};
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);

// The help request that F1 sends to the window with the keyboard focus; a window that does not
// answer it passes it on to its parent.
constexpr int HELPINFO_WINDOW = 1;
struct HELPINFO {
    UINT cbSize = sizeof(HELPINFO);
    int iContextType = HELPINFO_WINDOW;
    int iCtrlId = 0;
    HWND hItemHandle = nullptr;
    UINT_PTR dwContextId = 0;
    POINT MousePos{};
};
using LPHELPINFO = HELPINFO*;
